#pragma once
#include <vector>

#include "configuration/records.h"

namespace configuration {

// Records held in memory: written and read like a file, for tests and for building a file
// before it goes to disk.
class RecordBuffer : public RecordReader, public RecordWriter {
  public:
    RecordBuffer() = default;
    explicit RecordBuffer(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    std::optional<std::string> read(std::int64_t n) override;
    bool holds(std::int64_t n) override;
    bool write(std::int64_t n, std::string_view utf8) override;

    const std::vector<unsigned char>& bytes() const { return m_bytes; }

  private:
    std::vector<unsigned char> m_bytes;
};

}  // namespace configuration
