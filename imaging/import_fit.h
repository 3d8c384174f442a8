#pragma once
// What the "Import" page does to a picture, without the window: the part of it the
// import canvas can show, fitted to the machine's colours; the canvas itself as a
// picture (background, then the fitted picture at its top-left corner); and the
// bytes "Export BMP" writes for an area of that canvas. The window and the batch
// commands both go through these, so both give the same bytes.

#include <cstdint>
#include <vector>

#include "imaging/fixed_colour_table.h"
#include "imaging/picture.h"
#include "palette/bank_fit.h"

namespace imaging {

// Where a 4-bit import canvas shows a transparent pixel.
inline constexpr Rgb FOUR_BIT_TRANSPARENT = FIXED_COLOUR_TABLE[0xE3];

// The import canvas: its size and the colour where no picture is drawn.
inline constexpr int IMPORT_CANVAS_WIDTH = 512;
inline constexpr int IMPORT_CANVAS_HEIGHT = 384;
inline constexpr Rgb IMPORT_BACKGROUND{40, 40, 40};

// The top-left w x h part of a picture (all of it when it is smaller).
Picture cropPicture(const Picture& picture, int w, int h);

// An indexed picture shown through FIXED_COLOUR_TABLE.
Picture pictureFromIndexed(const IndexedPicture& indexed);

// The part of a loaded picture a w x h canvas shows, as the canvas shows it: each
// colour moved onto the 3-bit-per-channel grid (nineBit) or replaced by its nearest
// fixed table colour. Only the shown part is fitted: the rest would be cut off anyway.
Picture fitForCanvas(const Picture& loaded, int w, int h, bool nineBit);

// The same for a 4-bit sheet: each colour (after the 9-bit reduction when nineBit)
// replaced by the nearest of the bank's opaque colours, the lowest value winning a
// tie; a colour that the fixed table fits to the transparent index (as the 8-bit
// import would make it transparent) shows as that table colour, FOUR_BIT_TRANSPARENT.
Picture fitForBank(const Picture& loaded, int w, int h, bool nineBit,
                   const std::array<palette::RgbColour, model::BANK_SIZE>& bank);

// The import canvas after the fitted picture has been drawn on it.
Picture importCanvasPicture(const Picture& shown);

// The w x h area at the origin of a canvas picture; pixels beyond it are the
// background colour. An empty picture for w or h below 1.
Picture canvasArea(const Picture& canvas, int w, int h);

// Upside down: row y takes row h - 1 - y; the pixels within a row keep their order.
void flipRows(Picture& picture);

// The 8-bit bitmap "Export BMP" writes for an area: optionally upside down, then
// fitted to FIXED_COLOUR_TABLE (after the 9-bit reduction when nineBit). Empty for
// an empty area.
std::vector<std::uint8_t> exportBitmapBytes(Picture area, bool flip, bool nineBit);

}  // namespace imaging
