#pragma once
// Small pieces the views share: where a view draws and the block of 16 x 16
// boxes that every sprite picture is made of.
#include "ui/control_ids.h"
#include "ui/views.h"

#include <QFont>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <span>

namespace toolkit {
class Canvas;
}

namespace ui {

inline constexpr int VIEW_WHITE = 0xFFFFFF;  // screen colours, 0x00BBGGRR
inline constexpr int VIEW_BLACK = 0x000000;
inline constexpr int VIEW_DARK_GREY = 0x282828;  // (40, 40, 40)

// The canvas of a control, nullptr without a window (or when the control is
// no canvas): every view then simply draws nothing.
toolkit::Canvas* viewCanvas(const WindowMain* window, Control id);

// Draws 16 x 16 boxes of side `box` at (x, y), box (column c, row r) in the
// colour of pixel value pixels[r * 16 + c]. Clipped to the image; returns the
// rectangle changed.
QRect drawSpriteBoxes(QImage& image, int x, int y, int box, std::span<const std::uint8_t, 256> pixels,
                      const CellColours& colours);

// The font of texts the views draw without a font of their own: the
// toolkit's default drawing font.
QFont defaultViewFont();

}  // namespace ui
