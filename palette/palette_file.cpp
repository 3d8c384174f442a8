#include "palette/palette_file.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace palette {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

model::Result<LoadedPalette> loadPalette(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return model::failure(model::ErrorKind::NotFound, path.string());

    // Read to the end in chunks rather than trusting a size from the file system, so
    // a folder (which opens but cannot be read) and short reads are both caught.
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > MAX_PALETTE_FILE_BYTES) return model::failure(model::ErrorKind::TooLarge, path.string());
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) return model::failure(model::ErrorKind::Unreadable, path.string());

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
