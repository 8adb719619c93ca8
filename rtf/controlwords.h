#pragma once
// The control words the reader sorts rather than interprets one by one.
#include <string_view>

namespace rtf {

// Destinations whose content is not text of the document (style sheet, pictures, headers…).
bool isSkippedDestination(std::string_view word);
// The many underline styles, all read as plain underlining.
bool isUnderlineOn(std::string_view word);

}  // namespace rtf
