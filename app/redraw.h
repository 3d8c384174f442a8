#pragma once
// What the commands call after they changed the model: each of these gathers
// what its view draws from the program (the grid, the palette, the settings the
// controls hold) and hands it to the view. Where the program keeps something
// the views report (the screen colours of the two mouse colours, the colour
// count), it is stored here, so the views themselves only draw.

#include <QString>

#include "ui/views.h"

namespace app {

struct Program;

// The screen colours the sheet's pixel values show in: palette colours, through the
// bank on a 4-bit sheet, the transparent one white while transparent pixels are hidden.
ui::CellColours shownColours(const Program& program);

void drawEditorGrid(Program& program);
void drawEditorCell(Program& program, int column, int row, int colour);
void drawSpritePreview(Program& program);
void drawColourSlots(Program& program);
// Shows the left colour and keeps its screen colour; the caller sets leftColour.
void showLeftColour(Program& program, int index);
// Shows the right colour and sets rightColour and its screen colour.
void showRightColour(Program& program, int index);
// Counts the colours of the sprites in use into program.colourUse and shows the count.
void countColours(Program& program);
void drawPaletteChart(Program& program);
void showPalettePicture(Program& program);
// The view side of a sheet reset: every "Design" canvas cleared, the palette
// chart and the editor grid drawn anew.
void clearDesignViews(Program& program);
// Stores the grid first so the preview shows the sprite being edited as it is
// now, then draws the sheet as the "Preview" page's fields lay it out.
void drawSheetPreview(Program& program);
// The same for the start of a sprite file, without touching the sheet: bytes
// past the file's end (or of a file that cannot be read) are 0.
void drawFilePreview(Program& program, const QString& path);
// The pictures (animation frames) of the sprites in use other than the one on the
// grid, from the sheet; drawEditorGrid draws the grid's own.
void drawSpritePictures(Program& program);
void showAnimationFrame(Program& program);
void drawGrabPreview(Program& program, int gx, int gy, int across, int down);
// The grab preview from the grab fields' texts.
void drawGrabPreview(Program& program);

}  // namespace app
