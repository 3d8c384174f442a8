#include "model/undo_history.h"

namespace model {

UndoHistory::UndoHistory() : store_(static_cast<std::size_t>(CAPACITY) * SPRITE_BYTES, 0) {}

std::span<std::uint8_t, SPRITE_BYTES> UndoHistory::slot(int k) {
    const int ring = (base_ + k) % CAPACITY;
    return std::span<std::uint8_t, SPRITE_BYTES>(store_.data() + static_cast<std::size_t>(ring) * SPRITE_BYTES,
                                                 SPRITE_BYTES);
}

std::span<const std::uint8_t, SPRITE_BYTES> UndoHistory::snapshot(int k) const {
    const int ring = (base_ + k) % CAPACITY;
    return std::span<const std::uint8_t, SPRITE_BYTES>(
        store_.data() + static_cast<std::size_t>(ring) * SPRITE_BYTES, SPRITE_BYTES);
}

void UndoHistory::push(const SpriteGrid& grid) {
    if (position_ == CAPACITY - 1) {
        // Full: the oldest snapshot makes room, the position stays on the last slot.
        base_ = (base_ + 1) % CAPACITY;
    } else {
        ++position_;
    }
    top_ = position_;
    grid.writeTo(slot(position_));
}

void UndoHistory::overwriteCurrent(const SpriteGrid& grid) {
    grid.writeTo(slot(position_));
    top_ = position_;
}

void UndoHistory::restart(const SpriteGrid& grid) {
    position_ = 0;
    top_ = 0;
    grid.writeTo(slot(0));
}

bool UndoHistory::undo(SpriteGrid& grid) {
    if (position_ == 0) return false;
    --position_;
    grid.readFrom(snapshot(position_));
    return true;
}

bool UndoHistory::redo(SpriteGrid& grid) {
    if (position_ >= top_) return false;
    ++position_;
    grid.readFrom(snapshot(position_));
    return true;
}

}  // namespace model
