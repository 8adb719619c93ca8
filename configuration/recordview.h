#pragma once
#include <span>
#include <vector>

#include "configuration/records.h"

namespace configuration {

// Reads records from bytes in memory without copying them, so that a file can be parsed from a
// buffer. The bytes must outlive the view.
class RecordView : public RecordReader {
  public:
    explicit RecordView(std::span<const unsigned char> bytes) : m_bytes(bytes) {}
    // A temporary vector would be gone before the first read.
    explicit RecordView(std::vector<unsigned char>&&) = delete;

    std::optional<std::string> read(std::int64_t n) override;
    bool holds(std::int64_t n) override;

  private:
    std::span<const unsigned char> m_bytes;
};

}  // namespace configuration
