#pragma once
// The "Palette" page's commands: choosing an entry on the chart (mouse or arrow
// keys), editing its 3-bit red, green and blue and its priority, undoing and
// redoing those edits apart from the sprite history, and loading and saving
// palette files. Every change of the palette goes through changePalette, which
// redraws every view that shows palette colours; the sheet's indices never change.

#include <cstddef>
#include <vector>

#include "palette/palette.h"
#include "toolkit/canvas_event.h"

namespace app {

struct Program;

// Palette edits kept for undo: at least this many steps back.
inline constexpr std::size_t PALETTE_UNDO_STEPS = 256;

// The page's own state: the entry being edited and the palettes before and after
// the edits (a load counts as one edit).
struct PalettePage {
    int selected = 0;
    std::vector<palette::Palette> undoSteps;  // oldest first
    std::vector<palette::Palette> redoSteps;  // the next redo last
};

// Draws the page: the chart with the selected entry and the entry's fields.
void showPalettePage(Program& program);

// Makes `next` the palette as one undoable edit and shows it everywhere.
void changePalette(Program& program, palette::Palette next);

// Redraws every view drawn in palette colours (swatches, slots, grid, pictures, the
// chart and the sheet or file preview) after the colours the pixels show changed.
void redrawInPaletteColours(Program& program);

// A click on the chart selects the entry under it, an arrow key moves the selection;
// the mouse colours and the colour slots stay as they are.
void paletteChartEvent(Program& program, const toolkit::CanvasEvent& event);

// The selected entry takes the red, green and blue fields (0 to 7; its screen
// colour then lies on the Next's levels), or the priority box.
void editPaletteComponents(Program& program);
void editPalettePriority(Program& program);

void undoPaletteEdit(Program& program);
void redoPaletteEdit(Program& program);
bool onPalettePage(const Program& program);

// Load and save through the dialogs; a save writes the layout of the filter chosen.
void loadPalette(Program& program);
void savePalette(Program& program);
// Writes the palette as rgb9spreada.pal in the working folder, read at the next start.
void savePaletteAsDefault(Program& program);

}  // namespace app
