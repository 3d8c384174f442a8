#include "imaging/gif_decode.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace imaging {

namespace {

constexpr int GRAPHIC_CONTROL = 0xF9;
constexpr int TRANSPARENT_FLAG = 0x01;

int readFromSource(GifFileType* gif, GifByteType* to, int count) {
    if (count <= 0) return 0;
    auto* source = static_cast<PictureSource*>(gif->UserData);
    return static_cast<int>(source->read(to, static_cast<std::size_t>(count)));
}

// Closes the file on every path out of the decode.
struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        int error = 0;
        if (gif != nullptr) DGifCloseFile(gif, &error);
    }
};

// Skips an extension's data, noting the transparent index of a graphic control block.
bool readExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    if (code == GRAPHIC_CONTROL && block != nullptr && block[0] >= 4 && (block[1] & TRANSPARENT_FLAG) != 0)
        transparentIndex = block[4];
    while (block != nullptr)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    return true;
}

model::Result<Picture> readFirstImage(GifFileType* gif, int transparentIndex) {
    if (DGifGetImageDesc(gif) == GIF_ERROR) return model::failure(model::ErrorKind::Malformed);
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0) return model::failure(model::ErrorKind::Malformed);
    const long long width = std::max<long long>(gif->SWidth, static_cast<long long>(frame.Left) + frame.Width);
    const long long height = std::max<long long>(gif->SHeight, static_cast<long long>(frame.Top) + frame.Height);
    if (!pictureSizeAllowed(width, height)) return model::failure(model::ErrorKind::TooLarge);

    // The frame's own table wins over the file's; indices past the table are grey.
    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<GifByteType>(i);
        colours[i] = GifColorType{level, level, level};
    }
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map != nullptr && map->Colors != nullptr)
        std::copy_n(map->Colors, std::clamp(map->ColorCount, 0, 256), colours.begin());

    Picture picture;
    std::vector<GifPixelType> line;
    try {
        picture.width = static_cast<int>(width);
        picture.height = static_cast<int>(height);
        picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
        line.resize(static_cast<std::size_t>(frame.Width));
    } catch (...) {
        return model::failure(model::ErrorKind::Malformed);
    }
    const GifColorType& screen = colours[transparentIndex >= 0 ? transparentIndex : 0];
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
        picture.rgb[i] = screen.Red;
        picture.rgb[i + 1] = screen.Green;
        picture.rgb[i + 2] = screen.Blue;
    }

    // Interlaced rows arrive in four passes: every 8th from 0, every 8th from 4,
    // every 4th from 2, every 2nd from 1.
    static constexpr int PASS_START[] = {0, 4, 2, 1};
    static constexpr int PASS_STEP[] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = frame.Interlace ? PASS_START[pass] : 0;
        const int step = frame.Interlace ? PASS_STEP[pass] : 1;
        for (int row = start; row < frame.Height; row += step) {
            if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return model::failure(model::ErrorKind::Malformed);
            std::uint8_t* to = picture.pixel(frame.Left, frame.Top + row);
            for (const GifPixelType index : line) {
                *to++ = colours[index].Red;
                *to++ = colours[index].Green;
                *to++ = colours[index].Blue;
            }
        }
    }
    return picture;
}

}  // namespace

bool isGifData(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0);
}

model::Result<Picture> decodeGif(PictureSource& source) {
    std::uint8_t signature[6];
    if (!source.seek(0) || !source.readAll(signature, sizeof signature) || !isGifData(signature, 6) ||
        !source.seek(0))
        return model::failure(model::ErrorKind::Malformed);
    int error = 0;
    GifCloser closer{DGifOpen(&source, readFromSource, &error)};
    GifFileType* gif = closer.gif;
    if (gif == nullptr) return model::failure(model::ErrorKind::Malformed);

    int transparentIndex = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return model::failure(model::ErrorKind::Malformed);
        if (record == IMAGE_DESC_RECORD_TYPE) return readFirstImage(gif, transparentIndex);
        if (record != EXTENSION_RECORD_TYPE) return model::failure(model::ErrorKind::Malformed);  // the end, or junk, before any picture
        if (!readExtension(gif, transparentIndex)) return model::failure(model::ErrorKind::Malformed);
    }
}

model::Result<Picture> decodeGif(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodeGif(source);
}

}  // namespace imaging
