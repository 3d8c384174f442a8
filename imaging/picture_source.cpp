#include "imaging/picture_source.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

namespace imaging {

std::size_t MemorySource::read(std::uint8_t* to, std::size_t count) {
    const std::size_t n = std::min(count, size_ - position_);
    if (n > 0) std::memcpy(to, data_ + position_, n);
    position_ += n;
    return n;
}

bool MemorySource::seek(std::uint64_t position) {
    if (position > size_) return false;
    position_ = static_cast<std::size_t>(position);
    return true;
}

std::unique_ptr<FileSource> FileSource::open(const std::string& utf8Path) {
    try {
        // Going through char8_t keeps the name UTF-8 where the native encoding is not.
        const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec) || ec) return nullptr;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (ec) return nullptr;
        std::unique_ptr<FileSource> source(new FileSource);
        if (source->file_.open(path, std::ios::in | std::ios::binary) == nullptr) return nullptr;
        source->size_ = size;
        return source;
    } catch (...) {
        // A name the platform cannot represent, or no memory: simply not readable.
        return nullptr;
    }
}

std::size_t FileSource::read(std::uint8_t* to, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        // sgetn takes a streamsize; large requests go in pieces.
        const std::size_t piece = std::min<std::size_t>(count - done, std::numeric_limits<int>::max());
        const std::streamsize got =
            file_.sgetn(reinterpret_cast<char*>(to + done), static_cast<std::streamsize>(piece));
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    position_ += done;
    return done;
}

bool FileSource::seek(std::uint64_t position) {
    if (position > size_) return false;
    if (file_.pubseekpos(static_cast<std::streamoff>(position), std::ios::in) == std::streampos(-1)) return false;
    position_ = position;
    return true;
}

}  // namespace imaging
