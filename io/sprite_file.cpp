#include "io/sprite_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <span>
#include <system_error>

#include "io/safe_write.h"

namespace io {

namespace fs = std::filesystem;
using model::SHEET_SPRITE_BYTES;
using model::SPRITE_BYTES;
using model::ErrorKind;
using model::failure;

// ---- The extension rule --------------------------------------------------------------

fs::path withSpriteExtension(const fs::path& name) {
    // Compared on the native characters so that a name is never re-encoded on its way
    // through; only ASCII letters take part in the case-blind test.
    using Char = fs::path::value_type;
    const auto& text = name.native();
    static constexpr std::array<char, 4> ending{'.', 'S', 'P', 'R'};
    bool hasEnding = text.size() >= ending.size();
    for (std::size_t i = 0; hasEnding && i < ending.size(); ++i) {
        Char c = text[text.size() - ending.size() + i];
        if (c >= Char('a') && c <= Char('z')) c = static_cast<Char>(c - Char('a') + Char('A'));
        hasEnding = c == static_cast<Char>(ending[i]);
    }
    if (hasEnding) return name;
    fs::path::string_type extended = text;
    for (char c : ending) extended.push_back(static_cast<Char>(c));
    return fs::path(extended);
}

// ---- Loading ----------------------------------------------------------------------

model::Result<std::vector<std::uint8_t>> readFileStart(const fs::path& path, std::size_t maxBytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return failure(ErrorKind::NotAFile, displayName(path));
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return failure(ErrorKind::NotFound, displayName(path));
    std::vector<std::uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return failure(ErrorKind::Unreadable, displayName(path));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

model::Result<int> loadSpriteSheet(model::SpriteModel& model, const fs::path& path) {
    // Everything is read before the model is touched, so a failure changes nothing.
    // Both kinds of sheet fill the same 16 KB of pattern memory.
    if (path.empty()) return failure(ErrorKind::NoName);
    auto bytes = readFileStart(path, SHEET_SPRITE_BYTES);
    if (!bytes) return bytes.error();
    if (bytes->empty()) return failure(ErrorKind::Empty, displayName(path));
    const std::size_t got = bytes->size();
    std::array<std::uint8_t, SHEET_SPRITE_BYTES> buffer{};
    std::copy(bytes->begin(), bytes->end(), buffer.begin());

    const std::size_t fileSprite = static_cast<std::size_t>(model::fileSpriteBytes(model.depth));
    const int sprites = static_cast<int>((got + fileSprite - 1) / fileSprite);
    const std::size_t whole = static_cast<std::size_t>(sprites) * fileSprite;  // buffer is zero past got
    // Every byte after the last sprite read is 255 in the file's own layout.
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(whole), buffer.end(),
              static_cast<std::uint8_t>(model::CUT_FILL_INDEX));

    auto& sheet = model.sheet.bytes;
    if (model.fourBit()) {
        model::unpackFourBitSprites(buffer, sheet);
    } else {
        std::copy(buffer.begin(), buffer.end(), sheet.begin());
    }

    model.currentSprite = 1;
    model.spriteCount = sprites;
    model.asideCount = 0;
    model.loadGrid();
    model.restartUndo();
    return sprites;
}

// ---- Saving -----------------------------------------------------------------------

namespace {

model::Result<SavedSprites> writeSprites(const fs::path& path, std::span<const std::uint8_t> bytes, int sprites) {
    if (auto written = writeFileReplacing(path, bytes); !written) return written.error();
    return SavedSprites{path, sprites};
}

}  // namespace

model::Result<SavedSprites> saveAllSprites(model::SpriteModel& model, const fs::path& chosen) {
    if (chosen.empty()) return failure(ErrorKind::NoName);
    model.storeGrid();  // edits still only in the grid belong in the file
    return writeSprites(withSpriteExtension(chosen), model.fileBytes(1, model.spriteCount), model.spriteCount);
}

model::Result<SavedSprites> saveSpriteRange(model::SpriteModel& model, const fs::path& chosen, int first, int last) {
    if (chosen.empty()) return failure(ErrorKind::NoName);
    // Typed fields can hold anything; the write stays within the sprites of the sheet.
    first = std::clamp(first, 0, model.maxSprites() - 1);
    last = std::clamp(last, 0, model.maxSprites() - 1);
    if (last < first) return failure(ErrorKind::EmptyRange);

    model.storeGrid();
    const int count = last + 1 - first;
    return writeSprites(withSpriteExtension(chosen), model.fileBytes(first + 1, count), count);
}

model::Result<SavedSprites> quickSave(model::SpriteModel& model, const fs::path& name) {
    model.storeGrid();
    return writeSprites(name, model.fileBytes(1, model.spriteCount), model.spriteCount);
}

model::Result<SavedSprites> exportSprite(const model::SpriteModel& model, const fs::path& name) {
    std::array<std::uint8_t, SPRITE_BYTES> cells{};
    model.grid.writeTo(cells);
    if (!model.fourBit()) return writeSprites(name, cells, 1);
    std::array<std::uint8_t, model::PACKED_SPRITE_BYTES_4BIT> packed{};
    model::packFourBit(cells, packed);
    return writeSprites(name, packed, 1);
}

}  // namespace io
