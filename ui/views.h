#pragma once
// The views: everything drawn from the model onto the window's canvases and
// image boxes. A view is handed what it draws (the grid, the palette, a block of
// sprite bytes) and only draws: it never changes the model and never reads a
// file. Each is redrawn whole by an explicit call after the model changed.
//
// The views keep the pictures they made (one 64 x 64 picture per sprite number,
// the animation's frames; the palette pictures) and the grab preview's last
// block count; nothing else. Without a window every view simply draws nothing,
// so the program runs headless in tests and benchmarks.

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "model/sprite_sheet.h"
#include "palette/palette.h"
#include "ui/control_ids.h"

namespace ui {

class WindowMain;

inline constexpr int SPRITE_IMAGE_COUNT = 129;  // images for sprite numbers 0..128
inline constexpr int SPRITE_IMAGE_SIDE = 64;
inline constexpr int PALETTE_PICTURE_SLOTS = 11;

// Screen colour (0x00BBGGRR) of each of the 256 pixel values.
using CellColours = std::array<int, 256>;

// The colours pixel values are drawn in: their palette colours, with the
// transparent index white while transparent pixels are hidden. With a bank (0 to 15)
// the values are those of a 4-bit sheet: value v shows entry bank * 16 + v, and the
// transparent value 3 is the one shown white.
CellColours cellScreenColours(const palette::Palette& palette, bool showTransparent, int fourBitBank = -1);

// The sprite being edited, as the "Design" page draws it.
struct SpriteScene {
    const model::SpriteGrid& grid;
    int currentSprite = 1;
    CellColours colours{};
    int zoom = 20;  // editor cell size in pixels
};

// How the "Preview" page lays sprites out, as its spin boxes say.
struct SheetLayout {
    int width = 0;   // sprites per row
    int count = 0;   // how many are drawn
    int offset = 0;  // 0-based first sprite
    bool showValues = false;
};

class Views {
public:
    WindowMain* window = nullptr;  // not owned; null draws nothing

    // One 64 x 64 picture per sprite number, the frames of the animation
    // (64 of them on an 8-bit sheet, 128 on a 4-bit one).
    std::array<QImage, SPRITE_IMAGE_COUNT> spriteImages;
    std::array<QImage, PALETTE_PICTURE_SLOTS> palettePictures;
    // Decodes palette picture i on first use, so start-up does not wait for
    // pictures the user may never ask for. Empty: only palettePictures counts.
    std::function<QImage(int)> loadPalettePicture;
    // Block count of the last grab preview: a smaller one clears the old blocks.
    int grabAcross = 0, grabDown = 0;

    // --- The "Design" page.

    // The whole 16 x 16 editor grid with its lattice, then drawSpritePreview, then
    // the sprite number (currentSprite - 1) in GadgetSpriteNumber.
    void drawEditorGrid(const SpriteScene& scene);
    // One cell as the pen paints it: a zoom x zoom box in the colour, then the
    // black (zoom + 1) x (zoom + 1) outline at the same place.
    void drawEditorCell(int zoom, int column, int row, int colour);
    // The 4x preview, the sprite's 64 x 64 picture and the 1:1 picture.
    void drawSpritePreview(const SpriteScene& scene);
    // The 16 colour slots, the selected one outlined white.
    void drawColourSlots(const palette::ColourSlots& colourSlots, int selectedSlot);
    // A mouse colour: its swatch, its index text ("T227" for the transparent
    // index) and, for the left one, its "RGB:r,g,b" text. Returns the screen
    // colour shown.
    // transparentIndex is the entry transparent pixels show (on a 4-bit sheet the
    // bank's entry of value 3), marked "T" like 0xE3.
    int showLeftColour(const palette::Palette& palette, int index, int transparentIndex = model::TRANSPARENT_INDEX);
    int showRightColour(const palette::Palette& palette, int index, int transparentIndex = model::TRANSPARENT_INDEX);
    // The left colour as a slot holds it (the slot's own colour and index).
    void showLeftSlotColour(const palette::PaletteEntry& slot, int transparentIndex = model::TRANSPARENT_INDEX);
    // "Colours :" and the count.
    void showColourCount(int count);
    // The chart of the 256 palette entries on the palette canvas.
    void drawPaletteChart(const palette::Palette& palette);
    // Palette picture `index`, resized to the chart's size, at (2, 2).
    void showPalettePicture(int index);
    // The view side of a sheet reset: clears the editor, slot, preview, actual-size
    // and (once built) sheet canvases and empties spriteImages 0..128, which read as
    // 64 x 64 white (spriteImage) until drawn.
    void clearDesignViews(int zoom);
    // The sheet canvas in dark grey, as it stands before its first drawing.
    void clearSheetPreview();

    // The picture of sprite `number` (its animation frame) from its 256 bytes, for
    // sprites other than the one on the grid (drawSpritePreview draws that one).
    void drawSpritePicture(int number, std::span<const std::uint8_t, 256> pixels, const CellColours& colours);

    // --- The "Palette" page.

    // The chart of the palette's 256 entries, 16 to a row (a row is a bank of 16),
    // the selected entry outlined, and the selected entry's fields: its 3-bit red,
    // green and blue, priority, the two Next bytes, its screen colour and swatch.
    void drawPalettePage(const palette::Palette& palette, int selected);
    // The entry of the chart cell at (x, y) of GadgetPaletteChart, -1 off the cells.
    static int paletteChartEntryAt(int x, int y);

    // --- The "Preview" page, the animation and the "Import" page's grab view.

    // Sprites offset .. offset + count - 1 of `sprites` (256 bytes each), width per
    // row, 32 x 32 each, their numbers in exclusive-or when showValues is set.
    // Sprites the block does not hold are left out.
    void drawSheetPreview(std::span<const std::uint8_t> sprites, const CellColours& colours,
                          const SheetLayout& layout);
    // Shows spriteImages[frame] in GadgetAnimationImage (no picture outside 1..lastSprite).
    void showAnimationFrame(int frame, int lastSprite);
    // The blocks "Import Sprites" would take from the import canvas, magnified,
    // with the grid of lines.
    void drawGrabPreview(int gx, int gy, int across, int down);

    // The "T227" form of a palette index shown under the swatches and in texts.
    static QString colourIndexText(int index, int transparentIndex = model::TRANSPARENT_INDEX);

    // A spriteImages entry ready to draw on: 64 x 64 and 32-bit; a missing one is made white.
    QImage& spriteImage(int number);

private:
    int showColour(const palette::Palette& palette, int index, int transparentIndex, Control swatch, Control indexLabel);
};

}  // namespace ui
