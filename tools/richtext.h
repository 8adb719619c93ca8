#pragma once
// The rich text shipped for a statement or a correction: Arial 10 on the program's rich-text box,
// titles and headings in the program's blue, indented like the welcome text.
#include "rtf/document.h"
#include "tools/markup.h"

namespace tools {

// Every use of the rich-text model by the exercise builder is here.
rtf::Document toDocument(const MarkedText& text);

}  // namespace tools
