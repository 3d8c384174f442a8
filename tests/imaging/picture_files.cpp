#include "picture_files.h"

#include <png.h>

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <random>

namespace picture_files {

namespace {
std::atomic<int> folderCounter{0};
}

TempFolder::TempFolder() {
    std::random_device device;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("viroror-pictures-" + std::to_string(device()) + "-" + std::to_string(folderCounter++));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::write(const std::string& name, const Bytes& bytes) const {
    const auto file = path_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    EXPECT_TRUE(out.good()) << "could not write " << utf8(file);
    return utf8(file);
}

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

Bytes readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---- PNG writing ----

namespace {

void appendToBytes(png_structp png, png_bytep data, std::size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

bool writePngRows(png_structp png, png_infop info, const PngRecipe* recipe, Bytes* out, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(recipe->width), static_cast<png_uint_32>(recipe->height),
                 recipe->bitDepth, recipe->colourType, recipe->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!recipe->palette.empty()) {
        png_color colours[256];
        const int count = static_cast<int>(recipe->palette.size() / 3);
        for (int i = 0; i < count; ++i)
            colours[i] = png_color{recipe->palette[3 * i], recipe->palette[3 * i + 1], recipe->palette[3 * i + 2]};
        png_set_PLTE(png, info, colours, count);
    }
    if (!recipe->transparency.empty()) {
        if (recipe->colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, recipe->transparency.data(), static_cast<int>(recipe->transparency.size()), nullptr);
        } else {
            png_color_16 value{};
            value.gray = recipe->transparency[0];
            if (recipe->transparency.size() >= 3) {
                value.red = recipe->transparency[0];
                value.green = recipe->transparency[1];
                value.blue = recipe->transparency[2];
            }
            png_set_tRNS(png, info, nullptr, 0, &value);
        }
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

Bytes writePng(const PngRecipe& recipe) {
    Bytes out;
    std::vector<Bytes> rowsCopy = recipe.rows;
    std::vector<png_bytep> rows;
    for (Bytes& row : rowsCopy) rows.push_back(row.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool ok = writePngRows(png, info, &recipe, &out, rows.data());
    png_destroy_write_struct(&png, &info);
    EXPECT_TRUE(ok) << "libpng could not write the test picture";
    return out;
}

// ---- JPEG writing ----

namespace {

struct JpegWriteErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegWriteFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegWriteErrors*>(info->err)->jump, 1);
}

bool compressJpeg(jpeg_compress_struct* info, JpegWriteErrors* errors, const JpegRecipe* recipe, unsigned char** buffer,
                  unsigned long* size) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, buffer, size);
    info->image_width = static_cast<JDIMENSION>(recipe->width);
    info->image_height = static_cast<JDIMENSION>(recipe->height);
    info->input_components = recipe->components;
    info->in_color_space = recipe->components == 1 ? JCS_GRAYSCALE : recipe->components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(info);
    if (recipe->components == 4) jpeg_set_colorspace(info, recipe->ycck ? JCS_YCCK : JCS_CMYK);
    for (int c = 0; c < info->num_components; ++c) {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
    jpeg_set_quality(info, recipe->quality, TRUE);
    if (recipe->progressive) jpeg_simple_progression(info);
    jpeg_start_compress(info, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(recipe->width) * recipe->components;
    while (info->next_scanline < info->image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(recipe->pixels.data() + rowBytes * info->next_scanline);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

}  // namespace

Bytes writeJpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct info{};
    JpegWriteErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegWriteFailed;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = compressJpeg(&info, &errors, &recipe, &buffer, &size);
    jpeg_destroy_compress(&info);
    Bytes out;
    if (ok && buffer != nullptr) out.assign(buffer, buffer + size);
    std::free(buffer);
    EXPECT_TRUE(ok) << "libjpeg could not write the test picture";
    return out;
}

// ---- Hand-made PNG headers ----

std::uint32_t pngCrc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

namespace {

void putBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& out, const char* type, const Bytes& body) {
    putBig32(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, pngCrc(out.data() + typeAt, 4 + body.size()));
}

}  // namespace

Bytes pngHeaderOnly(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    putBig32(header, width);
    putBig32(header, height);
    header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IEND", {});
    return out;
}

// ---- Outside tools ----

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::optional<std::string> pythonWithPillow() {
    for (const char* candidate : {"python3", "/usr/bin/python3"}) {
        if (run(std::string(candidate) + " -c 'import PIL.Image'")) return std::string(candidate);
    }
    return std::nullopt;
}

bool haveImageMagick() { return run("convert -version"); }

Bytes randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes out(count);
    for (auto& value : out) value = static_cast<std::uint8_t>(byte(generator));
    return out;
}

}  // namespace picture_files
