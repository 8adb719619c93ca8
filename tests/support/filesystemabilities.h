#pragma once
// What the file system under the tests can do, found by trying it once: Windows (and Wine) make
// no symbolic link without a privilege, keep only a read-only attribute of the permission bits,
// and let anyone create files in a read-only folder. A test that needs one of these is skipped
// with the reason given here.
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "tests/support/childprocess.h"

namespace testsupport {

inline constexpr const char* kNoLinkReason = "this system makes no symbolic link without a privilege";
inline constexpr const char* kNoPermissionBitsReason =
    "this system keeps only a read-only attribute, not the group's and others' permission bits";
inline constexpr const char* kWritableReadOnlyFolderReason =
    "this system lets files be created in a folder marked read-only";

namespace detail {

// Runs `trial` once in a fresh folder of its own, which is removed after, and gives its answer.
template <typename Trial>
bool triedInAFolder(const char* what, Trial trial) {
    namespace fs = std::filesystem;
    const auto folder = fs::temp_directory_path() /
                        ("vireltra-probe-" + std::string(what) + "-" + std::to_string(processId()));
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);
    const bool answer = trial(folder);
    fs::permissions(folder, fs::perms::owner_all, error);
    fs::remove_all(folder, error);
    return answer;
}

}  // namespace detail

inline bool canLinkFiles() {
    static const bool can = detail::triedInAFolder("link", [](const std::filesystem::path& folder) {
        std::ofstream(folder / "a") << "x";
        std::error_code error;
        std::filesystem::create_symlink("a", folder / "b", error);
        return !error && std::filesystem::is_symlink(folder / "b", error);
    });
    return can;
}

inline bool keepsPermissionBits() {
    static const bool keeps = detail::triedInAFolder("bits", [](const std::filesystem::path& folder) {
        using P = std::filesystem::perms;
        std::ofstream(folder / "a") << "x";
        const P mode = P::owner_read | P::owner_write | P::group_read;
        std::error_code error;
        std::filesystem::permissions(folder / "a", mode, error);
        return !error && std::filesystem::status(folder / "a").permissions() == mode;
    });
    return keeps;
}

inline bool readOnlyFoldersRefuseFiles() {
    static const bool refuse = detail::triedInAFolder("folder", [](const std::filesystem::path& folder) {
        using P = std::filesystem::perms;
        std::error_code error;
        std::filesystem::permissions(folder, P::owner_read | P::owner_exec, error);
        return !std::ofstream(folder / "a");
    });
    return refuse;
}

}  // namespace testsupport
