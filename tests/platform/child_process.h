// Runs a piece of a test in a child process: for limits and identities that
// must not touch the test process itself.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace testchild {

/// The exit status of `body` run in a forked child; -1 when it did not exit normally.
inline int Run(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 99;
        try {
            status = body();
        } catch (...) {
            status = 98;
        }
        _exit(status);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

/// Drops root's rights in a child, so that file permissions apply; returns
/// false when that fails. A non-root user keeps who they are.
inline bool BecomeOrdinaryUser() {
    if (geteuid() != 0) return true;
    return setgid(65534) == 0 && setuid(65534) == 0;
}

}  // namespace testchild
