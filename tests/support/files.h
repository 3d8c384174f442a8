#pragma once
// What the tests of every folder share: a temporary folder, whole-file reads and
// writes, seeded bytes, and child processes under a file-size limit (a full disk
// anywhere) or as an unprivileged user.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#ifdef __unix__
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace support {

namespace fs = std::filesystem;
using Byte = std::uint8_t;
using Bytes = std::vector<Byte>;

inline fs::path utf8Path(const std::string& name) { return fs::path(std::u8string(name.begin(), name.end())); }

inline Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline Bytes seededBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (Byte& b : bytes) b = static_cast<Byte>(random());
    return bytes;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
// Names given as std::string are UTF-8.
struct TempFolder {
    TempFolder() {
        static unsigned counter = 0;
        std::random_device device;
        do path = fs::temp_directory_path() / ("viroror-test-" + std::to_string(device() + counter++));
        while (!fs::create_directory(path));
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path operator/(const std::string& leaf) const { return path / utf8Path(leaf); }
    std::string name(const std::string& leaf) const {
        const std::u8string text = (*this / leaf).u8string();
        return std::string(text.begin(), text.end());
    }
    std::string write(const std::string& leaf, const Bytes& bytes) const {
        writeBytes(*this / leaf, bytes);
        return name(leaf);
    }
    // Every name in the folder, sorted: leftovers show here.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path path;
};

#ifdef __unix__
// Runs body in a forked child and returns its exit code (body's result, 0..127), or
// -1 when it did not exit normally. _exit leaves the parent's folders and windows alone.
inline int runInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int code = body();
        std::fflush(nullptr);
        _exit(code & 0xFF);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child whose files may not grow past limit bytes (writes beyond fail with EFBIG).
inline int runWithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
    return runInChild([&] {
        const rlimit cap{limit, limit};
        return signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &cap) == 0 ? body() : 100;
    });
}

// In a child that has become the user "nobody", so the system's permission checks
// apply even when the tests run as an administrator; -1 when it could not change user.
inline int runAsNobody(const std::function<int()>& body) {
    const int code = runInChild([&] {
        const passwd* nobody = getpwnam("nobody");
        const bool changed = nobody != nullptr && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
                             setuid(nobody->pw_uid) == 0;
        return changed ? body() & 0x7F : 200;
    });
    return code == 200 ? -1 : code;
}
#endif

}  // namespace support
