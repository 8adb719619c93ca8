#pragma once
// Writes a document as RTF 1.x: font and colour tables, one group per run.
#include <string>

#include "rtf/document.h"

namespace rtf {

// Sizes are written in half points and vertical offsets in half points (\up, \dn), so a
// size of 9.75 comes back as 10 and an offset of 45 twips as 50.
std::string write(const Document& document);

}  // namespace rtf
