#pragma once
// The seven whole-sprite transformations of the working grid. Each is a permutation
// of the 256 cells: values move, never change. None touches the sheet or the history.

#include "model/sprite_sheet.h"

namespace model {

void rotateClockwise(SpriteGrid& grid);  // new cell(x, y) = old cell(y, 15 - x)
void mirrorLeftRight(SpriteGrid& grid);  // new cell(x, y) = old cell(15 - x, y)
void flipTopBottom(SpriteGrid& grid);    // new cell(x, y) = old cell(x, 15 - y)
void scrollUp(SpriteGrid& grid);         // new cell(x, y) = old cell(x, (y + 1) mod 16)
void scrollDown(SpriteGrid& grid);       // new cell(x, y) = old cell(x, (y + 15) mod 16)
void scrollLeft(SpriteGrid& grid);       // new cell(x, y) = old cell((x + 1) mod 16, y)
void scrollRight(SpriteGrid& grid);      // new cell(x, y) = old cell((x + 15) mod 16, y)

}  // namespace model
