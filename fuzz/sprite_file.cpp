// Fuzz target: the sprite file load. io takes only a path, so each input is written
// to a scratch file first. Checked: a load copies exactly the first 64 sprites'
// bytes (a short last sprite completed with 0, the unread sprites 255), never
// touches the sheet past sprite 64, and a quick save of what was loaded writes the
// same bytes back; an empty file changes nothing.

#include "fuzz/fuzz_support.h"
#include "io/sprite_file.h"
#include "model/sprite_model.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::uint8_t ROOM_MARK = 0x5A;  // written past sprite 64; a load must leave it

model::SpriteModel& freshModel() {
    // One model for the run (its undo store is large); put back to the same state
    // before every input so a result never depends on the inputs before it.
    static model::SpriteModel* sprites = new model::SpriteModel();
    sprites->resetSheet();
    std::fill(sprites->sheet.bytes.begin() + model::SHEET_SPRITE_BYTES, sprites->sheet.bytes.end(), ROOM_MARK);
    sprites->currentSprite = 1;
    sprites->spriteCount = 1;
    sprites->restartUndo();
    return *sprites;
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path input = fuzz::scratchPath("sprites");
    static const std::filesystem::path saved = fuzz::scratchPath("sprites-saved");
    FUZZ_CHECK(fuzz::writeScratch(input, data, size));

    model::SpriteModel& sprites = freshModel();
    const model::SpriteSheet before = sprites.sheet;
    const model::Result<int> result = io::loadSpriteSheet(sprites, input);

    if (size == 0) {
        FUZZ_CHECK(!result && result.error().kind == model::ErrorKind::Empty);
        FUZZ_CHECK(sprites.sheet.bytes == before.bytes && sprites.spriteCount == 1);
        return 0;
    }

    const std::size_t used = std::min<std::size_t>(size, model::SHEET_SPRITE_BYTES);
    const int expected = static_cast<int>((used + model::SPRITE_BYTES - 1) / model::SPRITE_BYTES);
    FUZZ_CHECK(result && *result == expected);
    FUZZ_CHECK(sprites.spriteCount == expected && sprites.currentSprite == 1);
    FUZZ_CHECK(!sprites.history.canUndo() && !sprites.history.canRedo());

    const auto& sheet = sprites.sheet.bytes;
    const std::size_t whole = static_cast<std::size_t>(expected) * model::SPRITE_BYTES;
    FUZZ_CHECK(std::equal(data, data + used, sheet.begin()));
    FUZZ_CHECK(std::all_of(sheet.begin() + used, sheet.begin() + whole, [](auto b) { return b == 0; }));
    FUZZ_CHECK(std::all_of(sheet.begin() + whole, sheet.begin() + model::SHEET_SPRITE_BYTES,
                           [](auto b) { return b == model::CUT_FILL_INDEX; }));
    FUZZ_CHECK(std::all_of(sheet.begin() + model::SHEET_SPRITE_BYTES, sheet.end(),
                           [](auto b) { return b == ROOM_MARK; }));
    for (int i = 0; i < model::SPRITE_BYTES; ++i) FUZZ_CHECK(sprites.grid.cells[i] == sheet[i]);

    // What was loaded saves back unchanged, padding included.
    const model::Result<io::SavedSprites> save = io::quickSave(sprites, saved);
    FUZZ_CHECK(save && save->sprites == expected);
    const std::vector<std::uint8_t> written = readAll(saved);
    FUZZ_CHECK(written.size() == whole && std::equal(written.begin(), written.end(), sheet.begin()));
    return 0;
}
