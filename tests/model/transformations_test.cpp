#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/transformations.h"

using namespace model;

namespace {
SpriteGrid distinctGrid() {
    SpriteGrid g;
    for (int i = 0; i < SPRITE_BYTES; ++i) g.cells[i] = i;
    return g;
}
// Where did the value that stood at (x, y) go?
std::pair<int, int> whereIs(const SpriteGrid& g, int value) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (g.cell(x, y) == value) return {x, y};
    return {-1, -1};
}
using Transform = void (*)(SpriteGrid&);
}  // namespace

TEST(Transformations, EachReturnsToTheStartAfterItsOrder) {
    const std::vector<std::pair<Transform, int>> orders = {
        {rotateClockwise, 4}, {mirrorLeftRight, 2}, {flipTopBottom, 2}, {scrollUp, 16},
        {scrollDown, 16},     {scrollLeft, 16},     {scrollRight, 16}};
    const SpriteGrid start = distinctGrid();
    for (auto [transform, order] : orders) {
        SpriteGrid g = start;
        for (int i = 1; i <= order; ++i) {
            transform(g);
            // A permutation: the multiset of values is kept.
            auto sorted = g.cells;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(sorted, start.cells);
            if (i < order) {
                EXPECT_NE(g, start);
            }
        }
        EXPECT_EQ(g, start);
    }
}

TEST(Transformations, RotateMovesCornersClockwise) {
    SpriteGrid g = distinctGrid();
    rotateClockwise(g);
    auto at = [](int x, int y) { return y * 16 + x; };
    EXPECT_EQ(whereIs(g, at(0, 0)), std::make_pair(15, 0));
    EXPECT_EQ(whereIs(g, at(15, 0)), std::make_pair(15, 15));
    EXPECT_EQ(whereIs(g, at(15, 15)), std::make_pair(0, 15));
    EXPECT_EQ(whereIs(g, at(0, 15)), std::make_pair(0, 0));
    EXPECT_EQ(whereIs(g, at(3, 5)), std::make_pair(10, 3));
}

TEST(Transformations, MirrorThenFlipIsAHalfTurn) {
    SpriteGrid a = distinctGrid(), b = distinctGrid();
    mirrorLeftRight(a);
    flipTopBottom(a);
    rotateClockwise(b);
    rotateClockwise(b);
    EXPECT_EQ(a, b);
}

TEST(Transformations, ScrollsWrapTheLeavingEdge) {
    SpriteGrid g;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) g.cell(x, y) = x == 15 ? 0xE3 : 0;
    scrollRight(g);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(g.cell(x, y), x == 0 ? 0xE3 : 0);

    SpriteGrid d = distinctGrid();
    scrollUp(d);
    EXPECT_EQ(d.cell(4, 15), 4);       // the top row became the bottom row
    EXPECT_EQ(d.cell(4, 0), 16 + 4);
    scrollDown(d);
    scrollLeft(d);
    EXPECT_EQ(d.cell(15, 2), 2 * 16);  // the left column became the right column
}
