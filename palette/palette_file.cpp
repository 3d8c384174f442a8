#include "palette/palette_file.h"

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "palette/palette_formats.h"

namespace palette {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReadFile = std::unique_ptr<std::FILE, CloseFile>;

// Opens a file for reading by its path, not a narrow name, so accented folder
// names open on every platform. C stdio rather than a file stream: the first
// stream sets up the C++ locale, which would cost the editor's start-up a few
// hundred KiB of library pages for a file of 768 bytes.
ReadFile openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return ReadFile(_wfopen(path.c_str(), L"rb"));
#else
    return ReadFile(std::fopen(path.c_str(), "rb"));
#endif
}

// The whole file, up to MAX_PALETTE_FILE_BYTES.
model::Result<std::vector<std::uint8_t>> readPaletteBytes(const std::filesystem::path& path) {
    const ReadFile in = openForReading(path);
    if (!in) return model::failure(model::ErrorKind::NotFound, path.string());

    // One byte more than the largest file taken tells a too-large file apart without
    // trusting a size from the file system; a folder opens but fails to read.
    std::vector<std::uint8_t> bytes(MAX_PALETTE_FILE_BYTES + 1);
    const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), in.get());
    if (std::ferror(in.get())) return model::failure(model::ErrorKind::Unreadable, path.string());
    bytes.resize(count);
    if (bytes.size() > MAX_PALETTE_FILE_BYTES) return model::failure(model::ErrorKind::TooLarge, path.string());
    return bytes;
}

LoadedPalette withSlots(Palette palette) {
    LoadedPalette loaded;
    loaded.palette = std::move(palette);
    loaded.colourSlots = slotsFromPalette(loaded.palette);
    return loaded;
}

}  // namespace

model::Result<LoadedPalette> loadPalette(const std::filesystem::path& path) {
    const auto bytes = readPaletteBytes(path);
    if (!bytes) return bytes.error();
    return withSlots(paletteFromBytes(*bytes));
}

model::Result<LoadedPalette> loadPaletteFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return model::failure(model::ErrorKind::NotAFile, path.string());
    const auto bytes = readPaletteBytes(path);
    if (!bytes) return bytes.error();
    auto palette = decodePaletteFile(*bytes);
    if (!palette) return palette.error();
    return withSlots(std::move(*palette));
}

model::Result<LoadedPalette> loadStartPalette(const std::filesystem::path& workingDir,
                                              const std::filesystem::path& shippedDir) {
    if (auto own = loadPalette(workingDir / PALETTE_FILE_NAME)) return own;
    return loadPalette(shippedDir / PALETTE_FILE_NAME);
}

}  // namespace palette
