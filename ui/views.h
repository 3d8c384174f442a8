#pragma once
// The views: everything drawn from the model onto the canvases and image boxes.
// Each is redrawn whole by an explicit call after the model changed; no view
// keeps state of its own beyond the pixels it drew (and the grab preview's last
// block count, kept in ProgramState).

#include <QString>

namespace app {
struct Program;
}

namespace ui {

// --- The "Design" page.

// The whole 16 x 16 editor grid with its lattice, then drawSpritePreview, then the
// sprite number (currentSprite - 1) in GadgetSpriteNumber.
void drawEditorGrid(app::Program& program);
// One cell of the editor grid as the pen paints it: a zoom x zoom box in the colour,
// then the black (zoom + 1) x (zoom + 1) outline at the same place.
void drawEditorCell(app::Program& program, int column, int row, int colour);
// The 4x preview, the current sprite's 64 x 64 image in spriteImages and the
// 1:1 picture on GadgetActualSizeCanvas.
void drawSpritePreview(app::Program& program);
// Rebuilds the grid from the 4x preview's pixels (after a fill), then redraws the
// grid and the sheet preview.
void readBackPreview(app::Program& program);
// The 16 colour slots, the selected one outlined white.
void drawColourSlots(app::Program& program);
// Left colour swatch, its RGB text and its index text ("T227" for 0xE3); sets
// leftColourRgb. The caller sets leftColour.
void showLeftColour(app::Program& program, int index);
// The same for the right colour: swatch, index text, rightColourRgb and rightColour.
void showRightColour(app::Program& program, int index);
// Counts the colours of the sprites in use into program.colourUse and shows
// "Colours :" + count.
void countColours(app::Program& program);
// The chart of the 256 palette entries on the palette canvas.
void drawPaletteChart(app::Program& program);
// Palette picture palettePictureIndex, resized to 550 x 388 at (2, 2).
void showPalettePicture(app::Program& program);
// The view side of a sheet reset: clears the editor, slot, preview and actual-size
// canvases, draws the palette chart, makes spriteImages 0..64 anew (64 x 64 white)
// and ends with drawEditorGrid.
void clearDesignViews(app::Program& program);

// --- The "Preview" page, the animation and the "Import" page's grab view.

// Stores the grid, draws sprites O .. O+N-1 of the sheet (W per row, 32 x 32 each,
// numbers in exclusive-or when GadgetShowValues is checked), loads the grid back.
void drawSheetPreview(app::Program& program);
// The same from the first 32,768 bytes of a sprite file, without touching the sheet.
void drawFilePreview(app::Program& program, const QString& path);
// Shows spriteImages[animationFrame] in GadgetAnimationImage (no picture outside 1..64).
void showAnimationFrame(app::Program& program);
// The blocks "Import Sprites" would take, magnified, with the grid of lines.
void drawGrabPreview(app::Program& program, int gx, int gy, int across, int down);

}  // namespace ui
