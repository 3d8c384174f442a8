#include "palette/palette_file.h"

#include <fstream>
#include <vector>

namespace palette {

model::Result<LoadedPalette> loadPalette(const std::filesystem::path& path) {
    // A path, not a narrow name, so accented folder names open on every platform.
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return model::failure(model::ErrorKind::NotFound, path.string());

    // One byte more than the largest file taken tells a too-large file apart without
    // trusting a size from the file system; a folder opens but fails to read.
    std::vector<std::uint8_t> bytes(MAX_PALETTE_FILE_BYTES + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return model::failure(model::ErrorKind::Unreadable, path.string());
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > MAX_PALETTE_FILE_BYTES) return model::failure(model::ErrorKind::TooLarge, path.string());

    LoadedPalette loaded;
    loaded.palette = paletteFromBytes(bytes);
    loaded.colourSlots = slotsFromPalette(loaded.palette);
    return loaded;
}

model::Result<LoadedPalette> loadStartPalette(const std::filesystem::path& workingDir,
                                              const std::filesystem::path& shippedDir) {
    if (auto own = loadPalette(workingDir / PALETTE_FILE_NAME)) return own;
    return loadPalette(shippedDir / PALETTE_FILE_NAME);
}

}  // namespace palette
