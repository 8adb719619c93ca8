#pragma once
// Record files: fixed records of 128 bytes numbered from 1, record n at byte (n - 1) x 128, each
// holding one text as a 2-byte little-endian length (at most 126) and that many bytes of
// Windows-1252 text, the rest zeros. Configuration files, exercise files and the shared record
// file of the program family all use this layout.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace configuration {

inline constexpr std::size_t kRecordSize = 128;
inline constexpr std::size_t kMaxRecordText = 126;  // bytes of Windows-1252 text in one record

// Record numbers above this are refused: far beyond any file of the program (128 MiB), it keeps
// a wrong number from filling the memory or the disk.
inline constexpr std::int64_t kMaxRecordNumber = std::int64_t{1} << 20;

using RecordBytes = std::array<unsigned char, kRecordSize>;

// The 128 bytes of a record holding `utf8`, or nothing when the text takes more than 126 bytes
// once in Windows-1252 (characters the code page lacks count as the one "?" they become).
std::optional<RecordBytes> encodeRecord(std::string_view utf8);

// The text, in UTF-8, of a record from those of its bytes that exist (fewer than 128 at the end of
// a short file; bytes past 128 are not looked at). The stored length is not trusted: a record whose
// length is missing, above 126 or longer than the bytes present is damaged and reads as empty, as
// a record beyond the end does, rather than as a cut text that would look valid ("0,0" out of
// "0,01").
std::string decodeRecord(std::span<const unsigned char> bytes);

// Whether those bytes of a record reach the end of its text: its length and as many bytes as the
// length says (126 at most, a damaged length asking for the whole record). False for a record cut
// by the end of the file or lying beyond it.
bool isWholeRecord(std::span<const unsigned char> bytes);

// Whether n may be read or written.
bool isRecordNumber(std::int64_t n);

// Something records can be read from: a file on disk or bytes in memory.
class RecordReader {
  public:
    virtual ~RecordReader() = default;
    // Record n (from 1) as UTF-8 text: empty beyond the end or when damaged; nothing when the
    // medium fails or n is not a record number (below 1 or above kMaxRecordNumber).
    virtual std::optional<std::string> read(std::int64_t n) = 0;
    // Whether record n is there up to the end of its text (isWholeRecord), so that a reader can
    // tell a cut file from records that are truly empty. Readers that make their records up hold
    // them all.
    virtual bool holds(std::int64_t n) { return isRecordNumber(n); }
};

// Something records can be written to.
class RecordWriter {
  public:
    virtual ~RecordWriter() = default;
    // Writes record n (from 1), filling any gap before it with empty records. Fails, writing
    // nothing, when the text is too long for a record or n is not a record number; fails when
    // the medium does.
    virtual bool write(std::int64_t n, std::string_view utf8) = 0;
};

}  // namespace configuration
