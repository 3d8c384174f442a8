#include "imaging/jpeg_decode.h"

#include "imaging/file_bytes.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

namespace imaging {

namespace {

// Progressive files may hold any number of scans; past this many the file is
// treated as hostile rather than spending minutes on it.
constexpr int MAX_JPEG_SCANS = 1000;

// libjpeg's error manager extended with the place to jump back to.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

struct JpegOutput {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // RGB, or 4 bytes per pixel for CMYK until converted
    bool cmyk = false;
    bool invertedCmyk = false;
};

[[noreturn]] void failDecode(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void handleMessage(j_common_ptr info, int level) {
    // A file that ends early is decoded by libjpeg as grey filler; refuse it instead.
    // The same goes for pixel data that stops at a marker before the picture is
    // whole (a cut file with an end marker after it, or a header claiming more than
    // the data holds). Other warnings (stray bytes between markers and the like)
    // are tolerated.
    if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        failDecode(info);
}

void watchProgress(j_common_ptr info) {
    if (info->is_decompressor) {
        auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
        if (decompress->input_scan_number > MAX_JPEG_SCANS) failDecode(info);
    }
}

// The libjpeg calls. Nothing in this frame has a destructor: the output lives in
// the caller, so a longjmp from inside libjpeg skips no clean-up.
bool runDecode(jpeg_decompress_struct* info, JpegErrors* errors, const std::uint8_t* data, std::size_t size,
               JpegOutput* out) {
    if (setjmp(errors->jump)) return false;

    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (!pictureSizeAllowed(info->image_width, info->image_height)) return false;

    int components = 3;
    switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        info->out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        // libjpeg turns YCCK into CMYK; the step to RGB is ours.
        info->out_color_space = JCS_CMYK;
        components = 4;
        out->cmyk = true;
        // Adobe writes CMYK inverted (0 is full ink) and marks such files with its APP14 segment.
        out->invertedCmyk = info->saw_Adobe_marker != 0;
        break;
    default:
        return false;
    }

    jpeg_start_decompress(info);
    if (info->output_width != info->image_width || info->output_height != info->image_height ||
        info->output_components != components)
        return false;

    const std::size_t rowBytes = static_cast<std::size_t>(info->output_width) * components;
    out->width = static_cast<int>(info->output_width);
    out->height = static_cast<int>(info->output_height);
    out->pixels.resize(rowBytes * info->output_height);
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = out->pixels.data() + rowBytes * info->output_scanline;
        if (jpeg_read_scanlines(info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(info);
    return true;
}

// Creation itself can fail (out of memory) and reports through the same jump.
bool createDecompress(jpeg_decompress_struct* info, JpegErrors* errors) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(info);
    return true;
}

bool decodeToBuffer(const std::uint8_t* data, std::size_t size, JpegOutput& out) {
    if (!isJpegData(data, size)) return false;

    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = failDecode;
    errors.manager.emit_message = handleMessage;
    errors.manager.output_message = [](j_common_ptr) {};
    jpeg_progress_mgr progress{};
    progress.progress_monitor = watchProgress;

    bool ok = false;
    if (createDecompress(&info, &errors)) {
        info.progress = &progress;
        try {
            ok = runDecode(&info, &errors, data, size, &out);
        } catch (...) {
            // Only the pixel buffer allocation can throw; the picture is then too big to load.
            ok = false;
        }
    }
    // Safe after a failed creation too: libjpeg frees only what it has set up.
    jpeg_destroy_decompress(&info);
    return ok;
}

void cmykToRgb(JpegOutput& out) {
    const std::size_t count = static_cast<std::size_t>(out.width) * out.height;
    const std::uint8_t* from = out.pixels.data();
    std::uint8_t* to = out.pixels.data();
    for (std::size_t i = 0; i < count; ++i, from += 4, to += 3) {
        int c = from[0], m = from[1], y = from[2], k = from[3];
        if (!out.invertedCmyk) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Now each value is the share of light the ink lets through.
        to[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
        to[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        to[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
    }
    out.pixels.resize(count * 3);
}

}  // namespace

bool isJpegData(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::optional<Picture> decodeJpeg(const std::uint8_t* data, std::size_t size) {
    JpegOutput out;
    if (!decodeToBuffer(data, size, out)) return std::nullopt;
    if (out.cmyk) cmykToRgb(out);
    Picture picture;
    picture.width = out.width;
    picture.height = out.height;
    picture.rgb = std::move(out.pixels);
    return picture;
}

std::optional<Picture> decodeJpegFile(const std::string& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return decodeJpeg(bytes->data(), bytes->size());
}

}  // namespace imaging
