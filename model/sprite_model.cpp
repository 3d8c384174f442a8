#include "model/sprite_model.h"

#include <algorithm>

namespace model {

void SpriteModel::storeGrid() { grid.writeTo(sheet.sprite(currentSprite)); }

void SpriteModel::loadGrid() { grid.readFrom(sheet.sprite(currentSprite)); }

void SpriteModel::resetSheet() {
    const int cleared = fourBit() ? MAX_SPRITES_4BIT * SPRITE_BYTES : SHEET_SPRITE_BYTES;
    std::fill_n(sheet.bytes.begin(), cleared, static_cast<std::uint8_t>(transparentValue()));
    grid.fill(transparentValue());
    asideCount = 0;
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
    if (currentSprite >= maxSprites()) return;
    storeGrid();
    currentSprite += 1;
    if (spriteCount > 1) loadGrid();
    restartUndo();
}

bool SpriteModel::addSprite() {
    if (spriteCount >= maxSprites()) return false;
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
    grid.fill(transparentValue());
    auto bytes = sheet.sprite(currentSprite);
    std::fill(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(transparentValue()));
}

void SpriteModel::copyBlock() { grid.writeTo(block.bytes); }

void SpriteModel::cutBlock() {
    copyBlock();
    grid.fill(cutFillValue());
    auto bytes = sheet.sprite(currentSprite);
    std::fill(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(cutFillValue()));
}

void SpriteModel::pasteBlock() {
    grid.readFrom(block.bytes);
    std::copy(block.bytes.begin(), block.bytes.end(), sheet.sprite(currentSprite).begin());
}

std::span<const std::uint8_t> SpriteModel::spritesInUse() const {
    const int count = std::clamp(spriteCount, 0, maxSprites());
    return std::span<const std::uint8_t>(sheet.bytes.data(), static_cast<std::size_t>(count) * SPRITE_BYTES);
}

std::vector<std::uint8_t> SpriteModel::fileBytes(int first, int count) const {
    first = std::max(first, 1);
    count = std::clamp(count, 0, std::max(0, maxSprites() + 1 - first));
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count * fileSpriteBytes(depth)));
    for (int k = 0; k < count; ++k) {
        const auto values = sheet.sprite(first + k);
        if (fourBit()) {
            packFourBit(values, std::span<std::uint8_t, PACKED_SPRITE_BYTES_4BIT>(
                                    out.data() + k * PACKED_SPRITE_BYTES_4BIT, PACKED_SPRITE_BYTES_4BIT));
        } else {
            std::copy(values.begin(), values.end(), out.begin() + k * SPRITE_BYTES);
        }
    }
    return out;
}

void SpriteModel::convertToEightBit() {
    if (!fourBit()) return;
    storeGrid();
    const auto toIndex = [this](std::uint8_t& byte) {
        const int value = byte & 0x0F;
        byte = static_cast<std::uint8_t>(value == TRANSPARENT_VALUE_4BIT ? TRANSPARENT_INDEX : bank * BANK_SIZE + value);
    };
    std::for_each(sheet.bytes.begin(), sheet.bytes.begin() + MAX_SPRITES_4BIT * SPRITE_BYTES, toIndex);
    // A sprite copied before the switch pastes as the sheet now holds it.
    std::for_each(block.bytes.begin(), block.bytes.end(), toIndex);
    depth = SpriteDepth::Eight;
    asideCount = spriteCount > MAX_SPRITES ? spriteCount : 0;
    spriteCount = std::min(spriteCount, MAX_SPRITES);
    currentSprite = std::clamp(currentSprite, 1, spriteCount);
    loadGrid();
    restartUndo();
}

void SpriteModel::convertToFourBit(int newBank, const std::array<std::uint8_t, 256>& valueOf) {
    if (fourBit()) return;
    storeGrid();
    const bool restoreAside = restoresAside();
    const int converted = restoreAside ? asideCount * SPRITE_BYTES : SHEET_SPRITE_BYTES;
    const auto toValue = [&valueOf](std::uint8_t& byte) { byte = static_cast<std::uint8_t>(valueOf[byte] & 0x0F); };
    std::for_each(sheet.bytes.begin(), sheet.bytes.begin() + converted, toValue);
    std::for_each(block.bytes.begin(), block.bytes.end(), toValue);
    std::fill(sheet.bytes.begin() + converted, sheet.bytes.begin() + MAX_SPRITES_4BIT * SPRITE_BYTES,
              static_cast<std::uint8_t>(TRANSPARENT_VALUE_4BIT));
    depth = SpriteDepth::Four;
    bank = std::clamp(newBank, 0, BANK_COUNT - 1);
    if (restoreAside) spriteCount = asideCount;
    asideCount = 0;
    loadGrid();
    restartUndo();
}

}  // namespace model
