#include "picture_files.h"

#include <png.h>

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <random>

namespace picture_files {

Bytes randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes out(count);
    for (auto& value : out) value = static_cast<std::uint8_t>(generator());
    return out;
}

void putLe(Bytes& file, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TempFolder::TempFolder() {
    static int counter = 0;
    std::random_device device;
    do path = std::filesystem::temp_directory_path() / ("viroror-pictures-" + std::to_string(device() + counter++));
    while (!std::filesystem::create_directory(path));
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

std::string TempFolder::name(const std::string& leaf) const {
    const std::u8string text = (path / std::u8string(leaf.begin(), leaf.end())).u8string();
    return std::string(text.begin(), text.end());
}

std::string TempFolder::write(const std::string& leaf, const Bytes& bytes) const {
    std::ofstream out(path / std::u8string(leaf.begin(), leaf.end()), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "could not write " << leaf;
    return name(leaf);
}

namespace {

void appendToBytes(png_structp png, png_bytep data, std::size_t length) {
    static_cast<Bytes*>(png_get_io_ptr(png))->insert(static_cast<Bytes*>(png_get_io_ptr(png))->end(), data, data + length);
}

// Every libpng call in a frame of its own with nothing to destroy, for the longjmp.
bool writePngInto(png_structp png, png_infop info, const PngRecipe& r, Bytes* out, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(r.width), png_uint_32(r.height), r.bitDepth, r.colourType,
                 r.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    if (!r.palette.empty()) png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(r.palette.data()), int(r.palette.size() / 3));
    png_color_16 grey{0, 0, 0, 0, png_uint_16(r.transparency.empty() ? 0 : r.transparency[0])};
    if (!r.transparency.empty())
        png_set_tRNS(png, info, r.transparency.data(), r.palette.empty() ? 0 : int(r.transparency.size()), &grey);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegFailed(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

bool compressJpeg(jpeg_compress_struct* info, JpegErrors* errors, const JpegRecipe& r, unsigned char** buffer,
                  unsigned long* size) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, buffer, size);
    info->image_width = JDIMENSION(r.width);
    info->image_height = JDIMENSION(r.height);
    info->input_components = r.components;
    info->in_color_space = r.components == 1 ? JCS_GRAYSCALE : r.components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(info);
    if (r.components == 4) jpeg_set_colorspace(info, r.ycck ? JCS_YCCK : JCS_CMYK);
    for (int c = 0; c < info->num_components; ++c) info->comp_info[c].h_samp_factor = info->comp_info[c].v_samp_factor = 1;
    jpeg_set_quality(info, r.quality, TRUE);
    if (r.progressive) jpeg_simple_progression(info);
    jpeg_start_compress(info, TRUE);
    for (JSAMPROW row; info->next_scanline < info->image_height; jpeg_write_scanlines(info, &row, 1))
        row = const_cast<JSAMPLE*>(r.pixels.data() + std::size_t(r.width) * r.components * info->next_scanline);
    jpeg_finish_compress(info);
    return true;
}

void putChunk(Bytes& out, const char* type, const Bytes& body) {
    const auto putBig = [&](std::uint32_t v) { out.insert(out.end(), {Byte(v >> 24), Byte(v >> 16), Byte(v >> 8), Byte(v)}); };
    putBig(std::uint32_t(body.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = typeAt; i < out.size(); ++i)
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - ((crc ^ (out[i] >> bit)) & 1u)));
    putBig(~crc);
}

}  // namespace

Bytes writePng(const PngRecipe& recipe) {
    Bytes out;
    std::vector<Bytes> copies = recipe.rows;
    std::vector<png_bytep> rows;
    for (Bytes& row : copies) rows.push_back(row.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    EXPECT_TRUE(writePngInto(png, info, recipe, &out, rows.data())) << "libpng could not write the test picture";
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes pngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    putChunk(out, "IHDR", {Byte(width >> 24), Byte(width >> 16), Byte(width >> 8), Byte(width), Byte(height >> 24),
                           Byte(height >> 16), Byte(height >> 8), Byte(height), 8, PNG_COLOR_TYPE_RGB, 0, 0, 0});
    putChunk(out, "IEND", {});
    return out;
}

Bytes writeJpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFailed;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = compressJpeg(&info, &errors, recipe, &buffer, &size);
    jpeg_destroy_compress(&info);
    EXPECT_TRUE(ok) << "libjpeg could not write the test picture";
    Bytes out = ok && buffer ? Bytes(buffer, buffer + size) : Bytes{};
    std::free(buffer);
    return out;
}

std::size_t jpegMarkerAt(const Bytes& file, std::uint8_t code, std::uint8_t orCode) {
    for (std::size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == code || file[i + 1] == orCode)) return i;
    return 0;
}

void setJpegSize(Bytes& file, int width, int height) {
    const std::size_t frame = jpegMarkerAt(file, 0xC0, 0xC2);  // then length (2), precision (1), height, width
    ASSERT_NE(frame, 0u);
    file[frame + 5] = Byte(height >> 8), file[frame + 6] = Byte(height);
    file[frame + 7] = Byte(width >> 8), file[frame + 8] = Byte(width);
}

}  // namespace picture_files
