#include "imaging/jpeg_decode.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

#include <array>
#include <memory>
#include <csetjmp>
#include <vector>

namespace imaging {

namespace {

// Progressive files may hold any number of scans; past this many the file is
// treated as hostile rather than spending minutes on it.
constexpr int MAX_JPEG_SCANS = 1000;

// Most memory one decode may hold, the picture included. What the picture leaves
// is libjpeg's: a progressive file keeps all its coefficients (2 bytes a sample),
// so the largest progressive pictures are refused rather than taking more.
constexpr long long JPEG_MEMORY_BUDGET = 256LL * 1024 * 1024;

// libjpeg's source manager fed from a PictureSource through a buffer. Plain data
// only: libjpeg may longjmp out of its callbacks.
struct JpegSource {
    jpeg_source_mgr manager;
    PictureSource* source;
    std::array<JOCTET, 64 * 1024> buffer;
};

constexpr JOCTET END_OF_IMAGE[] = {0xFF, JPEG_EOI};

// libjpeg's error manager extended with the place to jump back to.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

struct JpegOutput {
    Picture picture;
    std::vector<std::uint8_t> cmykRow;  // one row of CMYK before it becomes RGB
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

void startSource(j_decompress_ptr) {}

boolean fillSource(j_decompress_ptr info) {
    auto* from = reinterpret_cast<JpegSource*>(info->src);
    const std::size_t got = from->source->read(from->buffer.data(), from->buffer.size());
    if (got == 0) {
        // Reported as libjpeg's own reader does; handleMessage refuses the file.
        WARNMS(info, JWRN_JPEG_EOF);
        from->manager.next_input_byte = END_OF_IMAGE;
        from->manager.bytes_in_buffer = sizeof END_OF_IMAGE;
        return TRUE;
    }
    from->manager.next_input_byte = from->buffer.data();
    from->manager.bytes_in_buffer = got;
    return TRUE;
}

void skipSource(j_decompress_ptr info, long count) {
    jpeg_source_mgr* manager = info->src;
    while (count > static_cast<long>(manager->bytes_in_buffer)) {
        count -= static_cast<long>(manager->bytes_in_buffer);
        manager->fill_input_buffer(info);
    }
    if (count > 0) {
        manager->next_input_byte += count;
        manager->bytes_in_buffer -= static_cast<std::size_t>(count);
    }
}

void endSource(j_decompress_ptr) {}

// The share of light each ink lets through, multiplied: CMYK to RGB.
void cmykToRgb(const std::uint8_t* from, std::uint8_t* to, int count, bool inverted) {
    for (int i = 0; i < count; ++i, from += 4, to += 3) {
        int c = from[0], m = from[1], y = from[2], k = from[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        to[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
        to[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        to[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
    }
}

void watchProgress(j_common_ptr info) {
    if (info->is_decompressor) {
        auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
        if (decompress->input_scan_number > MAX_JPEG_SCANS) failDecode(info);
    }
}

// The libjpeg calls. Nothing in this frame has a destructor: the output lives in
// the caller, so a longjmp from inside libjpeg skips no clean-up.
bool runDecode(jpeg_decompress_struct* info, JpegErrors* errors, JpegSource* source, JpegOutput* out) {
    if (setjmp(errors->jump)) return false;

    source->manager.init_source = startSource;
    source->manager.fill_input_buffer = fillSource;
    source->manager.skip_input_data = skipSource;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = endSource;
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
    info->src = &source->manager;
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (!pictureSizeAllowed(info->image_width, info->image_height)) return false;
    const long long pictureBytes = static_cast<long long>(info->image_width) * info->image_height * 3;
    info->mem->max_memory_to_use = static_cast<long>(JPEG_MEMORY_BUDGET - pictureBytes);

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

    // Rows go straight into the picture; CMYK through one row of its own.
    Picture& picture = out->picture;
    picture.width = static_cast<int>(info->output_width);
    picture.height = static_cast<int>(info->output_height);
    picture.rgb.resize(static_cast<std::size_t>(pictureBytes));
    if (out->cmyk) out->cmykRow.resize(static_cast<std::size_t>(picture.width) * 4);
    while (info->output_scanline < info->output_height) {
        std::uint8_t* rgb = picture.pixel(0, static_cast<int>(info->output_scanline));
        JSAMPROW row = out->cmyk ? out->cmykRow.data() : rgb;
        if (jpeg_read_scanlines(info, &row, 1) != 1) return false;
        if (out->cmyk) cmykToRgb(row, rgb, picture.width, out->invertedCmyk);
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

bool decodeToPicture(PictureSource& source, JpegOutput& out) {
    std::uint8_t signature[3];
    if (!source.seek(0) || !source.readAll(signature, sizeof signature) || !isJpegData(signature, 3) ||
        !source.seek(0))
        return false;
    // The buffer is large; it lives on the heap, outside any frame libjpeg jumps over.
    auto reader = std::make_unique<JpegSource>();
    reader->source = &source;

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
            ok = runDecode(&info, &errors, reader.get(), &out);
        } catch (...) {
            // Only the pixel buffer allocation can throw; the picture is then too big to load.
            ok = false;
        }
    }
    // Safe after a failed creation too: libjpeg frees only what it has set up.
    jpeg_destroy_decompress(&info);
    return ok;
}

}  // namespace

bool isJpegData(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

model::Result<Picture> decodeJpeg(PictureSource& source) {
    JpegOutput out;
    if (!decodeToPicture(source, out)) return model::failure(model::ErrorKind::Malformed);
    return std::move(out.picture);
}

model::Result<Picture> decodeJpeg(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodeJpeg(source);
}

model::Result<Picture> decodeJpegFile(const std::string& path) {
    const auto source = FileSource::open(path);
    if (!source) return model::failure(model::ErrorKind::Malformed);
    return decodeJpeg(*source);
}

}  // namespace imaging
