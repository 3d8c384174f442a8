#include <gtest/gtest.h>

#include <algorithm>

#include "model/sprite_model.h"

using namespace model;

namespace {

SpriteModel freshModel() {
    SpriteModel m;
    m.resetSheet();
    return m;
}

// Every cell a different value, so a misplaced cell shows.
void paintDistinct(SpriteGrid& g, int seed) {
    for (int i = 0; i < SPRITE_BYTES; ++i) g.cells[i] = (i + seed) & 0xFF;
}

bool spriteAll(const SpriteModel& m, int n, int value) {
    auto s = m.sheet.sprite(n);
    return std::all_of(s.begin(), s.end(), [&](std::uint8_t b) { return b == value; });
}

}  // namespace

TEST(SpriteModel, ResetLeavesOneClearSpriteAndTouchesNothingBeyondTheSheet) {
    SpriteModel m;
    m.sheet.bytes[SHEET_SPRITE_BYTES] = 7;  // room after sprite 64
    m.resetSheet();
    EXPECT_EQ(m.currentSprite, 1);
    EXPECT_EQ(m.spriteCount, 1);
    for (int n = 1; n <= MAX_SPRITES; ++n) EXPECT_TRUE(spriteAll(m, n, TRANSPARENT_INDEX)) << n;
    EXPECT_EQ(m.sheet.bytes[SHEET_SPRITE_BYTES], 7);
    for (int c : m.grid.cells) EXPECT_EQ(c, TRANSPARENT_INDEX);
}

TEST(SpriteModel, StepsStoreEditsAndLoadTheOtherSprite) {
    SpriteModel m = freshModel();
    ASSERT_TRUE(m.addSprite());  // now on sprite 2 of 2
    paintDistinct(m.grid, 1);
    const SpriteGrid edited = m.grid;
    ASSERT_TRUE(m.canStepBack());
    m.previousSprite();
    EXPECT_EQ(m.currentSprite, 1);
    for (int c : m.grid.cells) EXPECT_EQ(c, TRANSPARENT_INDEX);
    ASSERT_TRUE(m.canStepForward());
    m.nextSprite();
    EXPECT_EQ(m.currentSprite, 2);
    EXPECT_EQ(m.grid, edited);
    EXPECT_FALSE(m.canStepForward());
}

TEST(SpriteModel, AddSpriteStopsAtSixtyFour) {
    SpriteModel m = freshModel();
    for (int i = 0; i < 63; ++i) ASSERT_TRUE(m.addSprite());
    EXPECT_EQ(m.spriteCount, 64);
    EXPECT_EQ(m.currentSprite, 64);
    paintDistinct(m.grid, 3);
    const SpriteGrid before = m.grid;
    const auto sheetBefore = m.sheet.bytes;
    EXPECT_FALSE(m.addSprite());
    EXPECT_EQ(m.spriteCount, 64);
    EXPECT_EQ(m.currentSprite, 64);
    EXPECT_EQ(m.grid, before);
    EXPECT_EQ(m.sheet.bytes, sheetBefore);
}

TEST(SpriteModel, AddSpriteMovesToTheSpriteAfterTheCurrentOne) {
    SpriteModel m = freshModel();
    m.spriteCount = 10;
    m.currentSprite = 3;
    m.sheet.sprite(4)[0] = 42;
    ASSERT_TRUE(m.addSprite());
    EXPECT_EQ(m.spriteCount, 11);
    EXPECT_EQ(m.currentSprite, 4);
    EXPECT_EQ(m.grid.cell(0, 0), 42);
}

TEST(SpriteModel, RemoveLastSprite) {
    SpriteModel m = freshModel();
    EXPECT_FALSE(m.removeLastSprite());
    EXPECT_EQ(m.spriteCount, 1);

    m.spriteCount = 5;
    paintDistinct(m.grid, 9);
    const SpriteGrid grid = m.grid;
    ASSERT_TRUE(m.removeLastSprite());
    EXPECT_EQ(m.spriteCount, 4);
    EXPECT_EQ(m.currentSprite, 1);
    EXPECT_EQ(m.grid, grid);  // sprite 1 does not step

    // Any other sprite steps back, even inside the new count; its edits are stored.
    m.currentSprite = 3;
    paintDistinct(m.grid, 5);
    ASSERT_TRUE(m.removeLastSprite());
    EXPECT_EQ(m.spriteCount, 3);
    EXPECT_EQ(m.currentSprite, 2);
    EXPECT_EQ(m.sheet.sprite(3)[0], 5);
}

TEST(SpriteModel, ClearCurrentSpriteTouchesOnlyThatSprite) {
    SpriteModel m = freshModel();
    std::fill_n(m.sheet.bytes.begin(), SHEET_SPRITE_BYTES, std::uint8_t{1});
    m.spriteCount = 10;
    m.currentSprite = 5;
    m.loadGrid();
    m.clearCurrentSprite();
    for (int n = 1; n <= MAX_SPRITES; ++n) EXPECT_TRUE(spriteAll(m, n, n == 5 ? TRANSPARENT_INDEX : 1)) << n;
    for (int c : m.grid.cells) EXPECT_EQ(c, TRANSPARENT_INDEX);
}

TEST(SpriteModel, CopyCutPaste) {
    SpriteModel m = freshModel();
    // Paste before any copy gives 256 zeros in grid and sheet.
    m.pasteBlock();
    EXPECT_TRUE(spriteAll(m, 1, 0));
    for (int c : m.grid.cells) EXPECT_EQ(c, 0);

    paintDistinct(m.grid, 0);
    const SpriteGrid original = m.grid;
    m.copyBlock();
    m.addSprite();
    m.pasteBlock();
    m.pasteBlock();  // twice is the same as once
    EXPECT_EQ(m.grid, original);
    SpriteGrid fromSheet;
    fromSheet.readFrom(m.sheet.sprite(2));
    EXPECT_EQ(fromSheet, original);

    // Cut on sprite 5 leaves 255 there only; paste restores it.
    m.spriteCount = 6;
    m.currentSprite = 5;
    paintDistinct(m.grid, 77);
    m.storeGrid();
    const auto before = m.sheet.bytes;
    m.cutBlock();
    EXPECT_TRUE(spriteAll(m, 5, CUT_FILL_INDEX));
    for (int c : m.grid.cells) EXPECT_EQ(c, CUT_FILL_INDEX);
    for (int n = 1; n <= MAX_SPRITES; ++n) {
        if (n == 5) continue;
        EXPECT_TRUE(std::equal(m.sheet.sprite(n).begin(), m.sheet.sprite(n).end(),
                               before.begin() + (n - 1) * SPRITE_BYTES));
    }
    m.pasteBlock();
    EXPECT_EQ(m.sheet.bytes, before);
}
