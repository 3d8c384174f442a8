#include "io/sprite_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <span>

#include "io/safe_write.h"

namespace io {

namespace fs = std::filesystem;
using model::MAX_SPRITES;
using model::SHEET_SPRITE_BYTES;
using model::SPRITE_BYTES;

// ---- Texts ---------------------------------------------------------------------------

std::string loadedMessageText(int sprites) { return "Loaded " + std::to_string(sprites) + " sprite(s)."; }

std::string loadedStatusText(int sprites) { return "Success - " + loadedMessageText(sprites); }

std::string savedSheetStatusText(int sprites) { return "Success - Saved sprite sheet " + std::to_string(sprites); }

std::string quickSavingStatusText(std::string_view name) { return "Saving :" + std::string(name); }

std::string quickSavedStatusText(std::string_view name) { return "Quick saved as :" + std::string(name); }

std::string quickSaveFailedStatusText(std::string_view name) { return "Failed - saved as :" + std::string(name); }

std::string exportedStatusText(std::string_view name) { return "Saved " + std::string(name); }

std::string exportFailedStatusText(std::string_view name) { return "Failed to save " + std::string(name); }

std::string fileWindowTitle(std::string_view version, std::string_view name) {
    return "Viroror " + std::string(version) + " - file : " + std::string(name);
}

std::string savedWindowTitle(std::string_view version, std::string_view name) {
    return "Viroror " + std::string(version) + " - Saved : " + std::string(name);
}

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

std::optional<std::vector<std::uint8_t>> readFileStart(const fs::path& path, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

LoadResult loadSpriteSheet(model::SpriteModel& model, const fs::path& path) {
    LoadResult result;
    result.status = LOAD_FAILED_STATUS;

    // Everything is read before the model is touched, so a failure changes nothing.
    if (path.empty()) return result;
    const auto bytes = readFileStart(path, SHEET_SPRITE_BYTES);
    if (!bytes || bytes->empty()) return result;
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

    result.ok = true;
    result.spritesRead = sprites;
    result.status = loadedStatusText(sprites);
    return result;
}

// ---- Saving -----------------------------------------------------------------------

namespace {

SaveResult writeSprites(const fs::path& path, std::span<const std::uint8_t> bytes, int sprites) {
    SaveResult result;
    result.path = path;
    result.sprites = sprites;
    const WriteResult written = writeFileReplacing(path, bytes);
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

SaveResult sheetSaveFailed(const fs::path& path, std::string why) {
    SaveResult result;
    result.path = path;
    result.status = SAVE_FAILED_STATUS;
    result.error = std::move(why);
    return result;
}

}  // namespace

SaveResult saveAllSprites(model::SpriteModel& model, const fs::path& chosen) {
    if (chosen.empty()) return sheetSaveFailed(chosen, "no file name");
    model.storeGrid();  // edits still only in the grid belong in the file
    const auto bytes = model.spritesInUse();
    SaveResult result = writeSprites(withSpriteExtension(chosen), bytes, static_cast<int>(bytes.size() / SPRITE_BYTES));
    result.status = result.ok ? savedSheetStatusText(result.sprites) : SAVE_FAILED_STATUS;
    return result;
}

SaveResult saveSpriteRange(model::SpriteModel& model, const fs::path& chosen, int first, int last) {
    if (chosen.empty()) return sheetSaveFailed(chosen, "no file name");
    const fs::path path = withSpriteExtension(chosen);
    // Typed fields can hold anything; the write stays within the 64 sprites of the sheet.
    first = std::clamp(first, 0, MAX_SPRITES - 1);
    last = std::clamp(last, 0, MAX_SPRITES - 1);
    if (last < first) return sheetSaveFailed(path, "empty range");

    model.storeGrid();
    const int count = last + 1 - first;
    const std::span<const std::uint8_t> bytes(model.sheet.bytes.data() + first * SPRITE_BYTES,
                                              static_cast<std::size_t>(count) * SPRITE_BYTES);
    SaveResult result = writeSprites(path, bytes, count);
    result.status = result.ok ? savedSheetStatusText(count) : SAVE_FAILED_STATUS;
    return result;
}

SaveResult quickSave(model::SpriteModel& model, const fs::path& name) {
    model.storeGrid();
    const auto bytes = model.spritesInUse();
    SaveResult result = writeSprites(name, bytes, static_cast<int>(bytes.size() / SPRITE_BYTES));
    result.status = result.ok ? quickSavedStatusText(displayName(name)) : quickSaveFailedStatusText(displayName(name));
    return result;
}

SaveResult exportSprite(const model::SpriteModel& model, const fs::path& name) {
    std::array<std::uint8_t, SPRITE_BYTES> bytes{};
    model.grid.writeTo(bytes);
    SaveResult result = writeSprites(name, bytes, 1);
    result.status = result.ok ? exportedStatusText(displayName(name)) : exportFailedStatusText(displayName(name));
    return result;
}

}  // namespace io
