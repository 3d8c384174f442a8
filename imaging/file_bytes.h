#pragma once
// Reading a whole picture file into memory, with a ceiling on its size, so every
// decoder works on a buffer and never on a file it has not measured first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace imaging {

// Largest picture file read at all: comfortably above an uncompressed true-colour
// bitmap of the largest picture the decoders accept.
inline constexpr std::size_t MAX_PICTURE_FILE_BYTES = 256u * 1024 * 1024;

// The bytes of the file at path (UTF-8, so names with spaces and accented letters
// work on every platform), or nothing when it cannot be opened, is not a regular
// file, is larger than maxBytes or cannot be read to the end.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes = MAX_PICTURE_FILE_BYTES);

}  // namespace imaging
