#pragma once
// Undo and redo for the sprite being edited: a linear store of whole-grid snapshots.
//
// undoPosition is the byte offset of the current snapshot (a multiple of 256) and
// undoTop the index of the newest snapshot of the current history: redo steps forward
// only through the states that undo took back since the last push, never onto stale
// snapshots of an earlier history. The store grows as snapshots arrive, up to 16,384 of
// them; a push when it is full drops the oldest one, so it never grows past that.

#include <cstdint>
#include <span>
#include <vector>

#include "model/sprite_sheet.h"

namespace model {

class UndoHistory {
public:
    static constexpr int CAPACITY = 16384;

    UndoHistory();

    int undoPosition() const { return position_ * SPRITE_BYTES; }
    int undoTop() const { return top_; }

    // Moves one snapshot on and writes the grid there; later snapshots are discarded.
    void push(const SpriteGrid& grid);
    // Writes the grid as the current snapshot without moving (the sheet reset).
    // Redo states are discarded with it: they belonged to the sheet that was cleared.
    void overwriteCurrent(const SpriteGrid& grid);
    // Starts a new history whose only snapshot is the grid.
    void restart(const SpriteGrid& grid);
    // Step back / forward and copy the snapshot there into the grid; false when there
    // is nothing to undo / redo (the grid is then untouched).
    bool undo(SpriteGrid& grid);
    bool redo(SpriteGrid& grid);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < top_; }

    // The bytes of snapshot k of the current history (0 = oldest kept).
    std::span<const std::uint8_t, SPRITE_BYTES> snapshot(int k) const;

private:
    std::span<std::uint8_t, SPRITE_BYTES> slot(int k);

    std::vector<std::uint8_t> store_;  // up to CAPACITY * 256 bytes, used as a ring
    int base_ = 0;      // ring slot of snapshot 0
    int position_ = 0;  // current snapshot
    int top_ = 0;       // newest snapshot of the current history
};

}  // namespace model
