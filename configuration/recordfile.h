#pragma once
#include <filesystem>
#include <fstream>

#include "configuration/records.h"

namespace configuration {

// Whether the system refuses to open the file for reading for lack of permission (rather than for
// its absence or a failing disk), so that the pupil is told the right reason.
bool readingDenied(const std::filesystem::path& path);

// A record file on disk, open for the length of one load or save.
class RecordFile : public RecordReader, public RecordWriter {
  public:
    enum class Mode {
        Read,       // the file must exist
        ReadWrite,  // created empty when missing, never shortened
    };

    RecordFile() = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile() override;

    // Fails on a missing file (when reading), a folder or a file that cannot be opened.
    bool open(const std::filesystem::path& path, Mode mode);
    bool isOpen() const { return m_stream.is_open(); }

    std::optional<std::string> read(std::int64_t n) override;
    bool holds(std::int64_t n) override;
    // Only in ReadWrite mode.
    bool write(std::int64_t n, std::string_view utf8) override;

    // Reports whether every write reached the file. Closing a closed file succeeds.
    bool close();

  private:
    // The bytes of record n that the file holds (fewer than 128 at its end); nothing when the
    // medium fails.
    std::optional<std::size_t> readBytes(std::int64_t n, RecordBytes& record);
    bool fillUpTo(std::streamoff offset);

    std::fstream m_stream;
    Mode m_mode = Mode::Read;
    bool m_writeFailed = false;
};

}  // namespace configuration
