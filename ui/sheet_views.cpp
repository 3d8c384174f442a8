// Views of several sprites at once: the "Preview" page's sheet (from memory or
// from a sprite file), the animation box and the "Import" page's grab preview.
#include "ui/views.h"

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "ui/view_support.h"
#include "ui/window_main.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace ui {
namespace {

constexpr int SHEET_AREA_WIDTH = 640, SHEET_AREA_HEIGHT = 512;
constexpr int SHEET_CELL = 32;     // each sprite's place on the sheet preview
constexpr int SHEET_BOX = 2;       // each pixel as a 2 x 2 box
constexpr int GRAB_BLOCK = 16;     // pixels of a block in the picture
constexpr int GRAB_CELL = 32;      // and on the grab canvas
constexpr int GRAB_MAX_ACROSS = 16, GRAB_MAX_DOWN = 4;
constexpr int GRAB_LINE_DOWN = 131;
constexpr int GRAB_BACKGROUND = toolkit::rgbColour(255, 170, 170);
// Corners further out than this only ever copy black; the bound keeps the
// block positions far from integer overflow.
constexpr int GRAB_CORNER_LIMIT = 1 << 20;

// Place (column, row) of the i-th sprite drawn. The row only advances when the
// column reaches W exactly, so W of 0 starts a second row at once and keeps
// everything on it, and a negative W never wraps.
void sheetPlace(std::int64_t i, int width, std::int64_t& column, std::int64_t& row) {
    if (width > 0) {
        column = i % width;
        row = i / width;
    } else {
        column = i;
        row = width == 0 ? 1 : 0;
    }
}

}  // namespace

void Views::drawSheetPreview(std::span<const std::uint8_t> sprites, const CellColours& colours,
                             const SheetLayout& layout) {
    toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetSheetCanvas);
    if (!canvas) return;
    QImage& image = canvas->image();
    QRect changed = toolkit::fillBox(image, 0, 0, SHEET_AREA_WIDTH, SHEET_AREA_HEIGHT, VIEW_DARK_GREY);
    // Sprites that lie outside the block are not drawn but keep their place, so
    // typed values outside the spin boxes' ranges never read past the block.
    const std::int64_t available = static_cast<std::int64_t>(sprites.size()) / model::SPRITE_BYTES;
    const std::int64_t first = std::max<std::int64_t>(layout.offset, 0);
    const std::int64_t end = std::min<std::int64_t>(static_cast<std::int64_t>(layout.offset) + layout.count, available);
    const QFont font = defaultViewFont();
    for (std::int64_t s = first; s < end; ++s) {
        std::int64_t column = 0, row = 0;
        sheetPlace(s - layout.offset, layout.width, column, row);
        if (column * SHEET_CELL >= SHEET_AREA_WIDTH || row * SHEET_CELL >= SHEET_AREA_HEIGHT) continue;
        const int x = static_cast<int>(column) * SHEET_CELL, y = static_cast<int>(row) * SHEET_CELL;
        const std::span<const std::uint8_t, 256> pixels(sprites.data() + s * model::SPRITE_BYTES, model::SPRITE_BYTES);
        changed |= drawSpriteBoxes(image, x, y, SHEET_BOX, pixels, colours);
        // Exclusive-or with white: the digits invert whatever lies under them.
        if (layout.showValues) changed |= toolkit::xorText(image, x, y, QString::number(s), VIEW_WHITE, font);
    }
    canvas->markDirty(changed);
}

void Views::showAnimationFrame(int frame, int lastSprite) {
    if (!window) return;
    // Only sprite numbers have pictures; any other frame shows none.
    const bool hasPicture = frame >= 1 && frame <= lastSprite && frame < SPRITE_IMAGE_COUNT;
    const QImage none;
    window->setImage(Control::GadgetAnimationImage, hasPicture ? spriteImage(frame) : none);
}

void Views::drawGrabPreview(int gx, int gy, int across, int down) {
    // Only as many blocks as the grab canvas has room for.
    across = std::clamp(across, 0, GRAB_MAX_ACROSS);
    down = std::clamp(down, 0, GRAB_MAX_DOWN);
    gx = std::clamp(gx, -GRAB_CORNER_LIMIT, GRAB_CORNER_LIMIT);
    gy = std::clamp(gy, -GRAB_CORNER_LIMIT, GRAB_CORNER_LIMIT);
    toolkit::Canvas* grab = viewCanvas(window, Control::GadgetGrabCanvas);
    const toolkit::Canvas* picture = viewCanvas(window, Control::GadgetImportCanvas);
    if (grab && picture) {
        QImage& image = grab->image();
        QRect changed;
        // Blocks of an earlier, larger selection would stay behind otherwise;
        // a moved corner of the same size just draws over them.
        if (across != grabAcross || down != grabDown) {
            changed |= toolkit::fillBox(image, 0, 0, GRAB_AREA_WIDTH, GRAB_AREA_HEIGHT, GRAB_BACKGROUND);
        }
        for (int i = 0; i < down; ++i) {
            for (int j = 0; j < across; ++j) {
                const QImage block = toolkit::copyArea(picture->image(), gx + GRAB_BLOCK * j, gy + GRAB_BLOCK * i,
                                                       GRAB_BLOCK, GRAB_BLOCK);
                changed |= toolkit::drawImageScaled(image, block, GRAB_CELL * j, GRAB_CELL * i, GRAB_CELL, GRAB_CELL);
            }
        }
        for (int a = 0; a < GRAB_MAX_DOWN; ++a) {
            for (int b = 0; b <= GRAB_MAX_ACROSS; ++b) {
                changed |= toolkit::line(image, GRAB_CELL * b, GRAB_CELL * a, GRAB_AREA_WIDTH, 1, VIEW_BLACK);
                changed |= toolkit::line(image, GRAB_CELL * b, GRAB_CELL * a, 1, GRAB_LINE_DOWN, VIEW_BLACK);
            }
        }
        grab->markDirty(changed);
    }
    grabAcross = across;
    grabDown = down;
}

}  // namespace ui
