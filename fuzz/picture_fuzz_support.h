#pragma once
// Shared by the picture targets.
//
// The run's memory ceiling: the decoders accept pictures up to MAX_PICTURE_PIXELS,
// and a file of a few dozen bytes may claim that much (a GIF's screen, run-length
// bitmap data that skips rows, a PNG or JPEG header whose data is missing). At 64 M
// pixels one decode legitimately needs some 200 MB, and filling it takes long
// enough to slow the run to a crawl. Pictures whose header claims more than
// FUZZ_PICTURE_PIXELS are therefore kept out of the run; the limits themselves
// are covered by the unit tests and the memory benchmark.

#include "fuzz/fuzz_support.h"
#include "imaging/bmp_decode.h"
#include "imaging/gif_decode.h"
#include "imaging/jpeg_decode.h"
#include "imaging/picture_load.h"
#include "imaging/png_decode.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace fuzz {

inline constexpr long long FUZZ_PICTURE_PIXELS = 8LL * 1024 * 1024;

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

inline long long little(const std::uint8_t* at, int bytes) {
    long long value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

// The screen of a GIF, grown by its first picture as the decoder grows it.
inline long long gifPixels(const std::uint8_t* data, std::size_t size) {
    if (size < 13) return 0;
    long long width = little(data + 6, 2), height = little(data + 8, 2);
    std::size_t at = 13 + ((data[10] & 0x80) != 0 ? 3u << ((data[10] & 7) + 1) : 0u);
    while (at < size && data[at] == 0x21) {  // extensions: label, then sub-blocks up to an empty one
        at += 2;
        while (at < size && data[at] != 0) at += 1u + data[at];
        ++at;
    }
    if (at + 9 <= size && data[at] == 0x2C) {
        width = std::max(width, little(data + at + 1, 2) + little(data + at + 5, 2));
        height = std::max(height, little(data + at + 3, 2) + little(data + at + 7, 2));
    }
    return width * height;
}

inline long long bmpPixels(const std::uint8_t* data, std::size_t size) {
    if (size < 26) return 0;
    if (little(data + 14, 4) == 12) return little(data + 18, 2) * little(data + 20, 2);
    const long long width = static_cast<std::int32_t>(little(data + 18, 4));
    const long long height = static_cast<std::int32_t>(little(data + 22, 4));
    return width * (height < 0 ? -height : height);
}

}  // namespace detail

// True for a picture whose header claims more than FUZZ_PICTURE_PIXELS. libpng
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
    if (imaging::isGifData(data, size)) return detail::gifPixels(data, size) > FUZZ_PICTURE_PIXELS;
    if (imaging::isBmpData(data, size)) return detail::bmpPixels(data, size) > FUZZ_PICTURE_PIXELS;
    return false;
}

// Every picture decodePicture returns is whole and within the limits.
inline void checkPicture(const model::Result<imaging::Picture>& picture) {
    if (!picture) return;
    FUZZ_CHECK(imaging::pictureSizeAllowed(picture->width, picture->height));
    FUZZ_CHECK(picture->rgb.size() == static_cast<std::size_t>(picture->width) * picture->height * 3);
}

// One input through decodePicture, the way the editor's import reads it, twice: the
// second decode must give the same picture. The body of the targets that differ
// only in their seed corpus (BMP, GIF, JPEG).
inline int decodeOnePicture(const std::uint8_t* data, std::size_t size) {
    if (claimsLargePicture(data, size)) return 0;
    const auto picture = imaging::decodePicture(data, size);
    checkPicture(picture);
    const auto again = imaging::decodePicture(data, size);
    FUZZ_CHECK(picture.ok() == again.ok());
    if (picture) FUZZ_CHECK(picture->width == again->width && picture->rgb == again->rgb);
    return 0;
}

}  // namespace fuzz
