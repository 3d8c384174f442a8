#include "app/redraw.h"

#include "palette/bank_fit.h"

#include "app/program.h"
#include "app/window_text.h"
#include "io/sprite_file.h"
#include "toolkit/paths.h"
#include "palette/bank_fit.h"
#include "toolkit/text_number.h"
#include "ui/views.h"
#include "ui/window_main.h"

#include <algorithm>
#include <span>
#include <vector>

namespace app {

namespace {

ui::SpriteScene scene(const Program& p) {
    return ui::SpriteScene{p.model.grid, p.model.currentSprite, shownColours(p), p.state.zoom};
}

ui::SheetLayout sheetLayout(const Program& p) {
    ui::SheetLayout layout;
    if (!p.window) return layout;
    layout.width = numberIn(p, ui::Control::GadgetSheetWidth);
    layout.count = numberIn(p, ui::Control::GadgetSheetCount);
    layout.offset = numberIn(p, ui::Control::GadgetSheetOffset);
    layout.showValues = p.window->controlState(ui::Control::GadgetShowValues) != 0;
    return layout;
}

}  // namespace

ui::CellColours shownColours(const Program& p) {
    return ui::cellScreenColours(p.palette, p.state.showTransparent != 0, p.model.fourBit() ? p.model.bank : -1);
}

void drawEditorGrid(Program& p) { p.views.drawEditorGrid(scene(p)); }

void drawEditorCell(Program& p, int column, int row, int colour) {
    p.views.drawEditorCell(p.state.zoom, column, row, colour);
}

void drawSpritePreview(Program& p) { p.views.drawSpritePreview(scene(p)); }

void drawColourSlots(Program& p) { p.views.drawColourSlots(p.colourSlots, p.state.selectedSlot); }

namespace {
// The entry transparent pixels show: 0xE3, or the bank's entry of value 3.
int transparentIndex(const Program& p) { return p.model.paletteIndexOf(p.model.transparentValue()); }
}  // namespace

void showLeftColour(Program& p, int index) {
    p.state.leftColourRgb = p.views.showLeftColour(p.palette, index, transparentIndex(p));
}

void showRightColour(Program& p, int index) {
    p.state.rightColourRgb = p.views.showRightColour(p.palette, index, transparentIndex(p));
    p.state.rightColour = index;
}

void countColours(Program& p) {
    // The sheet is counted, not the grid: edits count once they are stored.
    p.colourUse = palette::countSheetColours(p.model);
    p.views.showColourCount(p.colourUse.count);
}

void drawPaletteChart(Program& p) {
    p.views.drawPaletteChart(p.palette);
    p.state.paletteChartShown = true;
}

void showPalettePicture(Program& p) {
    p.views.showPalettePicture(p.state.palettePictureIndex);
    p.state.paletteChartShown = false;
}

void clearDesignViews(Program& p) {
    p.views.clearDesignViews(p.state.zoom);
    drawPaletteChart(p);
    drawEditorGrid(p);
}

void drawSheetPreview(Program& p) {
    model::SpriteModel& model = p.model;
    const bool gridHoldsASprite = model.currentSprite >= 1 && model.currentSprite <= model.maxSprites();
    if (gridHoldsASprite) model.storeGrid();
    p.views.drawSheetPreview(std::span<const std::uint8_t>(model.sheet.bytes), shownColours(p), sheetLayout(p));
    if (gridHoldsASprite) model.loadGrid();
    p.state.previewedFile.clear();
}

void drawSpritePictures(Program& p) {
    const model::SpriteModel& model = p.model;
    const ui::CellColours colours = shownColours(p);
    const int last = std::min(model.spriteCount, model.maxSprites());
    for (int number = 1; number <= last; ++number)
        if (number != model.currentSprite) p.views.drawSpritePicture(number, model.sheet.sprite(number), colours);
}

void drawFilePreview(Program& p, const QString& path) {
    // The file is read in the mode in use: packed 128-byte sprites on a 4-bit sheet.
    std::vector<std::uint8_t> sprites(model::SHEET_BYTES, 0);
    const std::size_t wanted = p.model.fourBit() ? model::SHEET_SPRITE_BYTES : sprites.size();
    if (const auto bytes = io::readFileStart(toolkit::toPath(path), wanted)) {
        if (p.model.fourBit()) {
            std::vector<std::uint8_t> packed(model::SHEET_SPRITE_BYTES, 0);
            std::copy(bytes->begin(), bytes->end(), packed.begin());
            model::unpackFourBitSprites(packed, sprites);
        } else {
            std::copy(bytes->begin(), bytes->end(), sprites.begin());
        }
    }
    p.views.drawSheetPreview(std::span<const std::uint8_t>(sprites), shownColours(p), sheetLayout(p));
    p.state.previewedFile = path;
}

void showAnimationFrame(Program& p) { p.views.showAnimationFrame(p.state.animationFrame, p.model.maxSprites()); }

void drawGrabPreview(Program& p, int gx, int gy, int across, int down) { p.views.drawGrabPreview(gx, gy, across, down); }

void drawGrabPreview(Program& p) {
    drawGrabPreview(p, numberIn(p, ui::Control::GadgetGrabX), numberIn(p, ui::Control::GadgetGrabY),
                    numberIn(p, ui::Control::GadgetGrabWidth), numberIn(p, ui::Control::GadgetGrabHeight));
}

}  // namespace app
