#include "model/undo_history.h"

#include <array>

namespace model {

namespace {

// What a snapshot that was never written reads as.
constexpr std::array<std::uint8_t, SPRITE_BYTES> EMPTY_SNAPSHOT{};

}  // namespace

UndoHistory::UndoHistory() = default;

std::span<std::uint8_t, SPRITE_BYTES> UndoHistory::slot(int k) {
    const int ring = (base_ + k) % CAPACITY;
    // The store grows as snapshots arrive; until it first fills, ring slots are taken
    // in order, so growing to the slot asked for never leaves a gap of unwritten ones.
    const std::size_t end = static_cast<std::size_t>(ring + 1) * SPRITE_BYTES;
    if (store_.size() < end) store_.resize(end);
    return std::span<std::uint8_t, SPRITE_BYTES>(store_.data() + static_cast<std::size_t>(ring) * SPRITE_BYTES,
                                                 SPRITE_BYTES);
}

std::span<const std::uint8_t, SPRITE_BYTES> UndoHistory::snapshot(int k) const {
    const int ring = (base_ + k) % CAPACITY;
    if (store_.size() < static_cast<std::size_t>(ring + 1) * SPRITE_BYTES) return EMPTY_SNAPSHOT;
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
