#include <gtest/gtest.h>

#include <algorithm>

#include "io/sprite_file.h"
#include "io_test_support.h"

using namespace iotest;
using model::SpriteModel;

namespace {

constexpr std::size_t SHEET = model::SHEET_SPRITE_BYTES;

// A model that has been worked on: distinct sheet bytes (also in the room after the
// sheet), four sprites, an edited grid on sprite 3 and some undo steps.
SpriteModel busyModel() {
    SpriteModel m;
    m.resetSheet();
    const Bytes fill = seededBytes(m.sheet.bytes.size(), 99);
    std::copy(fill.begin(), fill.end(), m.sheet.bytes.begin());
    m.spriteCount = 4;
    m.currentSprite = 3;
    m.loadGrid();
    m.restartUndo();
    m.grid.cell(1, 1) = 0x42;
    m.pushUndoSnapshot();
    m.grid.cell(2, 2) = 0x43;
    m.pushUndoSnapshot();
    m.undo();
    return m;
}

// Everything a load may change, compared whole.
void expectSameModel(const SpriteModel& a, const SpriteModel& b) {
    EXPECT_TRUE(a.sheet.bytes == b.sheet.bytes);
    EXPECT_TRUE(a.grid == b.grid);
    EXPECT_EQ(a.currentSprite, b.currentSprite);
    EXPECT_EQ(a.spriteCount, b.spriteCount);
    EXPECT_TRUE(a.block.bytes == b.block.bytes);
    EXPECT_EQ(a.history.undoPosition(), b.history.undoPosition());
    EXPECT_EQ(a.history.undoTop(), b.history.undoTop());
    for (int k = 0; k <= std::max(a.history.undoTop(), b.history.undoTop()); ++k) {
        const auto sa = a.history.snapshot(k);
        const auto sb = b.history.snapshot(k);
        EXPECT_TRUE(std::equal(sa.begin(), sa.end(), sb.begin())) << "snapshot " << k;
    }
}

Bytes sheetBytes(const SpriteModel& m, int firstSprite, int count) {
    const auto begin = m.sheet.bytes.begin() + (firstSprite - 1) * model::SPRITE_BYTES;
    return Bytes(begin, begin + count * model::SPRITE_BYTES);
}

Bytes gridBytes(const SpriteModel& m) {
    Bytes out(model::SPRITE_BYTES);
    for (int i = 0; i < model::SPRITE_BYTES; ++i) out[i] = static_cast<std::uint8_t>(m.grid.cells[i]);
    return out;
}

}  // namespace

// ---- Load and save round trips over awkward file sizes ---------------------------------

class SpriteFileSizes : public ::testing::TestWithParam<std::size_t> {};

TEST_P(SpriteFileSizes, LoadFollowsTheFillRuleAndSavesBackWhatItLoaded) {
    const std::size_t size = GetParam();
    TempFolder dir;
    const auto source = dir / "source.spr";
    const Bytes content = seededBytes(size, static_cast<unsigned>(size) + 1);
    writeBytes(source, content);

    SpriteModel m = busyModel();
    const SpriteModel before = m;
    const io::LoadResult loaded = io::loadSpriteSheet(m, source);

    if (size == 0) {
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(loaded.status, io::LOAD_FAILED_STATUS);
        expectSameModel(m, before);
        return;
    }

    const std::size_t used = std::min(size, SHEET);
    const int sprites = static_cast<int>((used + 255) / 256);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.spritesRead, sprites);
    EXPECT_EQ(loaded.status, "Success - Loaded " + std::to_string(sprites) + " sprite(s).");

    // File bytes, then zeros to the end of the last sprite read, then 255 to sprite 64,
    // and the room after the sheet as it was.
    for (std::size_t i = 0; i < m.sheet.bytes.size(); ++i) {
        int expected;
        if (i < used) {
            expected = content[i];
        } else if (i < static_cast<std::size_t>(sprites) * 256) {
            expected = 0;
        } else if (i < SHEET) {
            expected = 255;
        } else {
            expected = before.sheet.bytes[i];
        }
        ASSERT_EQ(m.sheet.bytes[i], expected) << "sheet byte " << i;
    }
    EXPECT_EQ(m.currentSprite, 1);
    EXPECT_EQ(m.spriteCount, sprites);
    EXPECT_EQ(gridBytes(m), sheetBytes(m, 1, 1));
    EXPECT_TRUE(m.block.bytes == before.block.bytes);

    // The history starts afresh on the loaded sprite 1.
    EXPECT_EQ(m.history.undoPosition(), 0);
    EXPECT_EQ(m.history.undoTop(), 0);
    const auto first = m.history.snapshot(0);
    EXPECT_EQ(Bytes(first.begin(), first.end()), sheetBytes(m, 1, 1));
    EXPECT_FALSE(m.undo());
    EXPECT_FALSE(m.redo());

    // Save all writes exactly the sprites read; loading that file gives the same model.
    const io::SaveResult saved = io::saveAllSprites(m, dir / "copy.spr");
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(saved.sprites, sprites);
    EXPECT_EQ(saved.status, "Success - Saved sprite sheet " + std::to_string(sprites));
    EXPECT_EQ(readBytes(dir / "copy.spr"), sheetBytes(m, 1, sprites));

    SpriteModel again = busyModel();
    ASSERT_TRUE(io::loadSpriteSheet(again, dir / "copy.spr").ok);
    expectSameModel(again, m);
}

INSTANTIATE_TEST_SUITE_P(AwkwardSizes, SpriteFileSizes,
                         ::testing::Values(0, 1, 255, 256, 257, 300, 16384, 16385, 1000000));

TEST(SpriteFileLoad, ThreeHundredBytesGiveTwoSpritesTheSecondCompletedWithZeros) {
    TempFolder dir;
    Bytes content(300);
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<std::uint8_t>(1 + i % 200);
    writeBytes(dir / "short.spr", content);
    SpriteModel m;
    m.resetSheet();
    ASSERT_EQ(io::loadSpriteSheet(m, dir / "short.spr").spritesRead, 2);
    const Bytes second = sheetBytes(m, 2, 1);
    EXPECT_TRUE(std::equal(content.begin() + 256, content.end(), second.begin()));
    EXPECT_TRUE(std::all_of(second.begin() + 44, second.end(), [](std::uint8_t b) { return b == 0; }));
    const Bytes third = sheetBytes(m, 3, 1);
    EXPECT_TRUE(std::all_of(third.begin(), third.end(), [](std::uint8_t b) { return b == 255; }));
}

TEST(SpriteFileLoad, AStrokeAfterALoadUndoesBackToTheLoadedSprite) {
    TempFolder dir;
    writeBytes(dir / "two.spr", seededBytes(512, 5));
    SpriteModel m = busyModel();
    ASSERT_TRUE(io::loadSpriteSheet(m, dir / "two.spr").ok);
    const auto loaded = m.grid;
    m.grid.cell(0, 0) = (m.grid.cell(0, 0) + 1) & 0xFF;
    m.pushUndoSnapshot();
    EXPECT_TRUE(m.undo());
    EXPECT_TRUE(m.grid == loaded);
    EXPECT_FALSE(m.undo());
}

TEST(SpriteFileLoad, AFailedLoadChangesNothing) {
    TempFolder dir;
    writeBytes(dir / "empty.spr", {});
    fs::create_directory(dir / "folder.spr");
    writeBytes(dir / "plain", {1, 2, 3});

    for (const fs::path& bad : {dir / "missing.spr", dir / "empty.spr", dir / "folder.spr", dir / "plain" / "x.spr",
                                fs::path()}) {
        SCOPED_TRACE(bad.string());
        SpriteModel m = busyModel();
        const SpriteModel before = m;
        const io::LoadResult result = io::loadSpriteSheet(m, bad);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.spritesRead, 0);
        EXPECT_EQ(result.status, "Failed to load - Could not load sprites");
        expectSameModel(m, before);
    }
}

TEST(SpriteFileLoad, TextsAreTheOnesTheWindowShows) {
    EXPECT_EQ(io::loadedMessageText(1), "Loaded 1 sprite(s).");
    EXPECT_EQ(io::loadedStatusText(64), "Success - Loaded 64 sprite(s).");
    EXPECT_EQ(io::fileWindowTitle("0.4.8", "/tmp/a.spr"), "Viroror 0.4.8 - file : /tmp/a.spr");
    EXPECT_EQ(io::savedWindowTitle("0.4.8", "/tmp/a.SPR"), "Viroror 0.4.8 - Saved : /tmp/a.SPR");
}

// ---- Naming --------------------------------------------------------------------------

TEST(SpriteFileNames, ExtensionRule) {
    EXPECT_EQ(io::withSpriteExtension("a.Spr"), fs::path("a.Spr"));
    EXPECT_EQ(io::withSpriteExtension("a.spr"), fs::path("a.spr"));
    EXPECT_EQ(io::withSpriteExtension("a.SPR"), fs::path("a.SPR"));
    EXPECT_EQ(io::withSpriteExtension("a.sp"), fs::path("a.sp.SPR"));
    EXPECT_EQ(io::withSpriteExtension("a"), fs::path("a.SPR"));
    EXPECT_EQ(io::withSpriteExtension("a.spr.bak"), fs::path("a.spr.bak.SPR"));
    EXPECT_EQ(io::withSpriteExtension("asprx"), fs::path("asprx.SPR"));
    EXPECT_EQ(io::withSpriteExtension("dir.spr/sheet"), fs::path("dir.spr/sheet.SPR"));
}

TEST(SpriteFileNames, SheetSavesApplyTheRuleQuickSaveAndExportDoNot) {
    TempFolder dir;
    SpriteModel m;
    m.resetSheet();
    EXPECT_EQ(io::saveAllSprites(m, dir / "all").path, dir / "all.SPR");
    EXPECT_EQ(io::saveSpriteRange(m, dir / "range.sp", 0, 0).path, dir / "range.sp.SPR");
    EXPECT_EQ(io::quickSave(m, dir / "quick").path, dir / "quick");
    EXPECT_EQ(io::exportSprite(m, dir / "one").path, dir / "one");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"all.SPR", "one", "quick", "range.sp.SPR"}));
}

// ---- Saves -----------------------------------------------------------------------------

TEST(SpriteFileSave, SaveAllStoresTheGridFirst) {
    TempFolder dir;
    SpriteModel m = busyModel();  // sprite 3 of 4, grid edited but not stored
    const Bytes grid = gridBytes(m);
    const auto result = io::saveAllSprites(m, dir / "all.spr");
    ASSERT_TRUE(result.ok);
    const Bytes file = readBytes(dir / "all.spr");
    ASSERT_EQ(file.size(), 4u * 256);
    EXPECT_TRUE(std::equal(grid.begin(), grid.end(), file.begin() + 512));
}

TEST(SpriteFileSave, RangeUsesZeroBasedNumbersAndStoresTheGridFirst) {
    TempFolder dir;
    SpriteModel m = busyModel();
    const Bytes grid = gridBytes(m);  // sprite 3, i.e. field value 2
    const auto result = io::saveSpriteRange(m, dir / "r.spr", 2, 4);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.sprites, 3);
    EXPECT_EQ(result.status, "Success - Saved sprite sheet 3");
    const Bytes file = readBytes(dir / "r.spr");
    EXPECT_EQ(file, sheetBytes(m, 3, 3));  // sheet bytes 512 to 1279
    EXPECT_TRUE(std::equal(grid.begin(), grid.end(), file.begin()));
}

TEST(SpriteFileSave, RangeFieldsAreClampedToTheSheet) {
    struct Case {
        int first, last, firstSprite, count;
    };
    for (const Case c : {Case{-5, 1, 1, 2}, Case{60, 99, 61, 4}, Case{70, 80, 64, 1}, Case{0, 63, 1, 64},
                         Case{-3, -1, 1, 1}}) {
        SCOPED_TRACE(std::to_string(c.first) + ".." + std::to_string(c.last));
        TempFolder dir;
        SpriteModel m = busyModel();
        const auto result = io::saveSpriteRange(m, dir / "r.spr", c.first, c.last);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.sprites, c.count);
        EXPECT_EQ(readBytes(dir / "r.spr"), sheetBytes(m, c.firstSprite, c.count));
    }
}

TEST(SpriteFileSave, AnEmptyRangeWritesNothingAndFails) {
    TempFolder dir;
    const Bytes old = seededBytes(700, 3);
    writeBytes(dir / "r.spr", old);
    SpriteModel m = busyModel();
    const auto result = io::saveSpriteRange(m, dir / "r.spr", 4, 2);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, "Failed - Could not save sprites");
    EXPECT_EQ(readBytes(dir / "r.spr"), old);

    EXPECT_FALSE(io::saveSpriteRange(m, dir / "new.spr", 10, 9).ok);
    EXPECT_FALSE(fs::exists(dir / "new.spr"));
}

TEST(SpriteFileSave, QuickSaveStoresTheGridAndReplacesALongerFileWhole) {
    TempFolder dir;
    const auto name = dir / "quick.bin";
    writeBytes(name, seededBytes(16384, 8));
    SpriteModel m = busyModel();
    const Bytes grid = gridBytes(m);
    const auto result = io::quickSave(m, name);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.status, "Quick saved as :" + name.string());
    const Bytes file = readBytes(name);
    EXPECT_EQ(file, sheetBytes(m, 1, 4));
    EXPECT_TRUE(std::equal(grid.begin(), grid.end(), file.begin() + 512));
    EXPECT_EQ(io::quickSavingStatusText("x"), "Saving :x");
}

TEST(SpriteFileSave, ExportWritesTheGridWhateverTheCount) {
    TempFolder dir;
    SpriteModel m = busyModel();
    m.spriteCount = 64;
    const auto result = io::exportSprite(m, dir / "one.spr");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.status, "Saved " + (dir / "one.spr").string());
    EXPECT_EQ(readBytes(dir / "one.spr"), gridBytes(m));
    // The grid, not the sheet: the edit is not stored and the sheet differs.
    EXPECT_NE(gridBytes(m), sheetBytes(m, 3, 1));
}

TEST(SpriteFileSave, UnwritableTargetsFailWithTheirTextsAndKeepTheOldFile) {
    TempFolder dir;
    fs::create_directory(dir / "taken.spr");
    writeBytes(dir / "plain", {1});
    SpriteModel m = busyModel();

    for (const fs::path& bad : {dir / "taken.spr", dir / "plain" / "x.spr"}) {
        SCOPED_TRACE(bad.string());
        const std::string name = bad.string();
        auto r = io::saveAllSprites(m, bad);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, io::SAVE_FAILED_STATUS);
        r = io::saveSpriteRange(m, bad, 0, 3);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, io::SAVE_FAILED_STATUS);
        r = io::quickSave(m, bad);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, "Failed - saved as :" + name);
        r = io::exportSprite(m, bad);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.status, "Failed to save " + name);
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.spr"));
    EXPECT_EQ(readBytes(dir / "plain"), Bytes{1});
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"plain", "taken.spr"}));
}

#ifdef __unix__
TEST(SpriteFileSave, AWriteThatRunsOutOfSpaceIsAFailureNotASuccess) {
    TempFolder dir;
    const auto target = dir / "sheet.spr";
    const Bytes old = seededBytes(256, 4);
    writeBytes(target, old);
    SpriteModel m = busyModel();
    m.spriteCount = 64;
    // Room for 10 sprites per file; the child reports through its exit code.
    const int code = runWithFileSizeLimit(2560, [&] {
        const auto r = io::saveAllSprites(m, target);
        return r.ok || r.status != io::SAVE_FAILED_STATUS;
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"sheet.spr"});
}
#endif
