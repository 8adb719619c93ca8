#include "configuration/recordbuffer.h"

#include <algorithm>

#include "configuration/recordview.h"

namespace configuration {

std::optional<std::string> RecordBuffer::read(std::int64_t n) {
    return RecordView(m_bytes).read(n);
}

bool RecordBuffer::holds(std::int64_t n) {
    return RecordView(m_bytes).holds(n);
}

bool RecordBuffer::write(std::int64_t n, std::string_view utf8) {
    if (!isRecordNumber(n)) return false;
    const auto record = encodeRecord(utf8);
    if (!record) return false;
    const auto offset = static_cast<std::size_t>(n - 1) * kRecordSize;
    if (m_bytes.size() < offset + kRecordSize) m_bytes.resize(offset + kRecordSize, 0);
    std::copy(record->begin(), record->end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

}  // namespace configuration
