#pragma once
// The editing model: one sheet, the working grid of the current sprite, the sprite
// counts, the copy buffer and the undo history of the current sprite.
//
// Operations change state only; the window redraws what they report changed.
// The guards the commands apply before stepping (canStepBack / canStepForward) are
// here too, so every caller uses the same rule.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/sprite_depth.h"
#include "model/sprite_sheet.h"
#include "model/undo_history.h"

namespace model {

// The private copy/cut/paste buffer: one whole sprite, 256 zero bytes until the first copy.
struct BlockBuffer {
    std::array<std::uint8_t, SPRITE_BYTES> bytes{};
};

struct SpriteModel {
    SpriteSheet sheet;
    SpriteGrid grid;
    int currentSprite = 0;  // 1-based once the sheet has been reset
    int spriteCount = 1;    // sprites in use, counted from sprite 1
    // 8-bit sheets hold palette indices, 4-bit ones values 0 to 15 shown through the
    // bank (see sprite_depth.h); every sprite and the grid hold the one kind.
    SpriteDepth depth = SpriteDepth::Eight;
    int bank = 0;  // 0 to 15
    // A 4-bit sheet of more than 64 sprites switched to 8-bit keeps sprites 65 on in
    // the room past the 64 and their count here, so switching back restores them.
    int asideCount = 0;
    BlockBuffer block;
    UndoHistory history;

    bool fourBit() const { return depth == SpriteDepth::Four; }
    int maxSprites() const { return fourBit() ? MAX_SPRITES_4BIT : MAX_SPRITES; }
    // What a cleared or new sprite holds, and what a cut leaves behind.
    int transparentValue() const { return fourBit() ? TRANSPARENT_VALUE_4BIT : TRANSPARENT_INDEX; }
    int cutFillValue() const { return fourBit() ? CUT_FILL_VALUE_4BIT : CUT_FILL_INDEX; }
    // The palette entry a pixel value shows.
    int paletteIndexOf(int value) const { return fourBit() ? bank * BANK_SIZE + (value & 0x0F) : value & 0xFF; }
    // The value a palette entry paints, if the sheet can hold it (4-bit: only the bank's).
    int valueOfPaletteIndex(int index) const { return fourBit() ? index - bank * BANK_SIZE : index; }
    bool canPaintIndex(int index) const {
        return !fourBit() || (index >= bank * BANK_SIZE && index < (bank + 1) * BANK_SIZE);
    }

    // Sheet <-> grid for the current sprite.
    void storeGrid();
    void loadGrid();

    // Every sprite and the grid to the transparent value, counts to 1, and the cleared
    // grid written over the current undo snapshot. An 8-bit sheet clears sprites 1 to
    // 64 and leaves the room past them alone; a 4-bit one clears all 128.
    void resetSheet();

    // Step guards used by the commands and shortcuts.
    bool canStepBack() const { return spriteCount > 1 && currentSprite > 1; }
    bool canStepForward() const { return currentSprite < spriteCount; }

    // Store the grid, step, load the new sprite and restart the undo history on it.
    void previousSprite();
    void nextSprite();
    // One more sprite in use (not past maxSprites()), then a step to the next sprite.
    // Returns false when the sheet was already full and nothing changed.
    bool addSprite();
    // One sprite fewer (not below 1), stepping back when the current sprite is not 1.
    // Returns false when nothing changed.
    bool removeLastSprite();
    // The grid and the current sprite's sheet bytes to the transparent value.
    void clearCurrentSprite();

    // The block buffer: copy the grid; cut (copy, then cutFillValue() into grid and sheet);
    // paste into grid and sheet at once.
    void copyBlock();
    void cutBlock();
    void pasteBlock();

    // Undo history of the current sprite.
    void pushUndoSnapshot() { history.push(grid); }
    bool undo() { return history.undo(grid); }
    bool redo() { return history.redo(grid); }
    void restartUndo() { history.restart(grid); }

    // Sheet bytes of sprites 1 to spriteCount (clamped to the sheet), 256 a sprite.
    std::span<const std::uint8_t> spritesInUse() const;

    // Sprites first to first + count - 1 (1-based, clamped to the sheet) as files and
    // listings hold them: 256 bytes a sprite, or 128 packed bytes on a 4-bit sheet.
    std::vector<std::uint8_t> fileBytes(int first, int count) const;

    // Switching the sheet's depth. Both store the grid first, convert every sprite of
    // the sheet and the copy buffer, load the grid and restart the undo history, as
    // after a load.
    // To 8-bit: value v becomes bank * 16 + v, except that the transparent value stays
    // transparent (TRANSPARENT_INDEX). More than 64 sprites in use: the count drops to
    // 64 and asideCount keeps the 4-bit count.
    void convertToEightBit();
    // Whether a switch to 4-bit now brings back sprites kept aside: all 64 in use.
    bool restoresAside() const { return !fourBit() && asideCount > MAX_SPRITES && spriteCount == MAX_SPRITES; }
    // To 4-bit in newBank: index i becomes valueOf[i] (the caller fits the colours).
    // Sprites 65 to 128 take the transparent value, unless a 4-bit sheet was set aside
    // and all 64 sprites are still in use: then they are converted back and counted.
    void convertToFourBit(int newBank, const std::array<std::uint8_t, 256>& valueOf);
};

}  // namespace model
