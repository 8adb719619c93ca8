#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/files/systemfiles.h"

namespace platform::files {

namespace {

bool inGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = ::getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group) return true;
    }
    return false;
}

// Only the bits count: root would pass any other test, and replace a file set read-only.
bool bitsAllowWriting(const struct stat& info) {
    if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
    if (inGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isLackOfRoom(int error) {
    return error == ENOSPC || error == EDQUOT;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    bool close() {
        const bool closed = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return closed;
    }

  private:
    int m_fd;
};

}  // namespace

HeldFile::~HeldFile() {
    if (m_handle != kNone) ::close(static_cast<int>(m_handle));
}

HeldFile::HeldFile(HeldFile&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = kNone;
}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
    if (this != &other) {
        if (m_handle != kNone) ::close(static_cast<int>(m_handle));
        m_handle = other.m_handle;
        other.m_handle = kNone;
    }
    return *this;
}

Creation createHeld(const std::filesystem::path& path, HeldFile& held) {
    // O_EXCL: nothing of someone else's is ever overwritten.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.get() < 0) return errno == EEXIST ? Creation::NameTaken : Creation::Refused;
    // Another program's removeIfUnheld may have taken the file between its creation and this
    // lock: a file it removed has no name left.
    struct stat info {};
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(file.get(), &info) != 0 || info.st_nlink == 0)
        return Creation::NameTaken;
    held = HeldFile(file.release());
    return Creation::Created;
}

void removeIfUnheld(const std::filesystem::path& path) {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) return;
    struct stat opened {};
    struct stat named {};
    // The name may have been taken over since it was listed: only the file locked goes.
    if (::fstat(file.get(), &opened) == 0 && S_ISREG(opened.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
        sameFile(opened, named)) {
        ::unlink(path.c_str());
    }
}

bool permissionsAllowWriting(const std::filesystem::path& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) != 0 || bitsAllowWriting(existing);
}

bool readingDenied(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES || errno == EPERM;
}

WriteOutcome writeDurably(const std::filesystem::path& path, WriteMode mode, std::string_view bytes,
                          const std::function<void()>& beforeSync) {
    const int flags = mode == WriteMode::Truncate ? O_TRUNC : O_CREAT | O_EXCL | O_NOFOLLOW;
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | flags, 0666));
    if (file.get() < 0) return WriteOutcome::Failed;
    std::size_t done = 0;
    // Bounded: each pass writes at least one byte or fails.
    while (done < bytes.size()) {
        const ssize_t written = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0)
            return written < 0 && isLackOfRoom(errno) ? WriteOutcome::NoRoom : WriteOutcome::Failed;
        done += static_cast<std::size_t>(written);
    }
    if (beforeSync) beforeSync();
    if (::fsync(file.get()) != 0) return isLackOfRoom(errno) ? WriteOutcome::NoRoom : WriteOutcome::Failed;
    return file.close() ? WriteOutcome::Written : WriteOutcome::Failed;
}

void syncFolder(const std::filesystem::path& folder) {
    const Descriptor opened(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (opened.get() >= 0) ::fsync(opened.get());
}

}  // namespace platform::files
