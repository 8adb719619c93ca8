#pragma once
// The few file operations whose system calls differ between Linux and Windows, for the plain C++
// libraries (no Qt): a file held so that no other program removes it, durable writes, the
// permission checks. One source per system, chosen by CMake.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace platform::files {

// A file this program keeps open: while it does, removeIfUnheld in any program leaves it.
class HeldFile {
  public:
    HeldFile() = default;
    ~HeldFile();
    HeldFile(HeldFile&& other) noexcept;
    HeldFile& operator=(HeldFile&& other) noexcept;
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool held() const { return m_handle != kNone; }
    // The system's descriptor or handle, kNone when nothing is held.
    static constexpr std::intptr_t kNone = -1;
    explicit HeldFile(std::intptr_t handle) : m_handle(handle) {}

  private:
    std::intptr_t m_handle = kNone;
};

enum class Creation { Created, NameTaken, Refused };

// Creates a new, empty file at `path`, never opening one that exists, and holds it in `held`.
// NameTaken: something has that name (or took the file at once); Refused: the folder says no.
Creation createHeld(const std::filesystem::path& path, HeldFile& held);

// Removes the regular file at `path` (never the file a link names) when no program holds it.
void removeIfUnheld(const std::filesystem::path& path);

// Whether the file's own permissions let this program write it (the permission bits for the
// user, whoever that is; the read-only attribute on Windows); true when there is no such file.
bool permissionsAllowWriting(const std::filesystem::path& path);

// Whether opening the file for reading is refused for lack of rights.
bool readingDenied(const std::filesystem::path& path);

enum class WriteMode {
    Truncate,   // an existing file, emptied first
    CreateNew,  // a new file: fails when the name exists, even as a link
};
enum class WriteOutcome { Written, Failed, NoRoom };

// Writes the bytes, calls `beforeSync` (for tests that stop a save half-way), and returns once
// the content is on the disk.
WriteOutcome writeDurably(const std::filesystem::path& path, WriteMode mode, std::string_view bytes,
                          const std::function<void()>& beforeSync);

// Puts a folder's entries (a rename into it) on the disk, where the system needs asking.
void syncFolder(const std::filesystem::path& folder);

}  // namespace platform::files
