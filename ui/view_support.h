#pragma once
// Small pieces the views share: where a view draws, the colour a pixel value is
// drawn in, and the block of 16 x 16 boxes that every sprite picture is made of.
#include "ui/control_ids.h"

#include <QFont>
#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>
#include <span>

namespace toolkit {
class Canvas;
}
namespace app {
struct Program;
}  // namespace app

namespace ui {

inline constexpr int VIEW_WHITE = 0xFFFFFF;  // screen colours, 0x00BBGGRR
inline constexpr int VIEW_BLACK = 0x000000;
inline constexpr int VIEW_DARK_GREY = 0x282828;  // (40, 40, 40)

// The canvas of a control, nullptr when the program has no window (or the
// control is no canvas): every view then simply draws nothing.
toolkit::Canvas* viewCanvas(const app::Program& program, Control id);

// Screen colour (0x00BBGGRR) that pixel value `value` is drawn in: its palette
// colour, or white for TRANSPARENT_INDEX while transparent pixels are hidden.
int cellScreenColour(const app::Program& program, int value);

// The same for all 256 values at once, for views that draw many cells.
using CellColours = std::array<int, 256>;
CellColours cellScreenColours(const app::Program& program);

// Draws 16 x 16 boxes of side `box` at (x, y), box (column c, row r) in the
// colour of pixel value pixels[r * 16 + c]; values are taken modulo 256.
// Clipped to the image; returns the rectangle changed.
QRect drawSpriteBoxes(QImage& image, int x, int y, int box, std::span<const std::uint8_t, 256> pixels,
                      const CellColours& colours);

// The font of texts the views draw without a font of their own: the
// toolkit's default drawing font.
QFont defaultViewFont();

}  // namespace ui
