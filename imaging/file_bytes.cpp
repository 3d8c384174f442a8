#include "imaging/file_bytes.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace imaging {

namespace {

std::filesystem::path pathFromUtf8(const std::string& text) {
    // Going through char8_t keeps the name UTF-8 where the native encoding is not.
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path, std::size_t maxBytes) {
    try {
        const std::filesystem::path p = pathFromUtf8(path);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(p, ec) || ec) return std::nullopt;
        const std::uintmax_t size = std::filesystem::file_size(p, ec);
        if (ec || size > maxBytes) return std::nullopt;

        std::ifstream in(p, std::ios::binary);
        if (!in) return std::nullopt;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        if (!bytes.empty()) {
            in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
        }
        // A file that grew after it was measured would be cut short here: refuse it instead.
        if (in.peek() != std::char_traits<char>::eof()) return std::nullopt;
        return bytes;
    } catch (...) {
        // Out of memory or a name the platform cannot represent: simply not readable.
        return std::nullopt;
    }
}

}  // namespace imaging
