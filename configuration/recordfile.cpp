#include "configuration/recordfile.h"

#include <algorithm>
#include <system_error>

#include "platform/files/systemfiles.h"

namespace configuration {

bool readingDenied(const std::filesystem::path& path) {
    return platform::files::readingDenied(path);
}

RecordFile::~RecordFile() {
    close();
}

bool RecordFile::open(const std::filesystem::path& path, Mode mode) {
    close();
    std::error_code error;
    // A folder opens as a stream on some systems and then reads as an empty file.
    if (std::filesystem::is_directory(path, error)) return false;
    if (mode == Mode::ReadWrite && !std::filesystem::exists(path, error)) {
        // Append mode creates the file without ever truncating one that appeared meanwhile.
        std::ofstream create(path, std::ios::binary | std::ios::app);
        if (!create) return false;
    }
    // Unbuffered: each record goes straight to the file, so a failed write shows at once and
    // opening costs no buffer whatever the size of the file.
    m_stream.rdbuf()->pubsetbuf(nullptr, 0);
    auto flags = std::ios::binary | std::ios::in;
    if (mode == Mode::ReadWrite) flags |= std::ios::out;
    m_stream.open(path, flags);
    m_mode = mode;
    m_writeFailed = false;
    return m_stream.is_open();
}

std::optional<std::size_t> RecordFile::readBytes(std::int64_t n, RecordBytes& record) {
    if (!m_stream.is_open() || !isRecordNumber(n)) return std::nullopt;
    m_stream.clear();
    const auto offset = static_cast<std::streamoff>(n - 1) * static_cast<std::streamoff>(kRecordSize);
    if (!m_stream.seekg(offset)) return std::nullopt;
    m_stream.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(record.size()));
    // Reaching the end is a short record, not a failure; only a failing medium sets badbit.
    if (m_stream.bad()) return std::nullopt;
    const auto count = static_cast<std::size_t>(m_stream.gcount());
    m_stream.clear();
    return count;
}

std::optional<std::string> RecordFile::read(std::int64_t n) {
    RecordBytes record{};
    const auto count = readBytes(n, record);
    if (!count) return std::nullopt;
    return decodeRecord(std::span<const unsigned char>(record.data(), *count));
}

bool RecordFile::holds(std::int64_t n) {
    RecordBytes record{};
    const auto count = readBytes(n, record);
    return count && isWholeRecord(std::span<const unsigned char>(record.data(), *count));
}

bool RecordFile::fillUpTo(std::streamoff offset) {
    if (!m_stream.seekp(0, std::ios::end)) return false;
    std::streamoff size = m_stream.tellp();
    if (size < 0) return false;
    const RecordBytes empty{};
    // Bounded: offset is at most kMaxRecordNumber records.
    while (size < offset) {
        const auto chunk = std::min<std::streamoff>(offset - size, static_cast<std::streamoff>(kRecordSize));
        if (!m_stream.write(reinterpret_cast<const char*>(empty.data()), static_cast<std::streamsize>(chunk)))
            return false;
        size += chunk;
    }
    return true;
}

bool RecordFile::write(std::int64_t n, std::string_view utf8) {
    if (!m_stream.is_open() || m_mode != Mode::ReadWrite || !isRecordNumber(n)) return false;
    const auto record = encodeRecord(utf8);
    if (!record) return false;
    m_stream.clear();
    const auto offset = static_cast<std::streamoff>(n - 1) * static_cast<std::streamoff>(kRecordSize);
    const bool written = fillUpTo(offset) && m_stream.seekp(offset) &&
                         m_stream.write(reinterpret_cast<const char*>(record->data()),
                                        static_cast<std::streamsize>(record->size())) &&
                         m_stream.flush();
    if (!written) {
        m_writeFailed = true;
        m_stream.clear();
    }
    return written;
}

bool RecordFile::close() {
    if (!m_stream.is_open()) return true;
    m_stream.clear();
    m_stream.close();
    const bool ok = !m_stream.fail() && !m_writeFailed;
    m_stream.clear();
    m_writeFailed = false;
    return ok;
}

}  // namespace configuration
