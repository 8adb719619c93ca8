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

}  // namespace testsupport
