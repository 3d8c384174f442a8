#include "palette/palette_formats.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>
#include <utility>

namespace palette {

namespace {

constexpr std::string_view GIMP_HEADER = "GIMP Palette";
constexpr std::string_view JASC_HEADER = "JASC-PAL";
constexpr std::string_view JASC_VERSION = "0100";
constexpr std::uint8_t NEXT_BLUE_BIT = 0x01;

using Entries = std::vector<PaletteEntry>;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The text split at line feeds, each line without its line end (CR LF or LF).
std::vector<std::string_view> linesOf(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// True when the text's first line is exactly header (a line end must follow, so
// binary colours that happen to spell it are not taken for text).
bool startsWithHeaderLine(std::span<const std::uint8_t> bytes, std::string_view header) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.starts_with(header)) return false;
    const std::string_view rest = text.substr(header.size());
    return rest.starts_with("\n") || rest.starts_with("\r\n");
}

// The leading whitespace-separated numbers of a line, at most `count`.
std::optional<std::vector<int>> numbersOf(std::string_view line, std::size_t count) {
    std::vector<int> numbers;
    while (numbers.size() < count) {
        line = trimmed(line);
        int value = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc{} || end == line.data()) return std::nullopt;
        if (end != line.data() + line.size() && !std::isspace(static_cast<unsigned char>(*end))) return std::nullopt;
        numbers.push_back(value);
        line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    }
    return numbers;
}

// One "R G B ..." line as the entry at index; nullopt when it is not three components 0..255.
std::optional<PaletteEntry> entryFromLine(std::string_view line, int index) {
    const auto rgb = numbersOf(line, 3);
    if (!rgb || std::any_of(rgb->begin(), rgb->end(), [](int v) { return v < 0 || v > 255; })) return std::nullopt;
    return makePaletteEntry((*rgb)[0], (*rgb)[1], (*rgb)[2], index);
}

model::Error malformed(std::string detail) { return model::failure(model::ErrorKind::Malformed, std::move(detail)); }
model::Error tooMany() { return model::failure(model::ErrorKind::TooManyEntries, "more than 256 colours"); }

model::Result<Entries> gimpEntries(std::span<const std::uint8_t> bytes) {
    const auto lines = linesOf(bytes);
    Entries entries;
    // Line 0 is the header; "Name:" and "Columns:" lines and # comments carry no colour.
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string_view line = trimmed(lines[n]);
        if (line.empty() || line.starts_with('#') || line.starts_with("Name:") || line.starts_with("Columns:"))
            continue;
        if (entries.size() == PALETTE_SIZE) return tooMany();
        const auto entry = entryFromLine(line, static_cast<int>(entries.size()));
        if (!entry) return malformed("GIMP palette line " + std::to_string(n + 1));
        entries.push_back(*entry);
    }
    return entries;
}

model::Result<Entries> jascEntries(std::span<const std::uint8_t> bytes) {
    const auto lines = linesOf(bytes);
    if (lines.size() < 3 || trimmed(lines[1]) != JASC_VERSION) return malformed("JASC-PAL version");
    const auto count = numbersOf(lines[2], 1);
    if (!count || trimmed(lines[2]).find_first_of(" \t") != std::string_view::npos || (*count)[0] < 0)
        return malformed("JASC-PAL colour count");
    if ((*count)[0] > PALETTE_SIZE) return tooMany();
    const auto wanted = static_cast<std::size_t>((*count)[0]);
    if (lines.size() - 3 < wanted) return malformed("JASC-PAL holds fewer colours than its count");
    Entries entries;
    for (std::size_t k = 0; k < wanted; ++k) {
        const auto entry = entryFromLine(lines[3 + k], static_cast<int>(k));
        if (!entry) return malformed("JASC-PAL line " + std::to_string(k + 4));
        entries.push_back(*entry);
    }
    return entries;
}

Entries nextEntries(std::span<const std::uint8_t> bytes) {
    Entries entries;
    for (int i = 0; i < PALETTE_SIZE; ++i)
        entries.push_back(entryFromNextBytes(bytes[2 * i], bytes[2 * i + 1], i));
    return entries;
}

// Three-byte records as start-up reads them (a short last record padded with 0).
model::Result<Entries> rgbEntries(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > RGB_PALETTE_BYTES) return tooMany();
    return paletteFromBytes(bytes).entries();
}

void appendText(std::vector<std::uint8_t>& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

std::string rgbLine(const PaletteEntry& e, int width) {
    std::string line;
    for (const int v : {e.red, e.green, e.blue}) {
        std::string number = std::to_string(v & 0xFF);
        if (!line.empty()) line += ' ';
        line += std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(number.size()))), ' ') + number;
    }
    return line;
}

}  // namespace

PaletteEntry entryFromNextBytes(std::uint8_t colourByte, std::uint8_t secondByte, int index) {
    const int red = colourByte >> 5;
    const int green = (colourByte >> 2) & 7;
    const int blue = ((colourByte & 3) << 1) | (secondByte & NEXT_BLUE_BIT);
    // The levels' top three bits are the components again, so the Next fields come out as read.
    PaletteEntry entry = makePaletteEntry(NEXT_LEVELS[red], NEXT_LEVELS[green], NEXT_LEVELS[blue], index);
    entry.priority = (secondByte & NEXT_PRIORITY_BIT) != 0;
    return entry;
}

NextComponents nextComponents(const PaletteEntry& entry) {
    return {entry.nextColourByte >> 5, (entry.nextColourByte >> 2) & 7,
            ((entry.nextColourByte & 3) << 1) | (entry.nextBlueBit & NEXT_BLUE_BIT)};
}

PaletteEntry entryFromNextComponents(NextComponents components, bool priority, int index) {
    const int red = std::clamp(components.red, 0, 7);
    const int green = std::clamp(components.green, 0, 7);
    const int blue = std::clamp(components.blue, 0, 7);
    const auto colourByte = static_cast<std::uint8_t>((red << 5) | (green << 2) | (blue >> 1));
    const auto secondByte = static_cast<std::uint8_t>((priority ? NEXT_PRIORITY_BIT : 0) | (blue & NEXT_BLUE_BIT));
    return entryFromNextBytes(colourByte, secondByte, index);
}

PaletteFormat detectPaletteFormat(std::span<const std::uint8_t> bytes) {
    if (startsWithHeaderLine(bytes, GIMP_HEADER)) return PaletteFormat::Gimp;
    if (startsWithHeaderLine(bytes, JASC_HEADER)) return PaletteFormat::Jasc;
    if (bytes.size() == NEXT_PALETTE_BYTES) return PaletteFormat::Next9Bit;
    if (bytes.size() == NEXT_PALETTE_TRANSPARENT_BYTES) return PaletteFormat::Next9BitTransparent;
    return PaletteFormat::Rgb24;
}

model::Result<Palette> decodePaletteFile(std::span<const std::uint8_t> bytes) {
    model::Result<Entries> entries = Entries{};
    switch (detectPaletteFormat(bytes)) {
        case PaletteFormat::Gimp: entries = gimpEntries(bytes); break;
        case PaletteFormat::Jasc: entries = jascEntries(bytes); break;
        case PaletteFormat::Next9Bit:
        // The 513th byte names the transparent index, which this program keeps at 0xE3.
        case PaletteFormat::Next9BitTransparent: entries = nextEntries(bytes); break;
        case PaletteFormat::Rgb24: entries = rgbEntries(bytes); break;
    }
    if (!entries) return entries.error();
    if (entries->empty()) return model::failure(model::ErrorKind::Empty, "no colour");
    // The colours a short file lacks show black, as they do when start-up reads one.
    for (int i = static_cast<int>(entries->size()); i < PALETTE_SIZE; ++i) entries->push_back(makePaletteEntry(0, 0, 0, i));
    return Palette(std::move(*entries));
}

std::vector<std::uint8_t> encodePaletteFile(const Palette& palette, PaletteFormat format, std::string_view name) {
    const auto kept = static_cast<std::ptrdiff_t>(std::min<std::size_t>(palette.size(), PALETTE_SIZE));
    std::vector<PaletteEntry> entries(palette.entries().begin(), palette.entries().begin() + kept);
    for (int i = static_cast<int>(entries.size()); i < PALETTE_SIZE; ++i) entries.push_back(makePaletteEntry(0, 0, 0, i));

    std::vector<std::uint8_t> out;
    switch (format) {
        case PaletteFormat::Rgb24:
            for (const PaletteEntry& e : entries)
                for (const int v : {e.red, e.green, e.blue}) out.push_back(static_cast<std::uint8_t>(v));
            break;
        case PaletteFormat::Next9Bit:
        case PaletteFormat::Next9BitTransparent:
            for (const PaletteEntry& e : entries) {
                out.push_back(e.nextColourByte);
                out.push_back(static_cast<std::uint8_t>((e.priority ? NEXT_PRIORITY_BIT : 0) | (e.nextBlueBit & NEXT_BLUE_BIT)));
            }
            if (format == PaletteFormat::Next9BitTransparent) out.push_back(NEXT_TRANSPARENT_INDEX);
            break;
        case PaletteFormat::Gimp:
            appendText(out, std::string(GIMP_HEADER) + "\nName: " + std::string(name) + "\nColumns: 16\n#\n");
            for (std::size_t i = 0; i < entries.size(); ++i)
                appendText(out, rgbLine(entries[i], 3) + "\t" + std::to_string(i) + "\n");
            break;
        case PaletteFormat::Jasc:
            appendText(out, std::string(JASC_HEADER) + "\r\n" + std::string(JASC_VERSION) + "\r\n" +
                                std::to_string(entries.size()) + "\r\n");
            for (const PaletteEntry& e : entries) appendText(out, rgbLine(e, 0) + "\r\n");
            break;
    }
    return out;
}

std::optional<PaletteFormat> paletteFormatForPath(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const std::pair<const char*, PaletteFormat> known[] = {
        {".pal", PaletteFormat::Rgb24}, {".nxp", PaletteFormat::Next9Bit}, {".npl", PaletteFormat::Next9BitTransparent},
        {".gpl", PaletteFormat::Gimp},  {".jasc", PaletteFormat::Jasc}};
    for (const auto& [ext, format] : known)
        if (extension == ext) return format;
    return std::nullopt;
}

}  // namespace palette
