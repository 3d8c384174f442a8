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
    BlockBuffer block;
    UndoHistory history;

    // Sheet <-> grid for the current sprite.
    void storeGrid();
    void loadGrid();

    // Every sprite and the grid to TRANSPARENT_INDEX, counts to 1, and the cleared grid
    // written over the current undo snapshot.
    void resetSheet();

    // Step guards used by the commands and shortcuts.
    bool canStepBack() const { return spriteCount > 1 && currentSprite > 1; }
    bool canStepForward() const { return currentSprite < spriteCount; }

    // Store the grid, step, load the new sprite and restart the undo history on it.
    void previousSprite();
    void nextSprite();
    // One more sprite in use (not past 64), then a step to the next sprite.
    // Returns false when the sheet was already full and nothing changed.
    bool addSprite();
    // One sprite fewer (not below 1), stepping back when the current sprite is not 1.
    // Returns false when nothing changed.
    bool removeLastSprite();
    // The grid and the current sprite's sheet bytes to TRANSPARENT_INDEX.
    void clearCurrentSprite();

    // The block buffer: copy the grid; cut (copy, then 255 into grid and sheet);
    // paste into grid and sheet at once.
    void copyBlock();
    void cutBlock();
    void pasteBlock();

    // Undo history of the current sprite.
    void pushUndoSnapshot() { history.push(grid); }
    bool undo() { return history.undo(grid); }
    bool redo() { return history.redo(grid); }
    void restartUndo() { history.restart(grid); }

    // Sheet bytes of sprites 1 to spriteCount (clamped to the sheet).
    std::span<const std::uint8_t> spritesInUse() const;
};

}  // namespace model
