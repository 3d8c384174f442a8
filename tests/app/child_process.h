#pragma once
// Runs a piece of a test in a forked child process under a small file size limit,
// so that writes fail for real even as root (permission bits stop nothing there).
// POSIX only: callers guard their use with #ifdef __unix__.

#ifdef __unix__

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

namespace testing_support {

// What became of the child: its exit code, or -1 when it did not exit normally.
// The child sets RLIMIT_FSIZE to limitBytes and ignores SIGXFSZ, so a write past
// the limit fails with EFBIG instead of killing it; then it runs body and leaves
// with body's result through _exit (no destructors, no exit handlers: the parent
// owns the temporary folder, the window and the test's state).
inline int runUnderFileSizeLimit(rlim_t limitBytes, const std::function<int()>& body) {
    std::fflush(nullptr);  // nothing buffered twice
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        int code = 100;
        const rlimit limit{limitBytes, limitBytes};
        if (signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0) code = body();
        std::fflush(nullptr);
        _exit(code);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support

#endif  // __unix__
