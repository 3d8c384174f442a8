#pragma once
// Shared by the picture targets. Start-up: the toolkit's fallback is installed as
// the editor installs it, and a tiny GIF and a 24-bit bitmap are decoded once, so a
// missing image plugin stops the run at once instead of fuzzing nothing.
//
// The run's memory ceiling: the decoders accept pictures up to MAX_PICTURE_PIXELS,
// and a file of a few dozen bytes may claim that much (a GIF's screen, a PNG or JPEG
// header whose data is missing). At 64 M pixels one decode legitimately needs
// some 450 MB (the toolkit's 4-byte image beside the 3-byte picture, or libjpeg's
// coefficient buffers), more than the fuzzer's memory limit leaves. Pictures over
// FUZZ_PICTURE_PIXELS are therefore kept out of the run: PNG and JPEG by their
// header, the toolkit's formats by its own allocation limit. The limits themselves
// are covered by the unit tests.

#include "app/qt_picture_loader.h"
#include "fuzz/fuzz_support.h"
#include "imaging/jpeg_decode.h"
#include "imaging/picture_load.h"
#include "imaging/png_decode.h"

#include <QGuiApplication>
#include <QImageReader>

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace fuzz {

inline constexpr long long FUZZ_PICTURE_PIXELS = 8LL * 1024 * 1024;

// 1 x 1, a two-colour global table, the one pixel colour 0 (black).
inline constexpr std::uint8_t TINY_GIF[] = {
    'G', 'I', 'F', '8', '9', 'a', 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00,  // screen
    0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,                                      // colours
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,              // picture
    0x02, 0x02, 0x44, 0x01, 0x00,                                            // LZW data
    0x3B};

// 1 x 1, 24 bits, the pixel (red 0x30, green 0x20, blue 0x10).
inline constexpr std::uint8_t TINY_BMP24[] = {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,             // file header
    40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,           // size, width, height, planes, bits
    0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x10, 0x20, 0x30, 0x00};

inline void startQtPictureLoader() {
    // Offscreen, so the fuzzers run without a display; the application object is
    // kept for the whole run, as in the editor.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "viroror-fuzz";
    static char* argv[] = {name, nullptr};
    // Never destroyed: the run ends by exit(), and Qt's own clean-up must not race it.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
    app::installQtPictureLoader();
    QImageReader::setAllocationLimit(static_cast<int>(FUZZ_PICTURE_PIXELS * 4 / (1024 * 1024)));

    const auto gif = imaging::decodePicture(TINY_GIF, sizeof TINY_GIF);
    FUZZ_CHECK(gif && gif->width == 1 && gif->height == 1 && gif->rgb == std::vector<std::uint8_t>({0, 0, 0}));
    const auto bmp = imaging::decodePicture(TINY_BMP24, sizeof TINY_BMP24);
    FUZZ_CHECK(bmp && bmp->width == 1 && bmp->height == 1 && bmp->rgb == std::vector<std::uint8_t>({0x30, 0x20, 0x10}));
}

namespace detail {

struct JpegHeaderErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

inline long long jpegHeaderPixels(const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct info{};
    JpegHeaderErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<JpegHeaderErrors*>(common->err)->jump, 1);
    };
    errors.manager.output_message = [](j_common_ptr) {};
    long long pixels = 0;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK)
            pixels = static_cast<long long>(info.image_width) * info.image_height;
    }
    jpeg_destroy_decompress(&info);
    return pixels;
}

inline std::uint32_t bigEndian32(const std::uint8_t* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
}

}  // namespace detail

// True for a PNG or JPEG whose header claims more than FUZZ_PICTURE_PIXELS. libpng
// insists on IHDR as the first chunk, so its place is fixed; for JPEG libjpeg
// itself reads the header, garbage between markers and all.
inline bool claimsLargePicture(const std::uint8_t* data, std::size_t size) {
    if (imaging::isPngData(data, size)) {
        if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
        const unsigned long long width = detail::bigEndian32(data + 16);
        const unsigned long long height = detail::bigEndian32(data + 20);
        constexpr auto limit = static_cast<unsigned long long>(FUZZ_PICTURE_PIXELS);
        return width > limit || height > limit || width * height > limit;
    }
    if (imaging::isJpegData(data, size)) return detail::jpegHeaderPixels(data, size) > FUZZ_PICTURE_PIXELS;
    return false;
}

// Every picture decodePicture returns is whole and within the limits.
inline void checkPicture(const std::optional<imaging::Picture>& picture) {
    if (!picture) return;
    FUZZ_CHECK(imaging::pictureSizeAllowed(picture->width, picture->height));
    FUZZ_CHECK(picture->rgb.size() == static_cast<std::size_t>(picture->width) * picture->height * 3);
}

// One input through decodePicture, the way the editor's import reads it; the body of
// the targets that differ only in their seed corpus (BMP, GIF, JPEG).
inline int decodeOnePicture(const std::uint8_t* data, std::size_t size) {
    if (claimsLargePicture(data, size)) return 0;
    checkPicture(imaging::decodePicture(data, size));
    return 0;
}

}  // namespace fuzz
