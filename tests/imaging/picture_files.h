#pragma once
// Test support for the picture decoders: a temporary folder, PNG and JPEG writers
// built on libpng and libjpeg directly (so every colour type can be produced), and
// access to outside readers (Pillow, ImageMagick) when the machine has them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace picture_files {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes the bytes to a file of that name (UTF-8) and returns its full name as UTF-8.
    std::string write(const std::string& name, const Bytes& bytes) const;

private:
    std::filesystem::path path_;
};

std::string utf8(const std::filesystem::path& path);
Bytes readAll(const std::filesystem::path& path);

// A PNG to write: rows already in the file's own sample layout (packed sub-byte
// samples, 16-bit samples big-endian), one entry per row.
struct PngRecipe {
    int width = 0;
    int height = 0;
    int colourType = 0;  // a PNG_COLOR_TYPE_* value
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<Bytes> rows;
    std::vector<std::uint8_t> palette;       // red, green, blue per entry
    std::vector<std::uint8_t> transparency;  // tRNS: alphas for a palette, else one grey or RGB sample
};
Bytes writePng(const PngRecipe& recipe);

// A JPEG of 8-bit samples, rows top-down, components per pixel 1 (grey), 3 (RGB) or
// 4 (CMYK, stored as given, with libjpeg's Adobe marker). Chroma is not subsampled.
struct JpegRecipe {
    int width = 0;
    int height = 0;
    int components = 3;
    bool ycck = false;  // store 4 components as YCCK instead of plain CMYK
    bool progressive = false;
    int quality = 100;
    Bytes pixels;
};
Bytes writeJpeg(const JpegRecipe& recipe);

// The CRC of PNG chunks, for headers written by hand.
std::uint32_t pngCrc(const std::uint8_t* data, std::size_t size);
// A PNG made of the signature, an IHDR chunk with these fields and IEND, nothing else.
Bytes pngHeaderOnly(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType);

// Runs a shell command, true when it exits with 0.
bool run(const std::string& command);
// A Python interpreter that can import PIL, or nothing.
std::optional<std::string> pythonWithPillow();
// True when ImageMagick's convert can be run.
bool haveImageMagick();

// Seeded random bytes.
Bytes randomBytes(std::size_t count, unsigned seed);

}  // namespace picture_files
