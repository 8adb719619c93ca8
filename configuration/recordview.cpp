#include "configuration/recordview.h"

#include <algorithm>

namespace configuration {

std::optional<std::string> RecordView::read(std::int64_t n) {
    if (!isRecordNumber(n)) return std::nullopt;
    const auto offset = static_cast<std::size_t>(n - 1) * kRecordSize;
    if (offset >= m_bytes.size()) return std::string();
    return decodeRecord(m_bytes.subspan(offset, std::min(kRecordSize, m_bytes.size() - offset)));
}

bool RecordView::holds(std::int64_t n) {
    if (!isRecordNumber(n)) return false;
    const auto offset = static_cast<std::size_t>(n - 1) * kRecordSize;
    if (offset >= m_bytes.size()) return false;
    return isWholeRecord(m_bytes.subspan(offset, std::min(kRecordSize, m_bytes.size() - offset)));
}

}  // namespace configuration
