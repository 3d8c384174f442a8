#include "imaging/png_decode.h"


#include <png.h>

#include <csetjmp>

namespace imaging {

namespace {

// Everything the decode produces. It lives in the frame of decodeToBuffer, outside
// the frame that calls setjmp, so an error jumps over no destructor.
struct PngOutput {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<png_bytep> rows;
};

// Reached from libpng, which a longjmp may leave at any moment: nothing here
// holds anything that needs cleaning up.
void readFromSource(png_structp png, png_bytep target, std::size_t length) {
    auto* source = static_cast<PictureSource*>(png_get_io_ptr(png));
    if (!source->readAll(target, length)) png_error(png, "PNG data ends early");
}

[[noreturn]] void failDecode(png_structp png, png_const_charp) {
    // Control never comes back to libpng after an error.
    std::longjmp(png_jmpbuf(png), 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// The libpng calls. Nothing in this frame has a destructor, and nothing read after
// the longjmp was changed after the setjmp, so no local needs to be volatile.
bool runDecode(png_structp png, png_infop info, PictureSource* source, int channels, PngOutput* out) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_read_fn(png, source, readFromSource);
    png_set_user_limits(png, MAX_PICTURE_SIDE, MAX_PICTURE_SIDE);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!pictureSizeAllowed(width, height)) return false;

    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);

    if (bitDepth == 16) png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);

    const bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (channels == 4) {
        if (hasTransparency) png_set_tRNS_to_alpha(png);
        else if (!(colourType & PNG_COLOR_MASK_ALPHA)) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    } else if ((colourType & PNG_COLOR_MASK_ALPHA) || hasTransparency) {
        // Transparency plays no part in a true-colour picture: the stored colours stay.
        png_set_strip_alpha(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
    if (png_get_rowbytes(png, info) != rowBytes) return false;

    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->pixels.resize(rowBytes * height);
    out->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) out->rows[y] = out->pixels.data() + rowBytes * y;

    png_read_image(png, out->rows.data());
    // Reading to the end checks the last chunks too, so a file cut after its
    // pixel data is still refused.
    png_read_end(png, nullptr);
    return true;
}

bool decodeToBuffer(PictureSource& source, int channels, PngOutput& out) {
    std::uint8_t signature[8];
    if (!source.seek(0) || !source.readAll(signature, sizeof signature) || !isPngData(signature, 8) ||
        !source.seek(0))
        return false;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecode, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }

    bool ok = false;
    try {
        ok = runDecode(png, info, &source, channels, &out);
    } catch (...) {
        // Only the pixel buffer allocation can throw; the picture is then too big to load.
        ok = false;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return ok;
}

}  // namespace

bool isPngData(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

model::Result<Picture> decodePng(PictureSource& source) {
    PngOutput out;
    if (!decodeToBuffer(source, 3, out)) return model::failure(model::ErrorKind::Malformed);
    Picture picture;
    picture.width = out.width;
    picture.height = out.height;
    picture.rgb = std::move(out.pixels);
    return picture;
}

model::Result<Picture> decodePng(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodePng(source);
}

model::Result<Picture> decodePngFile(const std::string& path) {
    const auto source = FileSource::open(path);
    if (!source) return model::failure(model::ErrorKind::Malformed);
    return decodePng(*source);
}

model::Result<RgbaPicture> decodePngRgba(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    PngOutput out;
    if (!decodeToBuffer(source, 4, out)) return model::failure(model::ErrorKind::Malformed);
    RgbaPicture picture;
    picture.width = out.width;
    picture.height = out.height;
    picture.rgba = std::move(out.pixels);
    return picture;
}

}  // namespace imaging
