#include "configuration/records.h"

#include <algorithm>

#include "numbers/windows1252.h"

namespace configuration {

bool isRecordNumber(std::int64_t n) {
    return n >= 1 && n <= kMaxRecordNumber;
}

std::optional<RecordBytes> encodeRecord(std::string_view utf8) {
    const std::string text = numbers::utf8ToWindows1252(utf8);
    if (text.size() > kMaxRecordText) return std::nullopt;
    RecordBytes record{};
    record[0] = static_cast<unsigned char>(text.size() & 0xFF);
    record[1] = static_cast<unsigned char>(text.size() >> 8);
    std::copy(text.begin(), text.end(), record.begin() + 2);
    return record;
}

std::string decodeRecord(std::span<const unsigned char> bytes) {
    if (bytes.size() < 2) return {};
    const std::size_t length = bytes[0] | (std::size_t{bytes[1]} << 8);
    const std::size_t present = std::min(bytes.size(), kRecordSize) - 2;
    if (length > kMaxRecordText || length > present) return {};
    const auto* text = reinterpret_cast<const char*>(bytes.data() + 2);
    return numbers::windows1252ToUtf8(std::string_view(text, length));
}

bool isWholeRecord(std::span<const unsigned char> bytes) {
    if (bytes.size() < 2) return false;
    const std::size_t length = bytes[0] | (std::size_t{bytes[1]} << 8);
    return std::min(bytes.size(), kRecordSize) - 2 >= std::min(length, kMaxRecordText);
}

}  // namespace configuration
