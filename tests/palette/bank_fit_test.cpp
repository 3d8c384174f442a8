// Switching a sheet between 8-bit and 4-bit sprites, against a plain scan of the bank.
#include <gtest/gtest.h>

#include <algorithm>

#include "palette/bank_fit.h"
#include "tests/support/files.h"

using namespace palette;
using model::SpriteModel;

namespace {
// Colours from a small set, so banks hold repeated colours and fits tie.
Palette tiedPalette() {
    std::vector<PaletteEntry> entries;
    const support::Bytes pick = support::seededBytes(256, 5);
    for (int i = 0; i < 256; ++i) {
        const int c = pick[static_cast<std::size_t>(i)] % 40;
        entries.push_back(makePaletteEntry((c % 4) * 85, ((c / 4) % 5) * 60, (c / 20) * 255, i));
    }
    return Palette(entries);
}

int plainFit(const Palette& p, int bank, int index) {
    // Only the transparent index becomes the transparent value 3; every other colour,
    // the bank's own entry 3 among them, fits to one of the 15 opaque values.
    if (index == model::TRANSPARENT_INDEX) return model::TRANSPARENT_VALUE_4BIT;
    if (index / 16 == bank && index % 16 != 3) return index % 16;
    int best = 0, bestDistance = 1 << 30;
    for (int v = 0; v < 16; ++v) {
        if (v == 3) continue;
        const RgbColour a = p.colour(index), b = p.colour(bank * 16 + v);
        const int d = (a.red - b.red) * (a.red - b.red) + (a.green - b.green) * (a.green - b.green) +
                      (a.blue - b.blue) * (a.blue - b.blue);
        if (d < bestDistance) best = v, bestDistance = d;
    }
    return best;
}
}  // namespace

// 8-bit to 4-bit fits every pixel as the scan does and counts the pixels whose colour
// changes; 4-bit to 8-bit is bank x 16 + value with transparency kept; and back again
// gives the same 4-bit sheet.
TEST(SheetDepth, SwitchesFitToTheBankAndComeBackUnchanged) {
    const Palette p = tiedPalette();
    for (const int bank : {0, 5, 14, 15}) {
        SCOPED_TRACE(bank);
        SpriteModel m;
        m.resetSheet();
        const support::Bytes seeded = support::seededBytes(model::SHEET_SPRITE_BYTES, static_cast<unsigned>(bank));
        std::copy(seeded.begin(), seeded.end(), m.sheet.bytes.begin());
        m.spriteCount = 64;
        m.currentSprite = 9;
        m.grid.cell(4, 4) = model::TRANSPARENT_INDEX;
        m.grid.cell(5, 4) = bank * 16 + 7;
        m.copyBlock();  // a copy made before the switch pastes as the sheet holds it after
        m.storeGrid();
        const auto eightBit = m.sheet.bytes;
        int changes = 0;
        for (int i = 0; i < model::SHEET_SPRITE_BYTES; ++i)
            changes += eightBit[i] != model::TRANSPARENT_INDEX &&  // transparent stays transparent
                       p.colour(eightBit[i]) != p.colour(bank * 16 + plainFit(p, bank, eightBit[i]));
        EXPECT_EQ(pixelsChangingColour(m, p, bank), changes);

        m.convertToFourBit(bank, fourBitValues(p, bank));
        for (int i = 0; i < model::SHEET_SPRITE_BYTES; ++i)
            ASSERT_EQ(m.sheet.bytes[i], plainFit(p, bank, eightBit[i])) << "byte " << i;
        EXPECT_TRUE(std::all_of(m.sheet.bytes.begin() + model::SHEET_SPRITE_BYTES, m.sheet.bytes.end(),
                                [](auto b) { return b == model::TRANSPARENT_VALUE_4BIT; }));
        EXPECT_EQ(std::tuple(m.grid.cell(4, 4), m.grid.cell(5, 4), m.history.undoTop()), std::tuple(3, 7, 0));
        EXPECT_TRUE(std::ranges::equal(m.block.bytes, m.sheet.sprite(9)));

        const auto fourBit = m.sheet.bytes;
        m.convertToEightBit();
        for (std::size_t i = 0; i < fourBit.size(); ++i)
            ASSERT_EQ(m.sheet.bytes[i], fourBit[i] == 3 ? model::TRANSPARENT_INDEX : bank * 16 + fourBit[i]);
        EXPECT_TRUE(std::ranges::equal(m.block.bytes, m.sheet.sprite(9)));
        m.convertToFourBit(bank, fourBitValues(p, bank));
        EXPECT_TRUE(m.sheet.bytes == fourBit);
    }
}

// A 4-bit sheet of more than 64 sprites keeps the rest aside while 8-bit; they come
// back only while all 64 are still in use.
TEST(SheetDepth, SpritesPast64WaitAsideWhileEightBit) {
    const Palette p = tiedPalette();
    for (const bool removeOne : {false, true}) {
        SpriteModel m;
        m.depth = model::SpriteDepth::Four;
        m.bank = 2;
        m.resetSheet();
        for (std::size_t i = 0; i < m.sheet.bytes.size(); ++i) m.sheet.bytes[i] = static_cast<std::uint8_t>(i * 7 % 16);
        m.spriteCount = 100;
        m.currentSprite = 90;
        m.loadGrid();
        const auto before = m.sheet.bytes;
        m.convertToEightBit();
        EXPECT_EQ(std::tuple(m.spriteCount, m.currentSprite, m.maxSprites()), std::tuple(64, 64, 64));
        if (removeOne) m.removeLastSprite();
        m.convertToFourBit(2, fourBitValues(p, 2));
        EXPECT_EQ(m.spriteCount, removeOne ? 63 : 100);
        const std::size_t kept = removeOne ? model::SHEET_SPRITE_BYTES : 100 * 256;
        EXPECT_TRUE(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(kept), m.sheet.bytes.begin()));
        EXPECT_EQ(m.sheet.bytes[kept], model::TRANSPARENT_VALUE_4BIT);
    }
}

// Colours in use are palette indices: bank x 16 + value, index 0 never counted.
TEST(SheetDepth, ColoursOfAFourBitSheetAreCountedAsPaletteIndices) {
    for (const auto& [bank, expected] : {std::pair(2, std::vector<int>{32, 35, 47}), std::pair(0, std::vector<int>{3, 15})}) {
        SpriteModel m;
        m.depth = model::SpriteDepth::Four;
        m.bank = bank;
        m.resetSheet();
        m.addSprite();
        m.sheet.sprite(1)[0] = 0;
        m.sheet.sprite(2)[9] = 15;
        m.sheet.sprite(3)[1] = 9;  // not in use
        const ColourUse use = countSheetColours(m);
        std::vector<int> found;
        for (int i = 0; i < 256; ++i)
            if (use.markers[static_cast<std::size_t>(i)]) found.push_back(i);
        EXPECT_EQ(found, expected);
        EXPECT_EQ(use.count, static_cast<int>(expected.size()));
    }
}
