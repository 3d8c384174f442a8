#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "io/sprite_file.h"
#include "tests/support/files.h"

using namespace support;
using model::SpriteModel;

namespace {
constexpr std::size_t SHEET = model::SHEET_SPRITE_BYTES;

// A model that has been worked on: seeded sheet bytes (also in the room after the
// sheet), four sprites, an edited grid on sprite 3 not yet stored, some undo steps.
SpriteModel busyModel() {
    SpriteModel m;
    m.resetSheet();
    const Bytes fill = seededBytes(m.sheet.bytes.size(), 99);
    std::copy(fill.begin(), fill.end(), m.sheet.bytes.begin());
    m.spriteCount = 4;
    m.currentSprite = 3;
    m.loadGrid();
    m.restartUndo();
    for (int x : {1, 2}) {
        m.grid.cell(x, x) = 0x40 + x;
        m.pushUndoSnapshot();
    }
    m.undo();
    return m;
}

// Everything a load may change, compared whole.
void expectSameModel(const SpriteModel& a, const SpriteModel& b) {
    EXPECT_TRUE(a.sheet.bytes == b.sheet.bytes && a.grid == b.grid);
    EXPECT_EQ(std::tuple(a.currentSprite, a.spriteCount, a.history.undoPosition()),
              std::tuple(b.currentSprite, b.spriteCount, b.history.undoPosition()));
    ASSERT_EQ(a.history.undoTop(), b.history.undoTop());
    for (int k = 0; k <= a.history.undoTop(); ++k)
        EXPECT_TRUE(std::ranges::equal(a.history.snapshot(k), b.history.snapshot(k))) << "snapshot " << k;
}

Bytes sheetBytes(const SpriteModel& m, int firstSprite, int count) {
    const auto begin = m.sheet.bytes.begin() + (firstSprite - 1) * model::SPRITE_BYTES;
    return Bytes(begin, begin + count * model::SPRITE_BYTES);
}

Bytes gridBytes(const SpriteModel& m) { return Bytes(m.grid.cells.begin(), m.grid.cells.end()); }
}  // namespace

class SpriteFileSizes : public ::testing::TestWithParam<std::size_t> {};

// File bytes, 0 to the end of the last sprite read, 255 to sprite 64, the room after
// the sheet untouched, sprite 1 current with a fresh history; saved back as loaded.
TEST_P(SpriteFileSizes, LoadFollowsTheFillRuleAndSavesBackWhatItLoaded) {
    const std::size_t size = GetParam();
    TempFolder dir;
    const Bytes content = seededBytes(size, static_cast<unsigned>(size) + 1);
    writeBytes(dir / "source.spr", content);
    SpriteModel m = busyModel();
    const SpriteModel before = m;
    const model::Result<int> loaded = io::loadSpriteSheet(m, dir / "source.spr");
    const std::size_t used = std::min(size, SHEET);
    const int sprites = static_cast<int>((used + 255) / 256);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, sprites);
    Bytes expected(before.sheet.bytes.begin(), before.sheet.bytes.end());  // the room after the sheet too
    std::fill_n(expected.begin(), SHEET, 255);
    std::fill_n(expected.begin(), sprites * 256, 0);
    std::copy_n(content.begin(), used, expected.begin());
    EXPECT_TRUE(Bytes(m.sheet.bytes.begin(), m.sheet.bytes.end()) == expected);
    EXPECT_EQ(std::tuple(m.currentSprite, m.spriteCount, m.history.undoTop(), m.history.undoPosition()),
              std::tuple(1, sprites, 0, 0));
    EXPECT_EQ(gridBytes(m), sheetBytes(m, 1, 1));
    EXPECT_TRUE(std::ranges::equal(m.history.snapshot(0), sheetBytes(m, 1, 1)));

    const auto saved = io::saveAllSprites(m, dir / "copy.spr");
    ASSERT_TRUE(saved) << saved.error().detail;
    EXPECT_EQ(readBytes(dir / "copy.spr"), sheetBytes(m, 1, sprites));
}

INSTANTIATE_TEST_SUITE_P(AwkwardSizes, SpriteFileSizes,
                         ::testing::Values(1, 255, 256, 257, 300, 16384, 16385, 1000000));

TEST(SpriteFileLoad, AFailedLoadChangesNothing) {
    TempFolder dir;
    fs::create_directory(dir / "folder.spr");
    writeBytes(dir / "plain", {1, 2, 3});
    writeBytes(dir / "empty.spr", {});
    using model::ErrorKind;
    for (const auto& [bad, kind] : {std::pair{dir / "empty.spr", ErrorKind::Empty}, {fs::path(), ErrorKind::NoName},
                                    {dir / "missing.spr", ErrorKind::NotFound}, {dir / "folder.spr", ErrorKind::NotAFile},
                                    {dir / "plain" / "x.spr", ErrorKind::NotFound}}) {
        SpriteModel m = busyModel();
        const SpriteModel before = m;
        const model::Result<int> result = io::loadSpriteSheet(m, bad);
        ASSERT_FALSE(result) << bad;
        EXPECT_EQ(result.error().kind, kind) << bad;
        expectSameModel(m, before);
    }
}

TEST(SpriteFileNames, ExtensionRule) {
    for (auto [name, expected] : {std::pair{"a.Spr", "a.Spr"}, {"a.SPR", "a.SPR"}, {"a.sp", "a.sp.SPR"},
                                  {"a", "a.SPR"}, {"a.spr.bak", "a.spr.bak.SPR"}, {"asprx", "asprx.SPR"},
                                  {"dir.spr/sheet", "dir.spr/sheet.SPR"}})
        EXPECT_EQ(io::withSpriteExtension(name), fs::path(expected)) << name;
}

// busyModel is on sprite 3 of 4 with an edit not yet stored: the three sheet saves
// store it first (quick save replacing a longer file whole), the export writes the
// grid alone. (The names they write: the command rows and the extension rule.)
TEST(SpriteFileSave, SavesWriteTheSpritesInUseWithTheEditedGrid) {
    TempFolder dir;
    Bytes expected = sheetBytes(busyModel(), 1, 4);
    const Bytes grid = gridBytes(busyModel());
    ASSERT_NE(grid, Bytes(expected.begin() + 512, expected.begin() + 768));
    std::copy(grid.begin(), grid.end(), expected.begin() + 512);
    writeBytes(dir / "quick", seededBytes(SHEET, 8));
    SpriteModel m[4] = {busyModel(), busyModel(), busyModel(), busyModel()};
    ASSERT_TRUE(io::exportSprite(m[0], dir / "one") && io::quickSave(m[1], dir / "quick") &&
                io::saveAllSprites(m[2], dir / "all.spr") && io::saveSpriteRange(m[3], dir / "range.spr", 0, 3));
    EXPECT_EQ(readBytes(dir / "one"), grid);
    for (const char* name : {"quick", "all.spr", "range.spr"}) EXPECT_EQ(readBytes(dir / name), expected) << name;
}

// The range fields are 0-based sprite numbers clamped to 0..63; last below first fails
// and writes nothing.
TEST(SpriteFileSave, RangeIsClampedAndAnEmptyOneWritesNothing) {
    TempFolder dir;
    struct Case { int first, last, firstSprite, count; };
    for (const Case c : {Case{2, 4, 3, 3}, Case{-5, 1, 1, 2}, Case{60, 99, 61, 4}, Case{70, 80, 64, 1},
                         Case{0, 63, 1, 64}, Case{-3, -1, 1, 1}, Case{4, 2, 0, 0}, Case{10, 9, 0, 0}}) {
        writeBytes(dir / "r.spr", {1, 2, 3});
        SpriteModel m = busyModel();
        const auto result = io::saveSpriteRange(m, dir / "r.spr", c.first, c.last);
        EXPECT_EQ(result ? result->sprites : 0, c.count) << c.first << ".." << c.last;
        EXPECT_TRUE(result || result.error().kind == model::ErrorKind::EmptyRange);
        EXPECT_EQ(readBytes(dir / "r.spr"), c.count ? sheetBytes(m, c.firstSprite, c.count) : Bytes({1, 2, 3}))
            << c.first << ".." << c.last;
    }
}

// 4-bit sheets: a file of packed sprites (the left pixel of each pair in the high
// nibble, rows top to bottom) loads into values; a short one is completed with 0
// nibbles, then 15s. The saves write packed sprites back byte for byte with the
// edited grid, the export the grid alone and the range up to sprite 128.
TEST(FourBitFiles, PackedSpritesLoadAndSaveBackByteForByte) {
    TempFolder dir;
    for (const int size : {128, 127 * 128, 128 * 128, 200, 20000}) {
        SCOPED_TRACE(size);
        const Bytes content = seededBytes(std::size_t(size), unsigned(size));
        writeBytes(dir / "four.spr", content);
        SpriteModel m;
        m.depth = model::SpriteDepth::Four;
        m.resetSheet();
        const int sprites = std::min((size + 127) / 128, 128);
        Bytes sheet(128 * 128, 0xFF);  // the whole sheet, packed
        std::fill_n(sheet.begin(), sprites * 128, 0);
        std::copy_n(content.begin(), std::min(size, 128 * 128), sheet.begin());
        const model::Result<int> loaded = io::loadSpriteSheet(m, dir / "four.spr");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, sprites);
        for (std::size_t i = 0; i < sheet.size(); ++i)
            ASSERT_EQ(m.sheet.bytes[2 * i] * 16 + m.sheet.bytes[2 * i + 1], sheet[i]) << "byte " << i;
        m.grid.cell(0, 0) = 0xA;  // an edit not yet stored
        sheet[0] = static_cast<std::uint8_t>(0xA0 | (sheet[0] & 0x0F));
        ASSERT_TRUE(io::exportSprite(m, dir / "one.spr") && io::saveAllSprites(m, dir / "all.spr") &&
                    io::saveSpriteRange(m, dir / "range.spr", 126, 500));
        EXPECT_EQ(readBytes(dir / "all.spr"), Bytes(sheet.begin(), sheet.begin() + sprites * 128));
        EXPECT_EQ(readBytes(dir / "one.spr"), Bytes(sheet.begin(), sheet.begin() + 128));
        EXPECT_EQ(readBytes(dir / "range.spr"), Bytes(sheet.end() - 256, sheet.end()));
    }
}
