#include "io/safe_write.h"

#include <atomic>
#include <chrono>
#include <fstream>
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

// The file a write to target really replaces: a link's destination, otherwise target.
fs::path resolveTarget(const fs::path& target) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
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
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    const fs::path temporary = freshTemporaryName(folder);
    if (temporary.empty()) return failure("no free temporary name in " + displayName(folder));

    // From here on, every way out that is not success removes the temporary file.
    auto discard = [&](std::string why) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return failure(std::move(why));
    };

    {
        std::ofstream out(temporary, std::ios::binary | std::ios::out | std::ios::trunc);
        if (!out.is_open()) return discard("cannot create a file in " + displayName(folder));
        if (!bytes.empty()) {
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        if (!out) return discard("write failed: " + displayName(target));
        out.flush();
        if (!out) return discard("flush failed: " + displayName(target));
        out.close();
        if (out.fail()) return discard("close failed: " + displayName(target));
    }

    // The write is complete on disk as far as the stream can tell; the size is the last check
    // before the old file is given up.
    std::error_code ec;
    const auto written = fs::file_size(temporary, ec);
    if (ec || written != bytes.size()) return discard("short write: " + displayName(target));

    // Keep the permissions an existing file had (its content is what gets replaced).
    const auto old = fs::status(target, ec);
    if (!ec && fs::is_regular_file(old)) {
        std::error_code ignored;
        fs::permissions(temporary, old.permissions(), fs::perm_options::replace, ignored);
    }

    fs::rename(temporary, target, ec);
    if (ec) return discard("cannot replace " + displayName(target) + ": " + ec.message());
    return model::Done{};
}

model::Result<> writeFileReplacing(const fs::path& target, std::string_view bytes) {
    return writeFileReplacing(
        target, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace io
