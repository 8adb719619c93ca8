#include "configuration/atomicfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace configuration {

namespace fs = std::filesystem;

namespace {

// Temporary files are named "." + the target's name (cut so that a name near the system's limit
// still leaves room) + "." + digits + "-" + digits + ".tmp".
constexpr std::size_t kNameKept = 64;
constexpr std::string_view kTemporaryEnd = ".tmp";
// Far more entries than a pupil's folder holds: the search for stale temporaries stays bounded.
constexpr int kMaxEntriesSearched = 100000;

std::string temporaryPrefix(const fs::path& target) {
    return "." + target.filename().string().substr(0, kNameKept) + ".";
}

bool isTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() + kTemporaryEnd.size() || !name.starts_with(prefix) ||
        !name.ends_with(kTemporaryEnd)) {
        return false;
    }
    const std::string_view middle(name.data() + prefix.size(),
                                  name.size() - prefix.size() - kTemporaryEnd.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == middle.size()) return false;
    for (std::size_t i = 0; i < middle.size(); ++i) {
        if (i != dash && (middle[i] < '0' || middle[i] > '9')) return false;
    }
    return true;
}

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

// Whether the permission bits let this program write the file. Only the bits count: the
// replacement needs the folder's permission alone, and root would pass any other test, so a file
// set read-only would be replaced without them.
bool bitsAllowWriting(const struct stat& info) {
    if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
    if (inGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

// An open file descriptor, closed when it goes.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

struct Temporary {
    fs::path path;
    Descriptor lock;
};

// Creates a new, empty file beside `target` whose name no other file has, and holds its lock.
std::optional<Temporary> createTemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const fs::path folder = target.parent_path();
    // Bounded: a name is taken only when another program races us to it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryPrefix(target) + std::to_string(stamp % 1000000007) + "-" +
                                 std::to_string(counter.fetch_add(1)) + std::string(kTemporaryEnd);
        const fs::path candidate = folder.empty() ? fs::path(name) : folder / name;
        // O_EXCL: nothing of someone else's is ever overwritten.
        Descriptor file(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.get() < 0) {
            if (errno == EEXIST) continue;
            return std::nullopt;  // the folder refuses new files
        }
        // Another save's search may have taken the file between its creation and this lock:
        // a file it removed has no name left, and another is made.
        struct stat info {};
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(file.get(), &info) != 0 ||
            info.st_nlink == 0) {
            continue;
        }
        return Temporary{candidate, std::move(file)};
    }
    return std::nullopt;
}

// A file of a set, written whole to its temporary and waiting to replace its target.
struct Prepared {
    fs::path destination;
    bool existed = false;
    fs::perms mode = fs::perms::none;
    Temporary temporary;
};

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// Follows a link, checks that the target may be replaced and writes the new content beside it.
std::optional<Prepared> prepare(const fs::path& target, const std::function<bool(const fs::path&)>& writeTo) {
    std::error_code error;
    fs::path destination = target;
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (error) return std::nullopt;
        destination = resolved;
    }
    if (destination.filename().empty() || fs::is_directory(destination, error)) return std::nullopt;
    struct stat existing {};
    const bool exists = ::stat(destination.c_str(), &existing) == 0;
    if (exists && !bitsAllowWriting(existing)) return std::nullopt;

    removeStaleTemporaries(destination);
    auto temporary = createTemporaryBeside(destination);
    if (!temporary) return std::nullopt;
    Prepared prepared{destination, exists, static_cast<fs::perms>(existing.st_mode & 07777),
                      std::move(*temporary)};
    if (!writeTo || !writeTo(prepared.temporary.path)) {
        removeQuietly(prepared.temporary.path);
        return std::nullopt;
    }
    // Keeping the permissions is a courtesy, not a reason to fail the save.
    if (exists) fs::permissions(prepared.temporary.path, prepared.mode, error);
    return prepared;
}

// A copy of a target about to be replaced, to put back should the rest of its set fail.
std::optional<Temporary> backUp(const Prepared& file) {
    auto copy = createTemporaryBeside(file.destination);
    if (!copy) return std::nullopt;
    std::error_code error;
    if (!fs::copy_file(file.destination, copy->path, fs::copy_options::overwrite_existing, error) || error) {
        removeQuietly(copy->path);
        return std::nullopt;
    }
    fs::permissions(copy->path, file.mode, error);
    return copy;
}

bool sameDestination(const std::vector<Prepared>& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (fs::absolute(files[i].destination).lexically_normal() ==
                fs::absolute(files[j].destination).lexically_normal())
                return true;
        }
    }
    return false;
}

}  // namespace

bool permissionsAllowReplacing(const fs::path& path) {
    struct stat existing {};
    return ::stat(path.c_str(), &existing) != 0 || bitsAllowWriting(existing);
}

// A save in progress holds a lock on its temporary file for as long as it lives, so a file that can
// be locked has lost its writer.
void removeStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path();
    const std::string prefix = temporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    int searched = 0;
    for (; !error && entries != fs::directory_iterator() && searched < kMaxEntriesSearched;
         entries.increment(error), ++searched) {
        const fs::path candidate = entries->path();
        if (!isTemporaryOf(candidate.filename().string(), prefix)) continue;
        const Descriptor file(::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
        struct stat opened {};
        struct stat named {};
        // The name may have been taken over since it was listed: only the file locked goes.
        if (::fstat(file.get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::lstat(candidate.c_str(), &named) == 0 && sameFile(opened, named)) {
            ::unlink(candidate.c_str());
        }
    }
}

bool replaceFileAtomically(const fs::path& target, const std::function<bool(const fs::path&)>& writeTo) {
    const FileReplacement file{target, writeTo};
    return replaceFilesAtomically(std::span(&file, 1));
}

bool replaceFilesAtomically(std::span<const FileReplacement> files, std::size_t* failedFile) {
    std::vector<Prepared> prepared;
    prepared.reserve(files.size());
    bool ok = true;
    for (const FileReplacement& file : files) {
        auto written = prepare(file.target, file.writeTo);
        if (!written) {
            ok = false;
            break;
        }
        prepared.push_back(std::move(*written));
    }
    std::size_t failed = prepared.size();
    if (ok && sameDestination(prepared)) {
        ok = false;
        failed = 0;
    }
    // One rename replaces one file whole; a set needs the previous contents kept until it is done.
    std::vector<std::optional<Temporary>> backups(prepared.size());
    for (std::size_t i = 0; ok && prepared.size() > 1 && i < prepared.size(); ++i) {
        if (!prepared[i].existed) continue;
        if (auto copy = backUp(prepared[i])) backups[i].emplace(std::move(*copy));
        ok = backups[i].has_value();
        if (!ok) failed = i;
    }
    std::size_t replaced = 0;
    for (; ok && replaced < prepared.size(); ++replaced) {
        std::error_code error;
        fs::rename(prepared[replaced].temporary.path, prepared[replaced].destination, error);
        ok = !error;
        if (!ok) {
            failed = replaced;
            break;
        }
    }
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        if (!ok && i < replaced) {
            std::error_code error;
            if (backups[i]) {
                fs::rename(backups[i]->path, prepared[i].destination, error);
                if (!error) backups[i].reset();
            } else {
                removeQuietly(prepared[i].destination);
            }
        }
        if (i >= replaced) removeQuietly(prepared[i].temporary.path);
        if (backups[i]) removeQuietly(backups[i]->path);
    }
    if (!ok && failedFile) *failedFile = failed;
    return ok;
}

bool writeFileAtomically(const fs::path& target, std::span<const unsigned char> bytes) {
    return replaceFileAtomically(target, [bytes](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return !out.fail();
    });
}

}  // namespace configuration
