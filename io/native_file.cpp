#include "io/native_file.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace io::native {

namespace {
std::error_code lastError() { return {errno, std::generic_category()}; }
}  // namespace

#ifdef _WIN32

Handle createNew(const std::filesystem::path& path, std::error_code& error) {
    const int handle = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    error = handle < 0 ? lastError() : std::error_code();
    return handle < 0 ? INVALID : handle;
}

std::error_code writeAll(Handle handle, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const unsigned chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<unsigned>(bytes.size());
        const int written = _write(handle, bytes.data(), chunk);
        if (written <= 0) return written < 0 ? lastError() : std::make_error_code(std::errc::io_error);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code flushToDisk(Handle handle) { return _commit(handle) != 0 ? lastError() : std::error_code(); }

std::error_code close(Handle handle) { return _close(handle) != 0 ? lastError() : std::error_code(); }

// Windows commits a rename with the file system's own journal; there is no folder handle to flush.
void flushFolder(const std::filesystem::path&) {}

// The read-only attribute is all there is, and std::filesystem shows it as missing write bits.
bool systemAllowsWriting(const std::filesystem::path&) { return true; }

#else

Handle createNew(const std::filesystem::path& path, std::error_code& error) {
    int handle;
    do {
        handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (handle < 0 && errno == EINTR);
    error = handle < 0 ? lastError() : std::error_code();
    return handle < 0 ? INVALID : handle;
}

std::error_code writeAll(Handle handle, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? lastError() : std::make_error_code(std::errc::io_error);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code flushToDisk(Handle handle) {
#ifdef F_FULLFSYNC
    // macOS: fsync reaches the drive but not past its own cache; this does, where the drive allows.
    if (::fcntl(handle, F_FULLFSYNC) == 0) return {};
#endif
    return ::fsync(handle) != 0 ? lastError() : std::error_code();
}

std::error_code close(Handle handle) {
    // After an interrupted close the handle is gone on Linux; closing again could hit another file.
    return ::close(handle) != 0 && errno != EINTR ? lastError() : std::error_code();
}

void flushFolder(const std::filesystem::path& folder) {
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    // Some file systems refuse to flush a folder (EINVAL); the rename has happened either way.
    (void)::fsync(handle);
    ::close(handle);
}

bool systemAllowsWriting(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

#endif

}  // namespace io::native
