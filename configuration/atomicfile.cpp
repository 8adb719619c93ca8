#include "configuration/atomicfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/files/systemfiles.h"

namespace configuration {

namespace fs = std::filesystem;

namespace {

// Temporary files are named "." + the target's name (cut so that a name near the system's limit
// still leaves room) + "." + digits + "-" + digits + ".tmp".
constexpr std::size_t kNameKept = 64;
constexpr std::string_view kTemporaryEnd = ".tmp";
// Far more entries than a pupil's folder holds: the search for stale temporaries stays bounded.
constexpr int kMaxEntriesSearched = 100000;

// Names as UTF-8 on every system: Windows' narrow strings follow the local code page.
std::string utf8Name(const fs::path& path) {
    const std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

fs::path fromUtf8(const std::string& name) {
    return fs::path(std::u8string(name.begin(), name.end()));
}

std::string temporaryPrefix(const fs::path& target) {
    std::string name = utf8Name(target);
    std::size_t kept = std::min(name.size(), kNameKept);
    // A character is kept whole, or the name would not be text.
    while (kept > 0 && kept < name.size() && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
    return "." + name.substr(0, kept) + ".";
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

struct Temporary {
    fs::path path;
    platform::files::HeldFile lock;
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
        const fs::path candidate = folder.empty() ? fromUtf8(name) : folder / fromUtf8(name);
        platform::files::HeldFile held;
        switch (platform::files::createHeld(candidate, held)) {
            case platform::files::Creation::Created:
                return Temporary{candidate, std::move(held)};
            case platform::files::Creation::NameTaken:
                continue;
            case platform::files::Creation::Refused:
                return std::nullopt;  // the folder refuses new files
        }
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
    const fs::file_status existing = fs::status(destination, error);
    const bool exists = fs::exists(existing);
    if (exists && !platform::files::permissionsAllowWriting(destination)) return std::nullopt;

    removeStaleTemporaries(destination);
    auto temporary = createTemporaryBeside(destination);
    if (!temporary) return std::nullopt;
    Prepared prepared{destination, exists, exists ? existing.permissions() : fs::perms::none,
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
    // Copied through streams into the file held, as a writer writes it: Windows refuses to copy
    // a file over one that is held open.
    std::error_code error;
    std::ifstream in(file.destination, std::ios::binary);
    std::ofstream out(copy->path, std::ios::binary | std::ios::trunc);
    // An empty file inserts nothing, which a stream counts as a failure.
    if (in && out && in.peek() != std::ifstream::traits_type::eof()) out << in.rdbuf();
    out.close();
    if (!in.is_open() || in.bad() || out.fail()) {
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
    return platform::files::permissionsAllowWriting(path);
}

// A save in progress holds its temporary file for as long as it lives, so a file no one holds has
// lost its writer.
void removeStaleTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path();
    const std::string prefix = temporaryPrefix(target);
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    int searched = 0;
    for (; !error && entries != fs::directory_iterator() && searched < kMaxEntriesSearched;
         entries.increment(error), ++searched) {
        const fs::path candidate = entries->path();
        if (!isTemporaryOf(utf8Name(candidate), prefix)) continue;
        platform::files::removeIfUnheld(candidate);
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
        // The file is the target now: held open, Windows would refuse to put its backup back over it.
        if (ok) prepared[replaced].temporary.lock = platform::files::HeldFile();
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
