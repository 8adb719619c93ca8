#pragma once
// Writes a document as an HTML fragment with inline styles, for the clipboard: word
// processors that prefer HTML paste it with its fonts, colours and raised characters.
#include <string>

#include "rtf/document.h"

namespace rtf {

std::string toHtml(const Document& document);

}  // namespace rtf
