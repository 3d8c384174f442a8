#pragma once
// Cutting a picture into sprites the way "Import Sprites" does: cells of 16 x 16
// pixels, row by row, each read into the grid through the palette and the grid then
// stepped on to the next sprite. A pixel of a colour the palette lacks, or one beyond
// the surface, leaves its cell as it was. On a 4-bit sheet a pixel of the transparent
// colour a 4-bit import shows (FOUR_BIT_TRANSPARENT) takes the transparent value, any
// other the value of the opaque bank colour it shows, or else of the nearest one; the
// canvas background leaves its cell as it was. The window reads its canvas, the batch
// import a picture of the same canvas; both call grabSprites.

#include <algorithm>
#include <array>
#include <optional>

#include "imaging/fixed_colour_table.h"
#include "imaging/import_fit.h"
#include "model/sprite_model.h"
#include "palette/bank_fit.h"
#include "palette/palette.h"

namespace imaging {

// The top-left pixel of the first cell, the cells across and down, and how many of
// them, row by row, are read at most (a sheet's worth).
struct GrabArea {
    int x = 0, y = 0, across = 0, down = 0;
    int limit = model::MAX_SPRITES_4BIT;  // a sheet's worth at most, whatever is asked
};

// The cell value a surface colour gives on this sheet, if any. background is the
// colour of the surface where no picture is drawn.
class GrabColours {
public:
    GrabColours(const palette::Palette& colours, const model::SpriteModel& m, Rgb background)
        : colours_(colours), fourBit_(m.fourBit()), bank_(palette::bankColours(colours, m.bank)),
          background_{background.r, background.g, background.b} {}

    std::optional<int> valueOf(palette::RgbColour colour) const {
        if (!fourBit_) return palette::findPaletteIndex(colours_, colour.red, colour.green, colour.blue);
        if (colour == palette::RgbColour{FOUR_BIT_TRANSPARENT.r, FOUR_BIT_TRANSPARENT.g, FOUR_BIT_TRANSPARENT.b})
            return model::TRANSPARENT_VALUE_4BIT;
        if (const auto exact = palette::bankValueOf(bank_, colour)) return exact;
        if (colour == background_) return std::nullopt;
        return palette::nearestBankValue(bank_, colour);
    }

private:
    const palette::Palette& colours_;
    bool fourBit_;
    std::array<palette::RgbColour, model::BANK_SIZE> bank_;
    palette::RgbColour background_;
};

namespace detail {

// Whether the import moves on to a fresh sprite after reading cell `imported`
// (0-based): while the sheet has room and the count is ahead of the cells read.
inline bool importStepsOn(const model::SpriteModel& m, int imported) {
    return m.spriteCount < m.maxSprites() + 1 && imported < m.spriteCount;
}

}  // namespace detail

// Reads area.across x area.down cells (no more than area.limit or the sheet's sprites)
// of a width x height surface, whose colour at (x, y) is rgbAt(x, y) (a
// palette::RgbColour), through `colours` into the current sprite and the ones
// after it. onCell(imported, stepsOn) runs after each cell is read, before the model
// steps on. Returns the number of cells read. The model ends on the last sprite read,
// with the count stepped as the window's import leaves it.
template <class RgbAt, class OnCell>
int grabSprites(int width, int height, RgbAt rgbAt, const GrabColours& colours, model::SpriteModel& m,
                GrabArea area, OnCell onCell) {
    constexpr int CELL = model::SPRITE_SIDE;
    area.limit = std::min(area.limit, m.maxSprites());
    int imported = 0;
    for (int r = 0; r < area.down; ++r) {
        for (int c = 0; c < area.across && imported < area.limit; ++c) {
            const int left = area.x + CELL * c;
            const int top = area.y + CELL * r;
            for (int py = 0; py < CELL; ++py) {
                const int y = top + py;
                if (y < 0 || y >= height) continue;
                for (int px = 0; px < CELL; ++px) {
                    const int x = left + px;
                    if (x < 0 || x >= width) continue;
                    const palette::RgbColour colour = rgbAt(x, y);
                    if (const std::optional<int> value = colours.valueOf(colour)) m.grid.cell(px, py) = *value;
                }
            }
            const bool stepsOn = detail::importStepsOn(m, imported);
            onCell(imported, stepsOn);
            if (stepsOn) {
                m.nextSprite();
                m.spriteCount += 1;
            } else if (m.spriteCount > imported) {
                m.spriteCount -= 1;
            }
            ++imported;
        }
    }
    // The loop always steps one past the last cell; step back onto it.
    if (imported > 0 && m.spriteCount > 1) {
        m.previousSprite();
        m.spriteCount -= 1;
    }
    return imported;
}

}  // namespace imaging
