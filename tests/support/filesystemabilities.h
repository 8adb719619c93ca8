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

inline std::filesystem::path probeFolder(const char* what) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("vireltra-probe-" + std::string(what) + "-" + std::to_string(processId()));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

}  // namespace detail

inline bool canLinkFiles() {
    static const bool can = [] {
        const auto folder = detail::probeFolder("link");
        std::ofstream(folder / "a") << "x";
        std::error_code error;
        std::filesystem::create_symlink("a", folder / "b", error);
        const bool made = !error && std::filesystem::is_symlink(folder / "b", error);
        std::filesystem::remove_all(folder, error);
        return made;
    }();
    return can;
}

inline bool keepsPermissionBits() {
    static const bool keeps = [] {
        using P = std::filesystem::perms;
        const auto folder = detail::probeFolder("bits");
        std::ofstream(folder / "a") << "x";
        const P mode = P::owner_read | P::owner_write | P::group_read;
        std::error_code error;
        std::filesystem::permissions(folder / "a", mode, error);
        const bool kept = !error && std::filesystem::status(folder / "a").permissions() == mode;
        std::filesystem::remove_all(folder, error);
        return kept;
    }();
    return keeps;
}

inline bool readOnlyFoldersRefuseFiles() {
    static const bool refuse = [] {
        using P = std::filesystem::perms;
        const auto folder = detail::probeFolder("folder");
        std::error_code error;
        std::filesystem::permissions(folder, P::owner_read | P::owner_exec, error);
        const bool created = static_cast<bool>(std::ofstream(folder / "a"));
        std::filesystem::permissions(folder, P::owner_all, error);
        std::filesystem::remove_all(folder, error);
        return !created;
    }();
    return refuse;
}

}  // namespace testsupport
