#pragma once
// Shared pieces of the file-layer tests: a temporary folder, whole-file reads and writes,
// seeded bytes, and child processes under a file-size limit (a full disk anywhere) or
// as an unprivileged user.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <vector>

#ifdef __unix__
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace iotest {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct TempFolder {
    const fs::path path = fs::temp_directory_path() / ("viroror-io-" + std::to_string(std::random_device{}()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path operator/(const std::string& name) const { return path / name; }
    // Every name in the folder, sorted: leftovers show here.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

inline Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline Bytes seededBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

#ifdef __unix__
// Runs body in a forked child whose files may not grow past limit bytes (writes beyond
// fail with EFBIG). The child's exit code: 0 when body returned true, 1 when false.
inline int runWithFileSizeLimit(rlim_t limit, const std::function<bool()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit cap{limit, limit};
        _exit(setrlimit(RLIMIT_FSIZE, &cap) != 0 ? 3 : body() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs body in a forked child that has become the user "nobody" (so the system's
// permission checks apply to it even when the tests run as an administrator); body's
// result must fit in 0..127. -1 when the child could not change user or did not exit.
inline int runAsNobody(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        const passwd* nobody = getpwnam("nobody");
        const bool changed = nobody != nullptr && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
                             setuid(nobody->pw_uid) == 0;
        _exit(changed ? body() & 0x7F : 200);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) && WEXITSTATUS(status) != 200 ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace iotest
