#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "tests/support/childprocess.h"

namespace testsupport {

namespace {

std::optional<ChildEnd> waitFor(pid_t child) {
    if (child < 0) return std::nullopt;
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return std::nullopt;
    ChildEnd end;
    end.killed = WIFSIGNALED(status);
    if (WIFEXITED(status)) end.exitCode = WEXITSTATUS(status);
    return end;
}

}  // namespace

int processId() {
    return static_cast<int>(::getpid());
}

bool runsAsRoot() {
    return ::geteuid() == 0;
}

std::optional<ChildEnd> inChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    return waitFor(child);
}

std::optional<ChildEnd> inChildAsNobody(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
        ::_exit(body());
    }
    return waitFor(child);
}

void killThisProcess() {
    ::raise(SIGKILL);
    ::_exit(137);
}

bool permissionsDenyOwner() {
    return true;
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit previous{};
    if (::getrlimit(RLIMIT_FSIZE, &previous) != 0) return;
    m_previousSoft = previous.rlim_cur;
    rlimit small = previous;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    m_active = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    if (!m_active) return;
    rlimit restored{};
    ::getrlimit(RLIMIT_FSIZE, &restored);
    restored.rlim_cur = static_cast<rlim_t>(m_previousSoft);
    ::setrlimit(RLIMIT_FSIZE, &restored);
    std::signal(SIGXFSZ, m_previousHandler);
}

void setEnvironment(const char* name, const std::string& value) {
    ::setenv(name, value.c_str(), 1);
}

void unsetEnvironment(const char* name) {
    ::unsetenv(name);
}

int exitCodeOfSystem(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<std::size_t> heapBytesInUse() {
    return mallinfo2().uordblks;
}

}  // namespace testsupport
