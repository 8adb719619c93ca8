#include <malloc.h>
#include <stdlib.h>
#include <windows.h>

#include "tests/support/childprocess.h"

namespace testsupport {

int processId() {
    return static_cast<int>(::GetCurrentProcessId());
}

bool runsAsRoot() {
    // An administrator still meets the read-only attribute and the folders' rights.
    return false;
}

std::optional<ChildEnd> inChild(const std::function<int()>&) {
    return std::nullopt;
}

std::optional<ChildEnd> inChildAsNobody(const std::function<int()>&) {
    return std::nullopt;
}

void killThisProcess() {
    ::TerminateProcess(::GetCurrentProcess(), 137);
    ::ExitProcess(137);
}

bool permissionsDenyOwner() {
    return false;
}

FileSizeLimit::FileSizeLimit(std::uint64_t) {}

FileSizeLimit::~FileSizeLimit() = default;

void setEnvironment(const char* name, const std::string& value) {
    ::_putenv_s(name, value.c_str());
}

void unsetEnvironment(const char* name) {
    ::_putenv_s(name, "");
}

int exitCodeOfSystem(int status) {
    return status;
}

std::optional<std::size_t> heapBytesInUse() {
    _HEAPINFO entry{};
    std::size_t used = 0;
    int status = _HEAPOK;
    // Bounded: a heap of a thousand million blocks is not a test's.
    for (long blocks = 0; blocks < 1'000'000'000L && (status = _heapwalk(&entry)) == _HEAPOK; ++blocks)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    if (status != _HEAPEND) return std::nullopt;
    return used;
}

}  // namespace testsupport
