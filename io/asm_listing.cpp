#include "io/asm_listing.h"

#include <algorithm>

#include "io/safe_write.h"
#include "model/sprite_sheet.h"

namespace io {

using model::SPRITE_SIDE;

std::string labelBase(std::string_view labelText) {
    std::string base(labelText.empty() ? std::string_view(DEFAULT_LABEL_BASE) : labelText);
    std::replace(base.begin(), base.end(), ' ', '_');
    return base;
}

std::string labelLine(std::string_view base, int spriteNumber) {
    return std::string(base) + std::to_string(spriteNumber) + ":";
}

std::string dataLine(std::span<const std::uint8_t> row) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(DATA_LINE_LENGTH);
    line += "\tdb ";
    for (std::size_t x = 0; x < row.size(); ++x) {
        const std::uint8_t value = row[x];
        line += " $";
        line += HEX[value >> 4];
        line += HEX[value & 0xF];
        line += x + 1 < row.size() ? ',' : ';';
    }
    return line;
}

std::vector<std::string> spriteListingPieces(std::span<const std::uint8_t> sheet, int spriteNumber,
                                             std::string_view base, int spriteBytes) {
    std::vector<std::string> pieces;
    pieces.reserve(PIECES_PER_SPRITE);
    pieces.push_back(labelLine(base, spriteNumber));
    const auto size = static_cast<std::size_t>(spriteBytes);
    const auto sprite = sheet.subspan(static_cast<std::size_t>(spriteNumber - 1) * size, size);
    const std::size_t rowBytes = size / SPRITE_SIDE;
    for (std::size_t y = 0; y < SPRITE_SIDE; ++y) pieces.push_back(dataLine(sprite.subspan(y * rowBytes, rowBytes)));
    pieces.emplace_back(SPRITE_END_TEXT);
    return pieces;
}

void appendListingText(std::string& area, std::string_view text) {
    if (!area.empty()) area += '\n';
    area += text;
}

int listableSprites(std::span<const std::uint8_t> sheet, int spriteCount, int spriteBytes) {
    if (spriteBytes <= 0) return 0;
    const int held = static_cast<int>(sheet.size() / static_cast<std::size_t>(spriteBytes));
    return std::clamp(spriteCount, 0, std::min(held, model::SHEET_SPRITE_BYTES / spriteBytes));
}

std::string asmListing(std::span<const std::uint8_t> sheet, int spriteCount, std::string_view labelText,
                       int spriteBytes) {
    const int count = listableSprites(sheet, spriteCount, spriteBytes);
    const std::string base = labelBase(labelText);
    std::string area;
    area.reserve(static_cast<std::size_t>(count) * (PIECES_PER_SPRITE * (DATA_LINE_LENGTH + 1) + 16));
    for (int i = 1; i <= count; ++i) {
        for (const std::string& piece : spriteListingPieces(sheet, i, base, spriteBytes)) appendListingText(area, piece);
    }
    return area;
}

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// One code point from text at i; advances i. -1 for a malformed sequence (i then moves
// past its first byte only, so the following bytes are looked at afresh).
long decodeUtf8(std::string_view text, std::size_t& i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = 0;
    long cp = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {  // cut short at the end
        ++i;
        return -1;
    }
    const unsigned char second = at(i + 1);
    if (second < low || second > high) {
        ++i;
        return -1;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = at(i + static_cast<std::size_t>(k));
        if (!isContinuation(c)) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

}  // namespace

std::string listingFileBytes(std::string_view utf8Text) {
    std::string out;
    out.reserve(utf8Text.size() + utf8Text.size() / 64 + 2);
    std::size_t i = 0;
    while (i < utf8Text.size()) {
        const long cp = decodeUtf8(utf8Text, i);
        if (cp == '\r') {
            // CR LF stays one break; a lone CR is a break of its own.
            if (i < utf8Text.size() && utf8Text[i] == '\n') ++i;
            out += "\r\n";
        } else if (cp == '\n' || cp == 0x2028 || cp == 0x2029) {
            out += "\r\n";
        } else if (cp >= 0 && cp <= 0xFF) {
            out += static_cast<char>(static_cast<unsigned char>(cp));
        } else {
            out += '?';
        }
    }
    return out;
}

model::Result<> saveListing(std::string_view utf8Text, const std::filesystem::path& path) {
    return writeFileReplacing(path, listingFileBytes(utf8Text));
}

}  // namespace io
