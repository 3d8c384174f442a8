#include <gtest/gtest.h>

#include "model/transformations.h"

using namespace model;

namespace {
using Transform = void (*)(SpriteGrid&);

SpriteGrid distinctGrid() {
    SpriteGrid g;
    for (int i = 0; i < SPRITE_BYTES; ++i) g.cells[i] = i;
    return g;
}
}  // namespace

// Where the value at (fromX, fromY) lands, including the wrapping edges of the scrolls.
TEST(Transformations, CellsLandWhereExpected) {
    struct Case { Transform t; int fromX, fromY, toX, toY; };
    const Case cases[] = {
        {rotateClockwise, 3, 5, 10, 3},  {rotateClockwise, 0, 0, 15, 0},
        {rotateClockwise, 15, 0, 15, 15}, {rotateClockwise, 15, 15, 0, 15},
        {rotateClockwise, 0, 15, 0, 0},   {mirrorLeftRight, 3, 5, 12, 5},
        {flipTopBottom, 3, 5, 3, 10},     {scrollUp, 4, 0, 4, 15},
        {scrollUp, 4, 1, 4, 0},           {scrollDown, 4, 15, 4, 0},
        {scrollLeft, 0, 2, 15, 2},        {scrollRight, 15, 2, 0, 2},
        {scrollRight, 3, 2, 4, 2}};
    for (const Case& c : cases) {
        SpriteGrid g = distinctGrid();
        c.t(g);
        EXPECT_EQ(g.cell(c.toX, c.toY), c.fromY * 16 + c.fromX) << c.fromX << "," << c.fromY;
    }
}

