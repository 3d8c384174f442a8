#include "ui/view_support.h"

#include "model/sprite_depth.h"
#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "ui/window_main.h"

#include <QGuiApplication>

namespace ui {

toolkit::Canvas* viewCanvas(const WindowMain* window, Control id) { return window ? window->canvas(id) : nullptr; }

CellColours cellScreenColours(const palette::Palette& palette, bool showTransparent, int fourBitBank) {
    const bool fourBit = fourBitBank >= 0;
    CellColours colours{};
    for (int v = 0; v < 256; ++v) {
        const int entry = fourBit ? fourBitBank * model::BANK_SIZE + (v & 0x0F) : v;
        const palette::RgbColour rgb = palette.colour(entry);
        colours[static_cast<std::size_t>(v)] = toolkit::rgbColour(rgb.red, rgb.green, rgb.blue);
    }
    if (!showTransparent)
        colours[static_cast<std::size_t>(fourBit ? model::TRANSPARENT_VALUE_4BIT : model::TRANSPARENT_INDEX)] = VIEW_WHITE;
    return colours;
}

QRect drawSpriteBoxes(QImage& image, int x, int y, int box, std::span<const std::uint8_t, 256> pixels,
                      const CellColours& colours) {
    std::array<int, 256> boxColours{};
    for (std::size_t i = 0; i < boxColours.size(); ++i) boxColours[i] = colours[pixels[i]];
    return toolkit::fillBoxGrid(image, x, y, box, 16, boxColours);
}

QFont defaultViewFont() { return QGuiApplication::font(); }

}  // namespace ui
