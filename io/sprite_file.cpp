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
using model::MAX_SPRITES;
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
    if (path.empty()) return failure(ErrorKind::NoName);
    auto bytes = readFileStart(path, SHEET_SPRITE_BYTES);
    if (!bytes) return bytes.error();
    if (bytes->empty()) return failure(ErrorKind::Empty, displayName(path));
    const std::size_t got = bytes->size();
    std::array<std::uint8_t, SHEET_SPRITE_BYTES> buffer{};
    std::copy(bytes->begin(), bytes->end(), buffer.begin());

    const int sprites = static_cast<int>((got + SPRITE_BYTES - 1) / SPRITE_BYTES);
    const std::size_t whole = static_cast<std::size_t>(sprites) * SPRITE_BYTES;  // buffer is zero past got

    auto& sheet = model.sheet.bytes;
    std::copy_n(buffer.begin(), whole, sheet.begin());
    std::fill(sheet.begin() + static_cast<std::ptrdiff_t>(whole), sheet.begin() + SHEET_SPRITE_BYTES,
              static_cast<std::uint8_t>(model::CUT_FILL_INDEX));

    model.currentSprite = 1;
    model.spriteCount = sprites;
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
    const auto bytes = model.spritesInUse();
    return writeSprites(withSpriteExtension(chosen), bytes, static_cast<int>(bytes.size() / SPRITE_BYTES));
}

model::Result<SavedSprites> saveSpriteRange(model::SpriteModel& model, const fs::path& chosen, int first, int last) {
    if (chosen.empty()) return failure(ErrorKind::NoName);
    // Typed fields can hold anything; the write stays within the 64 sprites of the sheet.
    first = std::clamp(first, 0, MAX_SPRITES - 1);
    last = std::clamp(last, 0, MAX_SPRITES - 1);
    if (last < first) return failure(ErrorKind::EmptyRange);

    model.storeGrid();
    const int count = last + 1 - first;
    const std::span<const std::uint8_t> bytes(model.sheet.bytes.data() + first * SPRITE_BYTES,
                                              static_cast<std::size_t>(count) * SPRITE_BYTES);
    return writeSprites(withSpriteExtension(chosen), bytes, count);
}

model::Result<SavedSprites> quickSave(model::SpriteModel& model, const fs::path& name) {
    model.storeGrid();
    const auto bytes = model.spritesInUse();
    return writeSprites(name, bytes, static_cast<int>(bytes.size() / SPRITE_BYTES));
}

model::Result<SavedSprites> exportSprite(const model::SpriteModel& model, const fs::path& name) {
    std::array<std::uint8_t, SPRITE_BYTES> bytes{};
    model.grid.writeTo(bytes);
    return writeSprites(name, bytes, 1);
}

}  // namespace io
