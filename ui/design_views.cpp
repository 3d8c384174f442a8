// The "Design" page's views: the editor grid, the 4x and 1:1 previews with the
// sprite's animation image, the colour slots and swatches, the colour count, the
// palette chart and the palette pictures.
#include "ui/views.h"

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "ui/view_support.h"
#include "ui/window_main.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ui {
namespace {

constexpr int SPRITE_SIDE = model::SPRITE_SIDE;
constexpr int PREVIEW_BOX = 4;  // 4x preview: 16 cells of 4 x 4 pixels
constexpr int ACTUAL_SIZE = 16;
constexpr int SLOT_SIDE = 40;
constexpr int SLOT_COUNT = 16;
constexpr int SWATCH_SIDE = 40;
constexpr int CHART_WIDTH = 550, CHART_HEIGHT = 388;
constexpr int CHART_CELL_WIDTH = 32, CHART_CELL_HEIGHT = 24;
constexpr int CHART_ROWS = 16, CHART_COLUMNS = 17;
constexpr int PICTURE_FILL_WIDTH = 645, PICTURE_FILL_HEIGHT = 485;
constexpr int PICTURE_MARGIN = 2;
// The clears of a sheet reset cover more than any of the small canvases.
constexpr int CLEAR_WIDTH = 640, CLEAR_HEIGHT = 440;
constexpr int CLEAR_SHEET_HEIGHT = 512;
constexpr int TRANSPARENT_MARK_COLOUR = toolkit::rgbColour(255, 0, 255);

// The grid's cells as sprite bytes (row by row), as every sprite picture reads them.
std::array<std::uint8_t, 256> gridBytes(const model::SpriteGrid& grid) {
    std::array<std::uint8_t, 256> bytes{};
    grid.writeTo(std::span<std::uint8_t, 256>(bytes));
    return bytes;
}

// The one-pixel black lattice at every multiple of zoom, 17 lines each way.
QRect drawLattice(QImage& image, int zoom) {
    QRect changed;
    const int span = (SPRITE_SIDE + 1) * zoom;
    for (int k = 0; k <= SPRITE_SIDE; ++k) {
        changed |= toolkit::fillBox(image, 0, k * zoom, span, 1, VIEW_BLACK);
        changed |= toolkit::fillBox(image, k * zoom, 0, 1, span, VIEW_BLACK);
    }
    return changed;
}

}  // namespace

// A spriteImages entry ready to draw on: 64 x 64 and 32-bit; a missing one is made white.
QImage& Views::spriteImage(int number) {
    QImage& image = spriteImages[static_cast<std::size_t>(number)];
    const QSize side(SPRITE_IMAGE_SIDE, SPRITE_IMAGE_SIDE);
    if (image.isNull() || image.size() != side) {
        image = QImage(side, QImage::Format_RGB32);
        image.fill(Qt::white);
    } else if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    return image;
}

QString Views::colourIndexText(int index, int transparentIndex) {
    return index == transparentIndex ? QStringLiteral("T%1").arg(index) : QString::number(index);
}

// Swatch box and index text of one mouse colour; returns its screen colour.
int Views::showColour(const palette::Palette& palette, int index, int transparentIndex, Control swatch,
                      Control indexLabel) {
    const palette::RgbColour rgb = palette.colour(index);
    const int colour = toolkit::rgbColour(rgb.red, rgb.green, rgb.blue);
    if (toolkit::Canvas* canvas = viewCanvas(window, swatch)) canvas->fillBox(0, 0, SWATCH_SIDE, SWATCH_SIDE, colour);
    if (window) window->setControlText(indexLabel, colourIndexText(index, transparentIndex));
    return colour;
}

void Views::drawEditorGrid(const SpriteScene& scene) {
    if (toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetEditorCanvas)) {
        QImage& image = canvas->image();
        const int zoom = std::max(1, scene.zoom);
        QRect changed;
        // Each cell's box is one pixel larger than the cell so the lattice below
        // always lands on a coloured pixel, whatever the canvas held before.
        for (int y = 0; y < SPRITE_SIDE; ++y) {
            for (int x = 0; x < SPRITE_SIDE; ++x) {
                const int v = scene.grid.cell(x, y) & 0xFF;
                changed |= toolkit::fillBox(image, x * zoom, y * zoom, zoom + 1, zoom + 1,
                                            scene.colours[static_cast<std::size_t>(v)]);
            }
        }
        changed |= drawLattice(image, zoom);
        canvas->markDirty(changed);
    }
    drawSpritePreview(scene);
    if (window) window->setControlText(Control::GadgetSpriteNumber, QString::number(scene.currentSprite - 1));
}

void Views::drawEditorCell(int zoom, int column, int row, int colour) {
    toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetEditorCanvas);
    if (!canvas) return;
    canvas->fillBox(column * zoom, row * zoom, zoom, zoom, colour);
    canvas->outlineBox(column * zoom, row * zoom, zoom + 1, zoom + 1, VIEW_BLACK);
}

void Views::drawSpritePreview(const SpriteScene& scene) {
    const auto bytes = gridBytes(scene.grid);
    const std::span<const std::uint8_t, 256> pixels(bytes);

    if (toolkit::Canvas* preview = viewCanvas(window, Control::GadgetPreviewCanvas)) {
        preview->markDirty(drawSpriteBoxes(preview->image(), 0, 0, PREVIEW_BOX, pixels, scene.colours));
    }

    // The sprite's own picture, the animation's frame; a sprite number without
    // an image slot still gets its 1:1 picture from a scratch image.
    const int number = scene.currentSprite;
    QImage scratch;
    QImage* picture = &scratch;
    if (number >= 0 && number < SPRITE_IMAGE_COUNT) {
        picture = &spriteImage(number);
    } else {
        scratch = QImage(SPRITE_IMAGE_SIDE, SPRITE_IMAGE_SIDE, QImage::Format_RGB32);
    }
    drawSpriteBoxes(*picture, 0, 0, PREVIEW_BOX, pixels, scene.colours);

    if (toolkit::Canvas* actual = viewCanvas(window, Control::GadgetActualSizeCanvas)) {
        actual->drawImageScaled(*picture, 0, 0, ACTUAL_SIZE, ACTUAL_SIZE);
    }
}

void Views::drawSpritePicture(int number, std::span<const std::uint8_t, 256> pixels, const CellColours& colours) {
    if (number < 0 || number >= SPRITE_IMAGE_COUNT) return;
    drawSpriteBoxes(spriteImage(number), 0, 0, PREVIEW_BOX, pixels, colours);
}

void Views::drawColourSlots(const palette::ColourSlots& colourSlots, int selectedSlot) {
    toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetSlotCanvas);
    if (!canvas) return;
    QImage& image = canvas->image();
    QRect changed;
    const int slotCount = std::min<int>(SLOT_COUNT, static_cast<int>(colourSlots.size()));
    for (int slot = 0; slot < slotCount; ++slot) {
        const palette::PaletteEntry& entry = colourSlots[static_cast<std::size_t>(slot)];
        const int x = (slot % 2) * SLOT_SIDE, y = (slot / 2) * SLOT_SIDE;
        changed |=
            toolkit::fillBox(image, x, y, SLOT_SIDE, SLOT_SIDE, toolkit::rgbColour(entry.red, entry.green, entry.blue));
        if (slot == selectedSlot) changed |= toolkit::outlineBox(image, x, y, SLOT_SIDE, SLOT_SIDE, VIEW_WHITE);
    }
    canvas->markDirty(changed);
}

namespace {

QString rgbText(int colour) {
    return QStringLiteral("RGB:%1,%2,%3")
        .arg(toolkit::redOf(colour))
        .arg(toolkit::greenOf(colour))
        .arg(toolkit::blueOf(colour));
}

}  // namespace

int Views::showLeftColour(const palette::Palette& palette, int index, int transparentIndex) {
    const int colour =
        showColour(palette, index, transparentIndex, Control::GadgetLeftColourSwatch, Control::GadgetLeftColourIndex);
    if (window) window->setControlText(Control::GadgetRgbLabel, rgbText(colour));
    return colour;
}

int Views::showRightColour(const palette::Palette& palette, int index, int transparentIndex) {
    return showColour(palette, index, transparentIndex, Control::GadgetRightColourSwatch, Control::GadgetRightColourIndex);
}

void Views::showLeftSlotColour(const palette::PaletteEntry& slot, int transparentIndex) {
    const int colour = toolkit::rgbColour(slot.red, slot.green, slot.blue);
    if (toolkit::Canvas* swatch = viewCanvas(window, Control::GadgetLeftColourSwatch)) {
        swatch->fillBox(0, 0, SWATCH_SIDE, SWATCH_SIDE, colour);
    }
    if (!window) return;
    window->setControlText(Control::GadgetRgbLabel, rgbText(colour));
    window->setControlText(Control::GadgetLeftColourIndex, colourIndexText(slot.paletteIndex, transparentIndex));
}

void Views::showColourCount(int count) {
    if (window) window->setControlText(Control::GadgetColourCount, QStringLiteral("Colours :%1").arg(count));
}

void Views::drawPaletteChart(const palette::Palette& palette) {
    toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetPaletteCanvas);
    if (!canvas) return;
    QImage& image = canvas->image();
    // The cells cover everything left of x 544, so only the strip right of them
    // needs its black background.
    constexpr int cellsWidth = CHART_COLUMNS * CHART_CELL_WIDTH;
    QRect changed = toolkit::fillBox(image, cellsWidth, 0, CHART_WIDTH - cellsWidth, CHART_HEIGHT, VIEW_BLACK);
    const QFont font = defaultViewFont();
    int entry = 0;
    for (int r = 0; r < CHART_ROWS; ++r) {
        for (int c = 0; c < CHART_COLUMNS; ++c, ++entry) {
            const int x = c * CHART_CELL_WIDTH, y = r * CHART_CELL_HEIGHT;
            const palette::RgbColour rgb = palette.colour(entry);
            const int colour = toolkit::rgbColour(rgb.red, rgb.green, rgb.blue);
            // Each box is twice the cell's height, its lower half covered by the
            // next row; only the last row's shows, so the others stop at the cell.
            const int height = r == CHART_ROWS - 1 ? 2 * CHART_CELL_HEIGHT : CHART_CELL_HEIGHT;
            changed |= toolkit::fillBox(image, x, y, CHART_CELL_WIDTH, height, colour);
            if (colour == TRANSPARENT_MARK_COLOUR) {
                toolkit::outlineBox(image, x + 1, y + 1, CHART_CELL_WIDTH, CHART_CELL_HEIGHT, VIEW_BLACK);
                toolkit::drawText(image, x + 12, y + 6, QStringLiteral(" T"), VIEW_WHITE, colour, font);
            }
            // The black lines 32 pixels right and 32 down, as one-pixel boxes.
            toolkit::fillBox(image, x, y, CHART_CELL_WIDTH, 1, VIEW_BLACK);
            toolkit::fillBox(image, x, y, 1, CHART_CELL_WIDTH, VIEW_BLACK);
        }
        // Rows step 16 entries past the row's end, and wrap back to 32 near the top.
        entry = entry >= 224 ? 32 : entry + 16;
    }
    canvas->markDirty(changed);
}

void Views::showPalettePicture(int index) {
    if (index < 0 || index >= PALETTE_PICTURE_SLOTS) return;
    QImage& picture = palettePictures[static_cast<std::size_t>(index)];
    if (picture.isNull() && loadPalettePicture) picture = loadPalettePicture(index);
    toolkit::Canvas* canvas = viewCanvas(window, Control::GadgetPaletteCanvas);
    if (picture.isNull() || !canvas) return;
    canvas->fillBox(0, 0, PICTURE_FILL_WIDTH, PICTURE_FILL_HEIGHT, VIEW_BLACK);
    // Nearest-neighbour keeps every swatch one flat colour, which picking by
    // exact colour needs; the picture keeps its new size.
    if (picture.width() != CHART_WIDTH || picture.height() != CHART_HEIGHT) {
        picture = toolkit::resizeNearest(picture, CHART_WIDTH, CHART_HEIGHT);
    }
    canvas->drawImageScaled(picture, PICTURE_MARGIN, PICTURE_MARGIN, CHART_WIDTH, CHART_HEIGHT);
}

void Views::clearDesignViews(int zoom) {
    if (toolkit::Canvas* editor = viewCanvas(window, Control::GadgetEditorCanvas)) {
        QImage& image = editor->image();
        QRect changed = toolkit::fillBox(image, 0, 0, SPRITE_SIDE * zoom, SPRITE_SIDE * zoom, VIEW_WHITE);
        changed |= drawLattice(image, std::max(1, zoom));
        editor->markDirty(changed);
    }
    if (toolkit::Canvas* slotCanvas = viewCanvas(window, Control::GadgetSlotCanvas)) {
        slotCanvas->fillBox(0, 0, 2 * SLOT_SIDE, 8 * SLOT_SIDE, VIEW_BLACK);
    }
    if (toolkit::Canvas* preview = viewCanvas(window, Control::GadgetPreviewCanvas)) {
        preview->fillBox(0, 0, CLEAR_WIDTH, CLEAR_HEIGHT, VIEW_WHITE);
    }
    if (toolkit::Canvas* actual = viewCanvas(window, Control::GadgetActualSizeCanvas)) {
        actual->fillBox(0, 0, CLEAR_WIDTH, CLEAR_HEIGHT, VIEW_DARK_GREY);
    }
    // A sheet preview that is not built yet is cleared when it is built.
    if (window && window->controlBuilt(Control::GadgetSheetCanvas)) clearSheetPreview();
    // Made white again on first use (spriteImage), so a reset costs no memory for
    // sprites never drawn.
    for (int number = 0; number < SPRITE_IMAGE_COUNT; ++number) spriteImages[static_cast<std::size_t>(number)] = QImage();
}

void Views::clearSheetPreview() {
    // The sheet preview starts dark grey, until its first drawing.
    if (toolkit::Canvas* sheet = viewCanvas(window, Control::GadgetSheetCanvas)) {
        sheet->fillBox(0, 0, CLEAR_WIDTH, CLEAR_SHEET_HEIGHT, VIEW_DARK_GREY);
    }
}

}  // namespace ui
