#include "imaging/import_fit.h"

#include <algorithm>
#include <cstring>

#include "imaging/bmp8.h"
#include "imaging/colour_fit.h"

namespace imaging {

Picture cropPicture(const Picture& picture, int w, int h) {
    if (picture.empty() || (picture.width <= w && picture.height <= h)) return picture;
    Picture part;
    part.width = std::min(picture.width, std::max(w, 0));
    part.height = std::min(picture.height, std::max(h, 0));
    if (part.empty()) return {};
    part.rgb.resize(static_cast<std::size_t>(part.width) * static_cast<std::size_t>(part.height) * 3);
    for (int y = 0; y < part.height; ++y) {
        std::memcpy(part.pixel(0, y), picture.pixel(0, y), static_cast<std::size_t>(part.width) * 3);
    }
    return part;
}

Picture pictureFromIndexed(const IndexedPicture& indexed) {
    Picture shown;
    if (indexed.width <= 0 || indexed.height <= 0) return shown;
    shown.width = indexed.width;
    shown.height = indexed.height;
    shown.rgb.resize(static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height) * 3);
    for (int y = 0; y < shown.height; ++y) {
        std::uint8_t* out = shown.pixel(0, y);
        for (int x = 0; x < shown.width; ++x, out += 3) {
            const Rgb& c = FIXED_COLOUR_TABLE[indexed.at(x, y)];
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
        }
    }
    return shown;
}

Picture fitForCanvas(const Picture& loaded, int w, int h, bool nineBit) {
    Picture shown = cropPicture(loaded, w, h);
    if (nineBit) {
        reduceTo9Bit(shown);
        return shown;
    }
    return pictureFromIndexed(convertToIndexed(shown));
}

Picture fitForBank(const Picture& loaded, int w, int h, bool nineBit,
                   const std::array<palette::RgbColour, model::BANK_SIZE>& bank) {
    Picture shown = cropPicture(loaded, w, h);
    if (nineBit) reduceTo9Bit(shown);
    // Neighbouring pixels mostly share a colour: the last answer is kept.
    palette::RgbColour last{-1, -1, -1}, fitted{};
    for (std::size_t i = 0; i + 2 < shown.rgb.size(); i += 3) {
        const palette::RgbColour colour{shown.rgb[i], shown.rgb[i + 1], shown.rgb[i + 2]};
        if (colour != last) {
            last = colour;
            const bool transparent = nearestFixedIndex(shown.rgb[i], shown.rgb[i + 1], shown.rgb[i + 2]) ==
                                     model::TRANSPARENT_INDEX;
            fitted = transparent ? palette::RgbColour{FOUR_BIT_TRANSPARENT.r, FOUR_BIT_TRANSPARENT.g,
                                                      FOUR_BIT_TRANSPARENT.b}
                                 : bank[static_cast<std::size_t>(palette::nearestBankValue(bank, colour))];
        }
        shown.rgb[i] = static_cast<std::uint8_t>(fitted.red);
        shown.rgb[i + 1] = static_cast<std::uint8_t>(fitted.green);
        shown.rgb[i + 2] = static_cast<std::uint8_t>(fitted.blue);
    }
    return shown;
}

Picture importCanvasPicture(const Picture& shown) {
    Picture canvas;
    canvas.width = IMPORT_CANVAS_WIDTH;
    canvas.height = IMPORT_CANVAS_HEIGHT;
    canvas.rgb.resize(static_cast<std::size_t>(canvas.width) * canvas.height * 3);
    for (std::size_t i = 0; i < canvas.rgb.size(); i += 3) {
        canvas.rgb[i] = IMPORT_BACKGROUND.r;
        canvas.rgb[i + 1] = IMPORT_BACKGROUND.g;
        canvas.rgb[i + 2] = IMPORT_BACKGROUND.b;
    }
    const int w = shown.empty() ? 0 : std::min(shown.width, canvas.width);
    const int h = shown.empty() ? 0 : std::min(shown.height, canvas.height);
    for (int y = 0; y < h; ++y) std::memcpy(canvas.pixel(0, y), shown.pixel(0, y), static_cast<std::size_t>(w) * 3);
    return canvas;
}

Picture canvasArea(const Picture& canvas, int w, int h) {
    Picture area;
    if (w <= 0 || h <= 0) return area;
    area.width = w;
    area.height = h;
    area.rgb.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    const int inW = canvas.empty() ? 0 : std::min(w, canvas.width);
    const int inH = canvas.empty() ? 0 : std::min(h, canvas.height);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* out = area.pixel(0, y);
        int x = 0;
        if (y < inH) {
            std::memcpy(out, canvas.pixel(0, y), static_cast<std::size_t>(inW) * 3);
            x = inW;
            out += static_cast<std::size_t>(inW) * 3;
        }
        for (; x < w; ++x, out += 3) {
            out[0] = IMPORT_BACKGROUND.r;
            out[1] = IMPORT_BACKGROUND.g;
            out[2] = IMPORT_BACKGROUND.b;
        }
    }
    return area;
}

void flipRows(Picture& picture) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(picture.pixel(0, top), picture.pixel(0, top) + rowBytes, picture.pixel(0, bottom));
    }
}

std::vector<std::uint8_t> exportBitmapBytes(Picture area, bool flip, bool nineBit) {
    if (area.empty()) return {};
    if (flip) flipRows(area);
    if (nineBit) reduceTo9Bit(area);
    return encodeBitmap(convertToIndexed(area));
}

}  // namespace imaging
