// Child processes for tests that kill the program or run it as a user who cannot write.
#include "forked.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tk::test {

int runForked(const std::function<int()>& body) {
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const int status = body();
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(status);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool dropPrivileges() {
    if (::geteuid() != 0) return true;
    constexpr uid_t kNobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 &&
           ::geteuid() == kNobody;
}

}  // namespace tk::test
