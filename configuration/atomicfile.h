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

// `writeTo` writes the whole new content to the path it is given (an empty file that already
// exists) and reports whether it succeeded. A symbolic link is followed: the file it names is
// replaced. An existing target's permissions are kept.
bool replaceFileAtomically(const std::filesystem::path& target,
                           const std::function<bool(const std::filesystem::path& temporary)>& writeTo);

// Replaces the target by exactly these bytes.
bool writeFileAtomically(const std::filesystem::path& target, std::span<const unsigned char> bytes);

}  // namespace configuration
