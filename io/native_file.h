#pragma once
// The few file operations the standard library cannot do: creating a file that must
// not exist yet, pushing its bytes (and a folder's entries) to the disk itself, and
// asking the system whether this user may write a file. Everything platform-specific
// in this folder lives behind these functions; safe_write.cpp is their only user.

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace io::native {

// An open file handle; INVALID when creating it failed.
using Handle = int;
inline constexpr Handle INVALID = -1;

// Creates path for writing, refusing a name that is already taken (by a file, a
// folder or a link), so two saves never share a temporary file.
Handle createNew(const std::filesystem::path& path, std::error_code& error);

// Writes every byte, resuming after short or interrupted writes.
std::error_code writeAll(Handle handle, std::span<const std::uint8_t> bytes);

// Returns once the file's bytes are on the disk, not just in the system's cache.
std::error_code flushToDisk(Handle handle);

std::error_code close(Handle handle);

// Pushes the folder's list of names to the disk, so a rename just made in it survives
// a power cut. Where folders cannot be flushed (or need not be) this does nothing.
void flushFolder(const std::filesystem::path& folder);

// False when the system's permission check refuses this user writing the existing
// file at path (always true where the permission bits already say it all).
bool systemAllowsWriting(const std::filesystem::path& path);

}  // namespace io::native
