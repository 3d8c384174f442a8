#pragma once
// Reading the palette file: three bytes (red, green, blue) per colour, no header,
// records until the end of the file. The file is only ever read.

#include <cstdint>
#include <filesystem>

#include "model/result.h"
#include "palette/palette.h"

namespace palette {

// The palette file read at start-up from the working folder.
inline constexpr const char* PALETTE_FILE_NAME = "rgb9spreada.pal";

// A palette file larger than this is refused as unreadable rather than turned into
// hundreds of thousands of entries (a real one is 768 bytes).
inline constexpr std::uintmax_t MAX_PALETTE_FILE_BYTES = 1024 * 1024;

// Both lists as filled by a load: the palette and its copy behind the slot panel.
struct LoadedPalette {
    Palette palette;
    ColourSlots colourSlots;
};

// Reads the palette file at path. Fails with NotFound when it cannot be opened,
// Unreadable on a read error (a folder among them) and TooLarge past
// MAX_PALETTE_FILE_BYTES; the caller then tells the user and ends the program.
model::Result<LoadedPalette> loadPalette(const std::filesystem::path& path);

// Where the installed program keeps its default palette file, relative to the folder
// that holds the program: <prefix>/bin/viroror reads <prefix>/share/viroror/.
inline constexpr const char* SHIPPED_PALETTE_DIR = "../share/viroror";

// The palette a run starts with: PALETTE_FILE_NAME of the working folder when that
// reads, else the one in shippedDir (the program's own copy). Fails as loadPalette
// does on the shipped file when neither reads.
model::Result<LoadedPalette> loadStartPalette(const std::filesystem::path& workingDir,
                                              const std::filesystem::path& shippedDir);

}  // namespace palette
