#pragma once
// A small libpng writer shared by the resource generators: grey-with-alpha icons,
// the colour program icon and palette-indexed pictures. (The program's own writer,
// for its batch commands, is imaging/png_encode.h.)

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/fixed_colour_table.h"

namespace tools {

enum class PngKind { GreyAlpha, Indexed, Rgba };

// Writes width x height pixels, rows top to bottom: 2 bytes per pixel (grey, alpha)
// for GreyAlpha, 1 byte (an index into `colours`) for Indexed, 4 (red, green, blue,
// alpha) for Rgba. Time and text chunks
// are left out so the output depends only on the pixels.
inline bool writePng(const std::string& path, int width, int height, PngKind kind,
                     const std::vector<std::uint8_t>& pixels,
                     const std::array<imaging::Rgb, 256>& colours = imaging::FIXED_COLOUR_TABLE) {
    const int bytesPerPixel = kind == PngKind::GreyAlpha ? 2 : kind == PngKind::Rgba ? 4 : 1;
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height * bytesPerPixel)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        return false;
    }
    std::vector<png_color> plte(256);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 kind == PngKind::GreyAlpha ? PNG_COLOR_TYPE_GRAY_ALPHA
                 : kind == PngKind::Rgba    ? PNG_COLOR_TYPE_RGB_ALPHA
                                            : PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (kind == PngKind::Indexed) {
        for (std::size_t i = 0; i < 256; ++i) plte[i] = png_color{colours[i].r, colours[i].g, colours[i].b};
        png_set_PLTE(png, info, plte.data(), 256);
    }
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(width) * bytesPerPixel;
    for (int y = 0; y < height; ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(pixels.data() + stride * y);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace tools
