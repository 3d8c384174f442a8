#include "io/safe_write.h"

#include "io/native_file.h"

#include <atomic>
#include <chrono>
#include <random>
#include <system_error>

namespace io {

namespace fs = std::filesystem;

namespace {

// A name in the target's folder that no file holds yet. It never contains the target's
// own name, so a listing of "*.spr*" does not pick up a half-written file.
fs::path freshTemporaryName(const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const auto clock = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::mt19937_64 mix(clock ^ (static_cast<unsigned long long>(device()) << 32) ^ counter.fetch_add(1));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char hex[17];
        const unsigned long long value = mix();
        for (int i = 0; i < 16; ++i) hex[i] = "0123456789abcdef"[(value >> (i * 4)) & 0xF];
        hex[16] = '\0';
        fs::path candidate = folder / (std::string(".viroror-") + hex + ".tmp");
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
    return {};
}

model::Error failure(std::string text) { return model::failure(model::ErrorKind::CannotWrite, std::move(text)); }

// How many links in a row are followed before the chain counts as a loop (as Linux does).
constexpr int MAX_LINKS = 40;

// The file a write to target really replaces: the end of a chain of links, otherwise
// target. A link's relative destination is taken from the link's own folder. The end
// need not exist (a dangling link names the file to create); empty for a loop or a
// link that cannot be read.
fs::path resolveTarget(const fs::path& target) {
    fs::path current = target;
    for (int hop = 0; hop <= MAX_LINKS; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return current;
        const fs::path destination = fs::read_symlink(current, ec);
        if (ec) return {};
        current = destination.is_absolute() ? destination : current.parent_path() / destination;
    }
    return {};
}

// A file the user may not change: one without a write bit for anyone (the user made it
// read-only, and it stays so even for an administrator, whom the system would let
// through) or one the system's own check refuses to this user.
bool isWriteProtected(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::is_regular_file(status)) return false;  // nothing there yet, or a failure found later
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & anyWrite) == fs::perms::none || !native::systemAllowsWriting(file);
}

}  // namespace

std::string displayName(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

model::Result<> writeFileReplacing(const fs::path& requested, std::span<const std::uint8_t> bytes) {
    if (requested.empty()) return model::failure(model::ErrorKind::NoName, "no file name");
    if (!requested.has_filename())
        return model::failure(model::ErrorKind::NotAFile, "not a file name: " + displayName(requested));

    const fs::path target = resolveTarget(requested);
    if (target.empty()) return failure("cannot follow the links of " + displayName(requested));
    if (isWriteProtected(target)) return failure("write-protected: " + displayName(target));
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    std::error_code ec;
    fs::path temporary;
    native::Handle handle = native::INVALID;
    for (int attempt = 0; attempt < 3 && handle == native::INVALID; ++attempt) {
        temporary = freshTemporaryName(folder);
        if (temporary.empty()) return failure("no free temporary name in " + displayName(folder));
        handle = native::createNew(temporary, ec);  // another save may have taken the name meanwhile
        if (handle == native::INVALID && ec != std::errc::file_exists) break;
    }
    if (handle == native::INVALID) {
        return failure("cannot create a file in " + displayName(folder) + ": " + ec.message());
    }

    // From here on, every way out that is not success removes the temporary file.
    auto discard = [&](std::string why, std::error_code cause) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return failure(std::move(why) + displayName(target) + (cause ? ": " + cause.message() : std::string()));
    };

    // The bytes must be on the disk before the rename: otherwise a power cut soon after
    // can leave the new name on an empty file, and the old content gone.
    if (const auto error = native::writeAll(handle, bytes)) {
        native::close(handle);
        return discard("write failed: ", error);
    }
    if (const auto error = native::flushToDisk(handle)) {
        native::close(handle);
        return discard("flush failed: ", error);
    }
    if (const auto error = native::close(handle)) return discard("close failed: ", error);

    // The size is the last check before the old file is given up.
    const auto written = fs::file_size(temporary, ec);
    if (ec || written != bytes.size()) return discard("short write: ", ec);

    // Keep the permissions an existing file had (its content is what gets replaced).
    const auto old = fs::status(target, ec);
    if (!ec && fs::is_regular_file(old)) {
        std::error_code ignored;
        fs::permissions(temporary, old.permissions(), fs::perm_options::replace, ignored);
    }

    fs::rename(temporary, target, ec);
    if (ec) return discard("cannot replace ", ec);
    native::flushFolder(folder);  // makes the rename itself survive a power cut
    return model::Done{};
}

model::Result<> writeFileReplacing(const fs::path& target, std::string_view bytes) {
    return writeFileReplacing(
        target, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace io
