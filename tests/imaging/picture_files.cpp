#include "picture_files.h"

#include <png.h>

#include <cstdio>
#include <jpeglib.h>

#include <cstdlib>

namespace picture_files {

void putLe(Bytes& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = Byte(value >> (8 * i));
}

// A recipe libpng or libjpeg refuses is a mistake in the test: the library prints why and ends the run.
Bytes writePng(const PngRecipe& r) {
    Bytes out;
    std::vector<Bytes> copies = r.rows;
    std::vector<png_bytep> rows;
    for (Bytes& row : copies) rows.push_back(row.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const auto append = [](png_structp p, png_bytep data, std::size_t length) {
        auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
        bytes->insert(bytes->end(), data, data + length);
    };
    png_set_write_fn(png, &out, append, nullptr);
    png_set_IHDR(png, info, png_uint_32(r.width), png_uint_32(r.height), r.bitDepth, r.colourType,
                 PNG_INTERLACE_NONE, 0, 0);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes writeJpeg(const JpegRecipe& r) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(r.width);
    info.image_height = JDIMENSION(r.height);
    info.input_components = r.components;
    info.in_color_space = r.components == 1 ? JCS_GRAYSCALE : r.components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    if (r.components == 4) jpeg_set_colorspace(&info, r.ycck ? JCS_YCCK : JCS_CMYK);
    for (int c = 0; c < info.num_components; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_set_quality(&info, r.quality, TRUE);
    if (r.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (JSAMPROW row; info.next_scanline < info.image_height; jpeg_write_scanlines(&info, &row, 1))
        row = const_cast<JSAMPLE*>(&r.pixels[std::size_t(r.width) * r.components * info.next_scanline]);
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

}  // namespace picture_files
