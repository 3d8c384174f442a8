#include "app/four_bit.h"

#include <QString>

#include <algorithm>

#include "app/palette_page.h"
#include "app/program.h"
#include "app/redraw.h"
#include "app/window_text.h"
#include "palette/bank_fit.h"
#include "ui/window_main.h"

namespace app {

namespace {

using ui::Control;

QString bankText(int bank) {
    return QStringLiteral("bank %1 (entries %2 to %3)").arg(bank).arg(bank * model::BANK_SIZE).arg(bank * model::BANK_SIZE + model::BANK_SIZE - 1);
}

QString toFourBitQuestion(Program& p, int bank) {
    // Stored first, so the count sees the sprite being edited as it is now.
    p.model.storeGrid();
    const model::SpriteModel& m = p.model;
    const int changing = palette::pixelsChangingColour(m, p.palette, bank);
    QString text = QStringLiteral("The sheet becomes up to 128 sprites of 16 colours, shown through %1.\n"
                                  "%2 will change colour. The undo history starts again.")
                       .arg(bankText(bank), changing == 1 ? QStringLiteral("1 pixel") : QStringLiteral("%1 pixels").arg(changing));
    if (m.asideCount > model::MAX_SPRITES) {
        text += m.restoresAside()
                    ? QStringLiteral("\nSprites 65 to %1, kept aside, come back.").arg(m.asideCount)
                    : QStringLiteral("\nSprites 65 to %1, kept aside, are dropped: not all 64 sprites are in use.")
                          .arg(m.asideCount);
    }
    return text + QStringLiteral("\n\nSwitch to 4-bit sprites?");
}

QString toEightBitQuestion(const Program& p) {
    QString text = QStringLiteral("The sheet becomes up to 64 sprites of 256 colours; every pixel keeps its colour "
                                  "(entry = bank x 16 + value) and transparent pixels stay transparent (0xE3). "
                                  "The undo history starts again.");
    if (p.model.spriteCount > model::MAX_SPRITES)
        text += QStringLiteral("\nSprites 65 to %1 are kept aside: they come back when you switch to 4-bit again "
                               "while all 64 sprites are still in use.")
                    .arg(p.model.spriteCount);
    return text + QStringLiteral("\n\nSwitch to 8-bit sprites?");
}

// The bank the bank box holds, if its text is one.
std::optional<int> typedBank(const Program& p) {
    bool number = false;
    const int bank = p.window->controlText(Control::GadgetBank).toInt(&number);
    if (!number || bank < 0 || bank >= model::BANK_COUNT) return std::nullopt;
    return bank;
}

// A spin box whose text showed the last sprite of the old sheet shows the new last one.
void followLast(Program& p, Control box, int oldLast, int newLast) {
    if (numberIn(p, box) == oldLast) setSpin(p, box, newLast);
}

}  // namespace

void switchSpriteDepth(Program& p) {
    model::SpriteModel& m = p.model;
    const bool toFour = p.window->controlState(Control::GadgetFourBit) != 0;
    if (toFour == m.fourBit()) return;
    const int bank = typedBank(p).value_or(m.bank);
    const QString question = toFour ? toFourBitQuestion(p, bank) : toEightBitQuestion(p);
    if (!confirm(p, toFour ? QStringLiteral("4-bit sprites") : QStringLiteral("8-bit sprites"), question)) {
        p.window->setControlState(Control::GadgetFourBit, m.fourBit() ? 1 : 0);
        return;
    }
    const int oldMax = m.maxSprites();
    if (toFour) {
        const auto valueOf = palette::fourBitValues(p.palette, bank);
        // The mouse colours become the bank colours their pixels turn into.
        p.state.leftColour = bank * model::BANK_SIZE + valueOf[static_cast<std::size_t>(p.state.leftColour & 0xFF)];
        p.state.rightColour = bank * model::BANK_SIZE + valueOf[static_cast<std::size_t>(p.state.rightColour & 0xFF)];
        m.convertToFourBit(bank, valueOf);
    } else {
        m.convertToEightBit();
    }
    p.state.clearValue = m.transparentValue();
    showSpriteDepth(p);
    followLast(p, Control::GadgetRangeTo, oldMax - 1, m.maxSprites() - 1);
    followLast(p, Control::GadgetSheetCount, oldMax, m.maxSprites());
    showSpriteCount(p);
    countColours(p);
    redrawInPaletteColours(p);
    setStatus(p, toFour ? QStringLiteral("4-bit sprites in ") + bankText(bank) : QStringLiteral("8-bit sprites"));
}

void changeBank(Program& p) {
    model::SpriteModel& m = p.model;
    // An emptied box is on its way to a new number; one past 15 is refused as typed.
    if (p.window->controlText(Control::GadgetBank).isEmpty()) return;
    const std::optional<int> typed = typedBank(p);
    if (!typed) {
        setSpin(p, Control::GadgetBank, m.bank);
        setStatus(p, QStringLiteral("The bank is a number from 0 to 15"));
        return;
    }
    const int bank = *typed;
    if (bank == m.bank) return;
    // On an 8-bit sheet the box chooses the bank the switch to 4-bit will fit to.
    if (!m.fourBit()) {
        m.bank = bank;
        return;
    }
    const int left = m.valueOfPaletteIndex(p.state.leftColour);
    const int right = m.valueOfPaletteIndex(p.state.rightColour);
    m.bank = bank;
    p.state.leftColour = m.paletteIndexOf(left);
    p.state.rightColour = m.paletteIndexOf(right);
    countColours(p);
    redrawInPaletteColours(p);
    setStatus(p, QStringLiteral("4-bit sprites in ") + bankText(bank));
}

void showSpriteDepth(Program& p) {
    ui::WindowMain& w = *p.window;
    const model::SpriteModel& m = p.model;
    w.setControlState(Control::GadgetFourBit, m.fourBit() ? 1 : 0);
    setSpin(p, Control::GadgetBank, m.bank);
    const int last = m.maxSprites();
    // A number past the new end (a frame of 100 on a sheet back to 64) moves onto it.
    const auto limit = [&](Control box, int low, int high) {
        w.setControlRange(box, low, high);
        if (numberIn(p, box) > high) setSpin(p, box, high);
    };
    for (Control box : {Control::GadgetAnimFrame, Control::GadgetAnimCount, Control::GadgetSheetCount})
        limit(box, 1, last);
    for (Control box : {Control::GadgetSheetOffset, Control::GadgetRangeFrom, Control::GadgetRangeTo})
        limit(box, 0, last - 1);
}

std::optional<int> paintableIndex(Program& p, int index) {
    const model::SpriteModel& m = p.model;
    if (m.canPaintIndex(index)) return index;
    const auto bank = palette::bankColours(p.palette, m.bank);
    if (const auto value = palette::bankValueOf(bank, p.palette.colour(index))) return m.paletteIndexOf(*value);
    setStatus(p, QStringLiteral("Colour %1 is not in %2").arg(index).arg(bankText(m.bank)));
    return std::nullopt;
}

}  // namespace app
