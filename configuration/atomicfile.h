#pragma once
// Saving without risking the previous file: the new content goes to a temporary file in the
// target's folder, which replaces the target (by renaming, atomic on one file system) only once
// all of it was written. On any failure the target is left as it was and the temporary file is
// removed; the temporary files of a save that was killed are removed by the next save of the same
// target. A file whose permission bits forbid this program to write it is never replaced, even
// when the folder would allow it and whoever the user is.
#include <filesystem>
#include <functional>
#include <span>

namespace configuration {

// One file of a set that is replaced together: its target and what writes its new content.
struct FileReplacement {
    std::filesystem::path target;
    std::function<bool(const std::filesystem::path& temporary)> writeTo;
};

// `writeTo` writes the whole new content to the path it is given (an empty file that already
// exists) and reports whether it succeeded. A symbolic link is followed: the file it names is
// replaced. An existing target's permissions are kept.
bool replaceFileAtomically(const std::filesystem::path& target,
                           const std::function<bool(const std::filesystem::path& temporary)>& writeTo);

// Every file of the set is written to its temporary first; only once all of them are written are
// the targets replaced, one after the other. Should a replacement fail, the targets already
// replaced get their previous content back and the new ones go: the set changes whole or not at
// all. Each target follows the rules above; no two may name the same file. On failure
// `failedFile`, when given, receives the position of the file that could not be written or put in
// place.
bool replaceFilesAtomically(std::span<const FileReplacement> files, std::size_t* failedFile = nullptr);

// Whether the permission bits of the file (the one a link names) let this program replace it, by
// the rules above; true when there is no such file.
bool permissionsAllowReplacing(const std::filesystem::path& path);

// Removes the temporary files that saves of this target left when they were killed (those no
// running save holds).
void removeStaleTemporaries(const std::filesystem::path& target);

// Replaces the target by exactly these bytes.
bool writeFileAtomically(const std::filesystem::path& target, std::span<const unsigned char> bytes);

}  // namespace configuration
