#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "model/sprite_model.h"
#include "model/transformations.h"

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
bool all(const auto& range, int value) {
    return std::all_of(range.begin(), range.end(), [&](int b) { return b == value; });
}
void stroke(SpriteModel& m, int x, int value) {
    m.grid.cell(x, 0) = value;
    m.pushUndoSnapshot();
}
}  // namespace

// 64 sprites on an 8-bit sheet, 128 on a 4-bit one, whose new, cleared and cut
// sprites hold the values 3 and 15 where an 8-bit sheet holds 0xE3 and 0xFF.
TEST(SpriteModel, AddsStopAtTheSheetsSizeAndFourBitSheetsClearToThree) {
    for (const auto depth : {SpriteDepth::Eight, SpriteDepth::Four}) {
        SpriteModel m;
        m.depth = depth;
        m.resetSheet();
        const int last = m.maxSprites();
        for (int i = 1; i < last; ++i) ASSERT_TRUE(m.addSprite());
        EXPECT_TRUE(all(m.grid.cells, m.transparentValue()));
        paintDistinct(m.grid, 3);
        const SpriteGrid grid = m.grid;
        const auto sheet = m.sheet.bytes;
        EXPECT_FALSE(m.addSprite());
        EXPECT_EQ(std::pair(m.spriteCount, m.currentSprite), std::pair(last, last));
        EXPECT_TRUE(m.grid == grid && m.sheet.bytes == sheet);
        m.cutBlock();
        EXPECT_TRUE(all(m.sheet.sprite(last), depth == SpriteDepth::Four ? 15 : CUT_FILL_INDEX));
        m.clearCurrentSprite();
        EXPECT_TRUE(all(m.sheet.sprite(last), depth == SpriteDepth::Four ? 3 : TRANSPARENT_INDEX));
    }
}

// Sprite 1 never steps; any other sprite steps back, even inside the new count.
TEST(SpriteModel, RemoveLastSprite) {
    struct Case { int count, current; bool changed; int newCount, newCurrent; };
    for (const Case& c : {Case{1, 1, false, 1, 1}, Case{5, 1, true, 4, 1}, Case{5, 2, true, 4, 1},
                          Case{5, 3, true, 4, 2}, Case{5, 5, true, 4, 4}}) {
        SpriteModel m = freshModel();
        m.spriteCount = c.count;
        m.currentSprite = c.current;
        paintDistinct(m.grid, 5);
        EXPECT_EQ(std::tuple(m.removeLastSprite(), m.spriteCount, m.currentSprite),
                  std::tuple(c.changed, c.newCount, c.newCurrent));
        const bool stepped = c.current != c.newCurrent;  // edits are stored before a step
        EXPECT_EQ(m.sheet.sprite(c.current)[0], stepped ? 5 : TRANSPARENT_INDEX);
        EXPECT_EQ(m.grid.cells[0], stepped ? TRANSPARENT_INDEX : 5);
    }
}

// The window's cut, copy and paste rows check the current sprite; here the block
// before any copy and the sprites a cut leaves alone.
TEST(SpriteModel, PasteBeforeACopyGivesZerosAndCutTouchesOnlyTheCurrentSprite) {
    SpriteModel m = freshModel();
    m.pasteBlock();
    EXPECT_TRUE(all(m.sheet.sprite(1), 0) && all(m.grid.cells, 0));
    m.spriteCount = 6;
    m.currentSprite = 5;
    paintDistinct(m.grid, 77);
    auto expected = m.sheet.bytes;
    std::fill_n(expected.begin() + 4 * SPRITE_BYTES, SPRITE_BYTES, std::uint8_t{CUT_FILL_INDEX});
    m.cutBlock();
    EXPECT_EQ(m.sheet.bytes, expected);
}

TEST(UndoHistory, PushDiscardsRedoAndSpriteStepRestarts) {
    SpriteModel m = freshModel();
    m.addSprite();
    stroke(m, 0, 1);
    stroke(m, 1, 2);
    m.undo();
    m.undo();
    stroke(m, 2, 3);
    EXPECT_FALSE(m.redo());
    EXPECT_EQ(m.grid.cell(1, 0), TRANSPARENT_INDEX);
    EXPECT_EQ(m.history.undoPosition(), 256);
    m.previousSprite();
    const SpriteGrid loaded = m.grid;
    EXPECT_EQ(m.history.undoPosition(), 0);
    EXPECT_FALSE(m.undo() || m.redo());
    EXPECT_EQ(m.grid, loaded);
}

TEST(UndoHistory, FullStoreDropsTheOldestSnapshots) {
    SpriteModel m = freshModel();
    const int pushes = UndoHistory::CAPACITY + 100;
    auto stamped = [&] { return m.grid.cell(0, 0) | m.grid.cell(1, 0) << 8; };
    for (int i = 1; i <= pushes; ++i) {
        m.grid.cell(0, 0) = i & 0xFF;
        stroke(m, 1, (i >> 8) & 0xFF);
    }
    EXPECT_EQ(m.history.undoPosition(), (UndoHistory::CAPACITY - 1) * 256);
    int undos = 0;
    while (m.undo()) ++undos;
    EXPECT_EQ(undos, UndoHistory::CAPACITY - 1);
    EXPECT_EQ(stamped(), pushes - (UndoHistory::CAPACITY - 1));
    while (m.redo()) {
    }
    EXPECT_EQ(stamped(), pushes);
}

// Where the value at (fromX, fromY) lands, including the wrapping edges of the scrolls.
TEST(Transformations, CellsLandWhereExpected) {
    struct Case { void (*t)(SpriteGrid&); int fromX, fromY, toX, toY; };
    const Case cases[] = {
        {rotateClockwise, 3, 5, 10, 3}, {rotateClockwise, 0, 0, 15, 0}, {rotateClockwise, 15, 0, 15, 15},
        {rotateClockwise, 15, 15, 0, 15}, {rotateClockwise, 0, 15, 0, 0}, {mirrorLeftRight, 3, 5, 12, 5},
        {flipTopBottom, 3, 5, 3, 10}, {scrollUp, 4, 0, 4, 15}, {scrollUp, 4, 1, 4, 0}, {scrollDown, 4, 15, 4, 0},
        {scrollLeft, 0, 2, 15, 2}, {scrollRight, 15, 2, 0, 2}, {scrollRight, 3, 2, 4, 2}};
    for (const Case& c : cases) {
        SpriteGrid g;
        paintDistinct(g, 0);
        c.t(g);
        EXPECT_EQ(g.cell(c.toX, c.toY), c.fromY * 16 + c.fromX) << c.fromX << "," << c.fromY;
    }
}

