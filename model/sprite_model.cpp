#include "model/sprite_model.h"

#include <algorithm>

namespace model {

void SpriteModel::storeGrid() { grid.writeTo(sheet.sprite(currentSprite)); }

void SpriteModel::loadGrid() { grid.readFrom(sheet.sprite(currentSprite)); }

void SpriteModel::resetSheet() {
    std::fill_n(sheet.bytes.begin(), SHEET_SPRITE_BYTES, static_cast<std::uint8_t>(TRANSPARENT_INDEX));
    grid.fill(TRANSPARENT_INDEX);
    spriteCount = 1;
    currentSprite = 1;
    history.overwriteCurrent(grid);
}

void SpriteModel::previousSprite() {
    storeGrid();
    currentSprite -= 1;
    // With one sprite in use the grid keeps its content (the callers never get here).
    if (spriteCount > 1) loadGrid();
    restartUndo();
}

void SpriteModel::nextSprite() {
    if (currentSprite >= MAX_SPRITES) return;
    storeGrid();
    currentSprite += 1;
    if (spriteCount > 1) loadGrid();
    restartUndo();
}

bool SpriteModel::addSprite() {
    if (spriteCount >= MAX_SPRITES) return false;
    spriteCount += 1;
    nextSprite();
    return true;
}

bool SpriteModel::removeLastSprite() {
    if (spriteCount <= 1) return false;
    spriteCount -= 1;
    if (currentSprite > 1) previousSprite();
    return true;
}

void SpriteModel::clearCurrentSprite() {
    grid.fill(TRANSPARENT_INDEX);
    auto bytes = sheet.sprite(currentSprite);
    std::fill(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(TRANSPARENT_INDEX));
}

void SpriteModel::copyBlock() { grid.writeTo(block.bytes); }

void SpriteModel::cutBlock() {
    copyBlock();
    grid.fill(CUT_FILL_INDEX);
    auto bytes = sheet.sprite(currentSprite);
    std::fill(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(CUT_FILL_INDEX));
}

void SpriteModel::pasteBlock() {
    grid.readFrom(block.bytes);
    std::copy(block.bytes.begin(), block.bytes.end(), sheet.sprite(currentSprite).begin());
}

std::span<const std::uint8_t> SpriteModel::spritesInUse() const {
    const int count = std::clamp(spriteCount, 0, MAX_SPRITES);
    return std::span<const std::uint8_t>(sheet.bytes.data(), static_cast<std::size_t>(count) * SPRITE_BYTES);
}

}  // namespace model
