#pragma once
// The one way this program writes a file: the bytes go to a temporary file in the
// target's folder, which is flushed to the disk, closed and checked, and only then
// renamed over the target (and the folder flushed, so the rename survives a power cut).
// A failure at any step removes the temporary file and leaves the old target exactly as
// it was, byte for byte; nothing reports success after a failed write.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "model/result.h"

namespace io {

// Replaces (or creates) the file at target with exactly these bytes. Fails with NoName
// for an empty path, NotAFile for a path ending in a separator, CannotWrite otherwise.
// A symbolic link as target is followed and stays: the file it points at is replaced,
// or created when it does not exist yet. A write-protected file (no write permission
// for this user, or none for anyone, even an administrator) is refused and kept.
model::Result<> writeFileReplacing(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);
model::Result<> writeFileReplacing(const std::filesystem::path& target, std::string_view bytes);

// The text shown in messages: the path as UTF-8 (never throws on unusual names).
std::string displayName(const std::filesystem::path& path);

}  // namespace io
