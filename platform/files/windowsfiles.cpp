#include <windows.h>

#include "platform/files/systemfiles.h"

namespace platform::files {

namespace {

// A handle opened to read shares reading, writing and deletion, so that this program writes the
// file through other handles and renames it while it holds it; an open asking to share nothing
// then fails, which is how a file is seen to be held.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close() {
        const bool closed = !valid() || ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE m_handle;
};

bool isLackOfRoom(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

}  // namespace

HeldFile::~HeldFile() {
    if (m_handle != kNone) ::CloseHandle(handleOf(m_handle));
}

HeldFile::HeldFile(HeldFile&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = kNone;
}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
    if (this != &other) {
        if (m_handle != kNone) ::CloseHandle(handleOf(m_handle));
        m_handle = other.m_handle;
        other.m_handle = kNone;
    }
    return *this;
}

Creation createHeld(const std::filesystem::path& path, HeldFile& held) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_SHARING_VIOLATION
                   ? Creation::NameTaken
                   : Creation::Refused;
    }
    held = HeldFile(reinterpret_cast<std::intptr_t>(file));
    return Creation::Created;
}

void removeIfUnheld(const std::filesystem::path& path) {
    // Sharing nothing, the open fails while any program holds the file; the file it opens goes
    // when it is closed, whatever name it has by then. A link is opened as itself.
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid()) return;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular =
        ::GetFileInformationByHandle(file.get(), &info) != 0 &&
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    if (!regular) {
        FILE_DISPOSITION_INFO keep{FALSE};
        ::SetFileInformationByHandle(file.get(), FileDispositionInfo, &keep, sizeof keep);
    }
}

bool permissionsAllowWriting(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool readingDenied(const std::filesystem::path& path) {
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return !file.valid() && ::GetLastError() == ERROR_ACCESS_DENIED;
}

WriteOutcome writeDurably(const std::filesystem::path& path, WriteMode mode, std::string_view bytes,
                          const std::function<void()>& beforeSync) {
    const DWORD disposition = mode == WriteMode::Truncate ? TRUNCATE_EXISTING : CREATE_NEW;
    Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return WriteOutcome::Failed;
    std::size_t done = 0;
    // Bounded: each pass writes at least one byte or fails.
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) == 0 || written == 0)
            return isLackOfRoom(::GetLastError()) ? WriteOutcome::NoRoom : WriteOutcome::Failed;
        done += written;
    }
    if (beforeSync) beforeSync();
    if (::FlushFileBuffers(file.get()) == 0)
        return isLackOfRoom(::GetLastError()) ? WriteOutcome::NoRoom : WriteOutcome::Failed;
    return file.close() ? WriteOutcome::Written : WriteOutcome::Failed;
}

void syncFolder(const std::filesystem::path&) {
    // NTFS journals a rename itself; a folder cannot be flushed.
}

}  // namespace platform::files
