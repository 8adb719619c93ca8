#include "configuration/atomicfile.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace configuration {

namespace fs = std::filesystem;

namespace {

// Creates a new, empty file beside `target` whose name no other file has, and gives its path.
std::optional<fs::path> createTemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const fs::path folder = target.parent_path();
    // Bounded: a name is taken only when another program races us to it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        // The target's name is cut so that a name near the system's limit still leaves room.
        const std::string name = "." + target.filename().string().substr(0, 64) + "." +
                                 std::to_string(stamp % 1000000007) + "-" +
                                 std::to_string(counter.fetch_add(1)) + ".tmp";
        const fs::path candidate = folder.empty() ? fs::path(name) : folder / name;
        // "x": fails when the file exists, so that nothing of someone else's is overwritten.
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
            if (std::fclose(file) == 0) return candidate;
            std::error_code ignored;
            fs::remove(candidate, ignored);
            return std::nullopt;
        }
        std::error_code error;
        if (!fs::exists(candidate, error)) return std::nullopt;  // the folder refuses new files
    }
    return std::nullopt;
}

}  // namespace

bool replaceFileAtomically(const fs::path& target, const std::function<bool(const fs::path&)>& writeTo) {
    std::error_code error;
    fs::path destination = target;
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (error) return false;
        destination = resolved;
    }
    if (destination.filename().empty() || fs::is_directory(destination, error)) return false;

    const auto temporary = createTemporaryBeside(destination);
    if (!temporary) return false;
    bool ok = writeTo && writeTo(*temporary);
    if (ok && fs::exists(destination, error)) {
        const auto permissions = fs::status(destination, error).permissions();
        if (!error) fs::permissions(*temporary, permissions, error);
        error.clear();  // keeping the permissions is a courtesy, not a reason to fail the save
    }
    if (ok) {
        fs::rename(*temporary, destination, error);
        ok = !error;
    }
    if (!ok) fs::remove(*temporary, error);
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
