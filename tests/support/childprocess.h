#pragma once
// What the tests ask of the system's processes: a child to kill half-way through a save, the
// user's privileges, a file-size limit. Windows has neither fork() nor file-size limits nor
// permission bits that deny reading, so there each of these says it cannot, and the test that
// needs it is skipped with the reason below.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace testsupport {

inline constexpr const char* kNoChildReason =
    "this system has no fork(): a save cannot be stopped half-way in a child process";
inline constexpr const char* kNoFileSizeLimitReason =
    "this system has no file-size limit to make a disk fill up half-way";
inline constexpr const char* kNoUnreadableFileReason =
    "this system's file permissions cannot forbid its owner to read a file";

int processId();
bool runsAsRoot();

struct ChildEnd {
    bool killed = false;  // by a signal, as killThisProcess does
    int exitCode = -1;    // when it returned
};

// Runs `body` in a child process and waits for it; its return value is the child's exit code.
// Nothing where the system cannot copy a process.
std::optional<ChildEnd> inChild(const std::function<int()>& body);
// Like inChild, the child first becoming the unprivileged user "nobody".
std::optional<ChildEnd> inChildAsNobody(const std::function<int()>& body);
// Ends this process at once, as a power cut or the task manager would.
[[noreturn]] void killThisProcess();

// Whether the owner of a file can be denied reading it by its permissions.
bool permissionsDenyOwner();

// Files this process writes cannot grow past `bytes` while the object lives; a write beyond
// fails instead of stopping the process. active() is false where the system has no such limit.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

  private:
    bool m_active = false;
    std::uint64_t m_previousSoft = 0;
    void (*m_previousHandler)(int) = nullptr;
};

// Sets or removes a variable of this process's environment.
void setEnvironment(const char* name, const std::string& value);
void unsetEnvironment(const char* name);

// Bytes the C library's heap holds in blocks in use now; nothing where it cannot be told.
std::optional<std::size_t> heapBytesInUse();

// The exit code of a program std::system ran; -1 when it did not return.
int exitCodeOfSystem(int status);

}  // namespace testsupport
