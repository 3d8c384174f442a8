// The mouse tools of the "Design" and "Import" canvases.
//
// Colours on the palette canvas are chosen by the pixels on screen: a clicked
// pixel is read from the canvas image and turned back into the lowest palette
// index with exactly that colour, so a palette picture works as long as its
// swatches are palette colours. On the grid the cells' own indices count: the
// dropper picks the clicked cell's index and the fill writes only its region, so
// two entries sharing a colour (a colour with and without priority) stay apart.
#include "app/mouse_tools.h"

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "app/four_bit.h"
#include "app/program.h"
#include "toolkit/text_number.h"
#include "palette/palette.h"
#include "ui/control_ids.h"
#include "app/redraw.h"
#include "app/window_text.h"
#include "ui/views.h"
#include "ui/window_main.h"

#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace app {

namespace {

using ui::Control;
using Type = toolkit::CanvasEvent::Type;

constexpr int GRID_LAST = 15;          // last column and row of the sprite grid
constexpr int PREVIEW_SCALE = 4;       // pixels per cell on the 4x preview
constexpr int PALETTE_HALF_W = 20;     // the palette canvas is read in 20 x 14 half-cells
constexpr int PALETTE_HALF_H = 14;
constexpr int PALETTE_HALF_LAST = 31;  // half-cells 0..31 each way
constexpr int PALETTE_READ_INSET = 2;  // the pixel read sits 2 pixels into the half-cell
constexpr int SLOT_HALF = 20;          // slot canvas half-cells; a slot is two of them each way
constexpr int SLOT_COUNT = 16;
constexpr int SWATCH_SIDE = 40;
constexpr int TRANSPARENT = model::TRANSPARENT_INDEX;

// Lowest palette index showing the screen colour, if any.
std::optional<int> indexOfColour(const Program& program, int colour) {
    if (colour < 0) return std::nullopt;  // outside the surface
    return palette::findPaletteIndex(program.palette, toolkit::redOf(colour), toolkit::greenOf(colour), toolkit::blueOf(colour));
}

// The fill on the grid: the four-connected cells showing the start cell's colour
// (as the 4x preview shows them, so cells of two values with one colour are one
// region) take value; every other cell keeps its own, even where it shows a colour
// of the region.
void fillGridRegion(Program& program, int startColumn, int startRow, int value) {
    model::SpriteGrid& grid = program.model.grid;
    const ui::CellColours shown = shownColours(program);
    const auto colourAt = [&](int x, int y) { return shown[static_cast<std::size_t>(grid.cell(x, y) & 0xFF)]; };
    const int regionColour = colourAt(startColumn, startRow);
    std::array<bool, 256> inRegion{};
    std::vector<std::pair<int, int>> pending{{startColumn, startRow}};
    inRegion[static_cast<std::size_t>(startRow * 16 + startColumn)] = true;
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        for (const auto& [nx, ny] : {std::pair(x - 1, y), std::pair(x + 1, y), std::pair(x, y - 1), std::pair(x, y + 1)}) {
            if (nx < 0 || ny < 0 || nx > GRID_LAST || ny > GRID_LAST) continue;
            const auto at = static_cast<std::size_t>(ny * 16 + nx);
            if (inRegion[at] || colourAt(nx, ny) != regionColour) continue;
            inRegion[at] = true;
            pending.emplace_back(nx, ny);
        }
    }
    for (int y = 0; y <= GRID_LAST; ++y)
        for (int x = 0; x <= GRID_LAST; ++x)
            if (inRegion[static_cast<std::size_t>(y * 16 + x)]) grid.cell(x, y) = value;
}

void releaseDropper(Program& program) {
    program.window->setControlState(Control::GadgetDropper, 0);
}

void setReady(Program& program) {
    program.window->setStatus(QStringLiteral("Ready"), 0);
}

bool isButtonUp(Type type) {
    return type == Type::LeftUp || type == Type::RightUp;
}

// ---- Editor canvas

// A grid cell from a pointer position. Positions past the last cell (the border
// line at x = 320, or a captured drag further right or down) land on column or
// row 15; positions left of or above the canvas are outside.
struct Cell {
    int column = 0;
    int row = 0;
    bool inside = false;
};

Cell cellAt(int x, int y, int zoom) {
    Cell cell;
    if (x < 0 || y < 0 || zoom <= 0) return cell;
    cell.column = std::min(x / zoom, GRID_LAST);
    cell.row = std::min(y / zoom, GRID_LAST);
    cell.inside = true;
    return cell;
}

// Index of the colour shown inside a cell, read one pixel in from its corner
// (past the lattice line); 0 when no palette entry has that colour. The cursor
// text shows it; on a 4-bit sheet it is the entry the cell's value shows.
int shownIndex(Program& program, const Cell& cell) {
    if (program.model.fourBit()) return program.model.paletteIndexOf(program.model.grid.cell(cell.column, cell.row));
    const int zoom = program.state.zoom;
    const toolkit::Canvas* editor = program.window->canvas(Control::GadgetEditorCanvas);
    const int colour = editor->readPixel(cell.column * zoom + 1, cell.row * zoom + 1);
    return indexOfColour(program, colour).value_or(0);
}

// The palette index the cell itself holds (through the bank on a 4-bit sheet), which
// the dropper picks.
int cellIndex(const Program& program, const Cell& cell) {
    return program.model.paletteIndexOf(program.model.grid.cell(cell.column, cell.row));
}

void writeCursorText(Program& program, const Cell& cell) {
    const int index = shownIndex(program, cell);
    program.window->setControlText(Control::GadgetCursorInfo,
                                   QStringLiteral("X:%1:Y%2:%3").arg(cell.column).arg(cell.row).arg(index));
}

// One painted cell: its box and outline on the grid and the cell itself (the value
// the palette index is on a 4-bit sheet); the caller redraws the small previews.
void paintCell(Program& program, const Cell& cell, int index, int colour) {
    drawEditorCell(program, cell.column, cell.row, colour);
    program.model.grid.cell(cell.column, cell.row) = program.model.valueOfPaletteIndex(index);
}

void leftTools(Program& program, const Cell& cell) {
    ui::WindowMain& window = *program.window;
    const bool fill = window.controlState(Control::GadgetFill) != 0;
    const bool dropper = window.controlState(Control::GadgetDropper) != 0;
    if (dropper) {
        const int index = cellIndex(program, cell);
        releaseDropper(program);
        setReady(program);
        showLeftColour(program, index);
        program.state.leftColour = index;
    } else if (fill) {
        // The 4x preview, where each cell is one 4 x 4 block, shows the fill as it
        // always has; the cells change on the grid alone.
        fillGridRegion(program, cell.column, cell.row, program.model.valueOfPaletteIndex(program.state.leftColour));
        toolkit::Canvas* preview = window.canvas(Control::GadgetPreviewCanvas);
        preview->floodFill4(cell.column * PREVIEW_SCALE, cell.row * PREVIEW_SCALE, program.state.leftColourRgb);
        setReady(program);
        // The fill's release pushes the undo snapshot, so the history needs nothing here.
        drawEditorGrid(program);
        drawSheetPreview(program);
    } else {
        paintCell(program, cell, program.state.leftColour, program.state.leftColourRgb);
        drawSpritePreview(program);
    }
    countColours(program);
}

void rightTools(Program& program, const Cell& cell) {
    const bool dropper = program.window->controlState(Control::GadgetDropper) != 0;
    if (dropper) {
        const int index = cellIndex(program, cell);
        releaseDropper(program);
        setReady(program);
        showRightColour(program, index);
    } else {
        paintCell(program, cell, program.state.rightColour, program.state.rightColourRgb);
        releaseDropper(program);
        countColours(program);
        drawSpritePreview(program);
    }
}

// ---- Palette canvas

struct HalfCell {
    int hx = -1;
    int hy = -1;
    bool inRange() const { return hx >= 0 && hx <= PALETTE_HALF_LAST && hy >= 0 && hy <= PALETTE_HALF_LAST; }
};

HalfCell paletteHalfCell(int x, int y) {
    // Positions left of or above the canvas stay outside instead of truncating to 0.
    HalfCell half;
    if (x >= 0) half.hx = x / PALETTE_HALF_W;
    if (y >= 0) half.hy = y / PALETTE_HALF_H;
    return half;
}

// Colour of the pixel a half-cell is read at.
int halfCellColour(const Program& program, const HalfCell& half) {
    const toolkit::Canvas* canvas = program.window->canvas(Control::GadgetPaletteCanvas);
    return canvas->readPixel(half.hx * PALETTE_HALF_W + PALETTE_READ_INSET,
                             half.hy * PALETTE_HALF_H + PALETTE_READ_INSET);
}

// The palette index a click on a half-cell chooses: the entry of the colour under
// the pointer when there is one (it also ends a pick), otherwise the index of the
// 40 x 28 cell the chart's grid would give.
int chosenIndex(Program& program, const HalfCell& half) {
    int index = half.hx / 2 + (half.hy / 2) * 16;
    if (const auto found = indexOfColour(program, halfCellColour(program, half))) {
        index = *found;
        releaseDropper(program);
        setReady(program);
    }
    return index;
}

void assignSlot(Program& program, const HalfCell& half) {
    const int colour = halfCellColour(program, half);
    const auto found = indexOfColour(program, colour);
    const int selected = program.state.selectedSlot;
    if (found && selected >= 0 && static_cast<std::size_t>(selected) < program.colourSlots.size()) {
        const palette::PaletteEntry& entry = program.palette[static_cast<std::size_t>(*found)];
        palette::PaletteEntry& slot = program.colourSlots[static_cast<std::size_t>(selected)];
        slot.paletteIndex = *found;
        slot.slot = selected;
        slot.red = toolkit::redOf(colour);
        slot.green = toolkit::greenOf(colour);
        slot.blue = toolkit::blueOf(colour);
        slot.nextColourByte = entry.nextColourByte;
        slot.nextBlueBit = entry.nextBlueBit;
        setReady(program);
    }
    showLeftColour(program, program.state.leftColour);
    drawColourSlots(program);
}

}  // namespace

void editorCanvasEvent(Program& program, const toolkit::CanvasEvent& event) {
    const Cell cell = cellAt(event.x, event.y, program.state.zoom);
    if (cell.inside) writeCursorText(program, cell);

    // A press and every move while the button is held paint.
    if (event.left && cell.inside) leftTools(program, cell);

    const bool rightPaints = event.type == Type::RightDown || (event.type == Type::Move && event.right);
    if (rightPaints && cell.inside) rightTools(program, cell);

    // Every release ends a stroke, whatever the tool and wherever the pointer
    // is now (a drag may end outside the canvas), changed or not.
    if (isButtonUp(event.type)) program.model.pushUndoSnapshot();
}

void paletteCanvasEvent(Program& program, const toolkit::CanvasEvent& event) {
    const HalfCell half = paletteHalfCell(event.x, event.y);
    if (!half.inRange()) return;

    if (event.type == Type::LeftDown || event.left) {
        if (const auto index = paintableIndex(program, chosenIndex(program, half))) {
            showLeftColour(program, *index);
            program.state.leftColour = *index;
        }
    }
    if (event.type == Type::RightDown || event.right) {
        if (const auto index = paintableIndex(program, chosenIndex(program, half))) showRightColour(program, *index);
    }
    if (event.type == Type::LeftDoubleClick || event.middle) {
        assignSlot(program, half);
    }
}

void slotCanvasEvent(Program& program, const toolkit::CanvasEvent& event) {
    if (event.type != Type::LeftDown || event.x < 0 || event.y < 0) return;
    const int column = (event.x / SLOT_HALF) / 2;
    const int row = (event.y / SLOT_HALF) / 2;
    if (column > 1) return;
    const int slotNumber = row * 2 + column;
    if (slotNumber >= SLOT_COUNT || static_cast<std::size_t>(slotNumber) >= program.colourSlots.size()) return;

    const palette::PaletteEntry& slot = program.colourSlots[static_cast<std::size_t>(slotNumber)];
    program.state.selectedSlot = slotNumber;
    releaseDropper(program);
    // A slot outside a 4-bit sheet's bank is selected for a new colour but paints nothing.
    const auto paintable = paintableIndex(program, slot.paletteIndex);
    if (!paintable) {
        drawColourSlots(program);
        return;
    }
    if (*paintable == slot.paletteIndex) {
        program.views.showLeftSlotColour(slot, program.model.paletteIndexOf(program.model.transparentValue()));
        program.state.leftColourRgb = toolkit::rgbColour(slot.red, slot.green, slot.blue);
    } else {
        showLeftColour(program, *paintable);  // the bank's entry of the slot's colour
    }
    program.state.leftColour = *paintable;

    drawColourSlots(program);
}

void importCanvasEvent(Program& program, const toolkit::CanvasEvent& event) {
    if (!event.right) return;
    if (event.x < 0 || event.x >= ui::IMPORT_CANVAS_WIDTH || event.y < 0 || event.y >= ui::IMPORT_CANVAS_HEIGHT) return;
    ui::WindowMain& window = *program.window;

    // The preview shows the rectangle as it stood before this event; the next
    // event (or a change of a grab field) shows the corner moved here.
    drawGrabPreview(program);

    window.setControlText(Control::GadgetGrabX, QString::number(event.x));
    window.setControlText(Control::GadgetGrabY, QString::number(event.y));
    window.setControlState(Control::GadgetResizeWidthSlider,
                           numberIn(program, Control::GadgetResizeWidth));
    window.setControlState(Control::GadgetResizeHeightSlider,
                           numberIn(program, Control::GadgetResizeHeight));
}

}  // namespace app
