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
    if (box <= 0) return {};
    const QRect area = QRect(x, y, 16 * box, 16 * box).intersected(image.rect());
    if (area.isEmpty()) return {};
    std::array<QRgb, 256> rgb{};
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = toolkit::toQRgb(colours[pixels[i]]);
    // Row by row over the clipped area: each pixel takes the box it lies in.
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const std::size_t cellRow = static_cast<std::size_t>((j - y) / box) * 16;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(j));
        for (int i = area.left(); i <= area.right(); ++i) line[i] = rgb[cellRow + static_cast<std::size_t>((i - x) / box)];
    }
    return area;
}

QFont defaultViewFont() { return QGuiApplication::font(); }

}  // namespace ui
