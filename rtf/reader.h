#pragma once
// Reads RTF into the document model: fonts, colours, character and paragraph formats,
// text as Windows-1252 bytes or \uN. Unknown control words are ignored, unknown and
// ignorable destinations (\*, pictures, objects, style sheets...) skipped; nesting is bounded.
#include <optional>
#include <string_view>

#include "rtf/document.h"

namespace rtf {

// Nothing when the bytes do not start with "{\rtf". A truncated document gives what was read.
std::optional<Document> read(std::string_view bytes);

}  // namespace rtf
