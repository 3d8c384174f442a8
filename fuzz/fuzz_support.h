#pragma once
// Shared by the fuzz targets: a scratch file per process for the readers that only
// take a path, and a check that stops the run with a message the fuzzer keeps.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

// A scratch file in memory-backed storage when the machine has it; one name per
// process, so parallel fuzzers (-jobs, -fork) never share one.
inline std::filesystem::path scratchPath(const char* tag) {
    std::error_code error;
    std::filesystem::path folder = "/dev/shm";
    if (!std::filesystem::is_directory(folder, error)) folder = std::filesystem::temp_directory_path();
    return folder / ("viroror-fuzz-" + std::string(tag) + "-" + std::to_string(::getpid()));
}

inline bool writeScratch(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (size > 0) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return !out.fail();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) ::fuzz::fail(#condition, __FILE__, __LINE__); \
    } while (false)
