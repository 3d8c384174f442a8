// The "Palette" page: its controls (the chart of the 256 entries, the selected
// entry's editor, the undo and file buttons) and the view that draws the chart and
// the entry's fields. The commands behind the controls live in app/palette_page.
#include "ui/views.h"

#include "palette/palette_formats.h"
#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "ui/view_support.h"
#include "ui/window_layout.h"
#include "ui/window_main.h"

#include <QString>

namespace ui {
namespace {

using C = Control;
using K = ControlKind;

// The chart: hex digits of the column across the top and of the bank down the
// left, so an entry's number reads bank digit then column digit ($E3: row E, column 3).
constexpr int CHART_SIDE = 16;
constexpr int CHART_CELL = 28;
constexpr int CHART_LEFT = 26, CHART_TOP = 20;
constexpr int CHART_W = CHART_LEFT + CHART_SIDE * CHART_CELL + 6;
constexpr int CHART_H = CHART_TOP + CHART_SIDE * CHART_CELL + 4;
constexpr int CHART_TEXT = 0xC0C0C0;
constexpr int SWATCH_W = 180, SWATCH_H = 120;

constexpr ControlSpec PALETTE_PAGE[] = {
    {C::GadgetPaletteChart, K::Canvas, "", 20, 20, CHART_W, CHART_H, OptCaptured | OptKeyboard, 0, 0,
     "Click an entry, or move with the arrow keys", nullptr, NO_FONT},
    {C::GadgetPaletteEntryFrame, K::Frame, "Entry", 520, 10, 590, 320, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteEntryLabel, K::Label, "", 540, 40, 340, 20, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteRedLabel, K::Label, "Red", 540, 78, 60, 22, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteRed, K::SpinBox, "0", 610, 72, 60, 28, OptNumeric, 0, 7, "Red, 0 to 7", nullptr, NO_FONT},
    {C::GadgetPaletteGreenLabel, K::Label, "Green", 540, 114, 60, 22, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteGreen, K::SpinBox, "0", 610, 108, 60, 28, OptNumeric, 0, 7, "Green, 0 to 7", nullptr, NO_FONT},
    {C::GadgetPaletteBlueLabel, K::Label, "Blue", 540, 150, 60, 22, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteBlue, K::SpinBox, "0", 610, 144, 60, 28, OptNumeric, 0, 7, "Blue, 0 to 7", nullptr, NO_FONT},
    {C::GadgetPalettePriority, K::CheckBox, "Priority (over Layer 2)", 540, 184, 260, 25, OptNone, 0, 0,
     "The Next's priority bit of this entry", nullptr, NO_FONT},
    {C::GadgetPaletteNextBytes, K::Label, "", 540, 220, 340, 20, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteScreenColour, K::Label, "", 540, 248, 560, 40, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteSwatch, K::Canvas, "", 900, 40, SWATCH_W + 4, SWATCH_H + 4, OptSunken, 0, 0, nullptr, nullptr,
     NO_FONT},
    {C::GadgetPaletteUndo, K::Button, "Undo (Ctrl+Z)", 540, 290, 130, 30, OptNone, 0, 0, "Undo a palette edit",
     nullptr, NO_FONT},
    {C::GadgetPaletteRedo, K::Button, "Redo (Ctrl+Y)", 680, 290, 130, 30, OptNone, 0, 0, "Redo a palette edit",
     nullptr, NO_FONT},
    {C::GadgetPaletteFileFrame, K::Frame, "Palette file", 520, 350, 590, 90, OptNone, 0, 0, nullptr, nullptr, NO_FONT},
    {C::GadgetPaletteLoad, K::Button, "Load palette...", 540, 385, 170, 32, OptNone, 0, 0,
     ".pal, .nxp, .npl, .gpl or .jasc", nullptr, NO_FONT},
    {C::GadgetPaletteSave, K::Button, "Save palette...", 720, 385, 170, 32, OptNone, 0, 0,
     "The layout follows the file type chosen", nullptr, NO_FONT},
    {C::GadgetPaletteSaveDefault, K::Button, "Save as default", 900, 385, 190, 32, OptNone, 0, 0,
     "Writes rgb9spreada.pal in the working folder: the next start uses it", nullptr, NO_FONT},
};

QString hexDigits(int value) { return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper(); }
QString hexByte(int value) { return QLatin1Char('$') + hexDigits(value); }

// The chart with its digits, every cell and the selection's two outlines.
void drawChart(toolkit::Canvas& canvas, const palette::Palette& palette, int selected) {
    QImage& image = canvas.image();
    QRect changed = toolkit::fillBox(image, 0, 0, image.width(), image.height(), VIEW_DARK_GREY);
    const QFont font = defaultViewFont();
    for (int k = 0; k < CHART_SIDE; ++k) {
        const QString digit = QString::number(k, 16).toUpper();
        toolkit::drawText(image, CHART_LEFT + k * CHART_CELL + 10, 3, digit, CHART_TEXT, VIEW_DARK_GREY, font);
        toolkit::drawText(image, 8, CHART_TOP + k * CHART_CELL + 7, digit, CHART_TEXT, VIEW_DARK_GREY, font);
    }
    for (int entry = 0; entry < palette::PALETTE_SIZE; ++entry) {
        const int x = CHART_LEFT + (entry % CHART_SIDE) * CHART_CELL, y = CHART_TOP + (entry / CHART_SIDE) * CHART_CELL;
        const palette::RgbColour rgb = palette.colour(entry);
        toolkit::fillBox(image, x, y, CHART_CELL + 1, CHART_CELL + 1, VIEW_BLACK);
        toolkit::fillBox(image, x + 1, y + 1, CHART_CELL - 1, CHART_CELL - 1, toolkit::rgbColour(rgb.red, rgb.green, rgb.blue));
    }
    if (selected >= 0 && selected < palette::PALETTE_SIZE) {
        const int x = CHART_LEFT + (selected % CHART_SIDE) * CHART_CELL, y = CHART_TOP + (selected / CHART_SIDE) * CHART_CELL;
        // White outside and black inside, so the mark shows on light and dark colours.
        toolkit::outlineBox(image, x - 1, y - 1, CHART_CELL + 3, CHART_CELL + 3, VIEW_WHITE);
        toolkit::outlineBox(image, x, y, CHART_CELL + 1, CHART_CELL + 1, VIEW_WHITE);
        toolkit::outlineBox(image, x + 1, y + 1, CHART_CELL - 1, CHART_CELL - 1, VIEW_BLACK);
    }
    canvas.markDirty(changed);
}

}  // namespace

std::span<const ControlSpec> palettePageSpecs() { return PALETTE_PAGE; }

int Views::paletteChartEntryAt(int x, int y) {
    if (x < CHART_LEFT || y < CHART_TOP) return -1;
    const int column = (x - CHART_LEFT) / CHART_CELL, row = (y - CHART_TOP) / CHART_CELL;
    if (column >= CHART_SIDE || row >= CHART_SIDE) return -1;
    return row * CHART_SIDE + column;
}

void Views::drawPalettePage(const palette::Palette& palette, int selected) {
    if (toolkit::Canvas* chart = viewCanvas(window, Control::GadgetPaletteChart)) drawChart(*chart, palette, selected);
    if (!window || selected < 0 || static_cast<std::size_t>(selected) >= palette.size()) return;

    const palette::PaletteEntry& entry = palette[static_cast<std::size_t>(selected)];
    const palette::NextComponents next = palette::nextComponents(entry);
    window->setControlText(Control::GadgetPaletteEntryLabel,
                           QStringLiteral("Entry %1 (%2): bank %3, colour %4")
                               .arg(selected)
                               .arg(hexByte(selected))
                               .arg(selected / CHART_SIDE)
                               .arg(selected % CHART_SIDE));
    window->setControlState(Control::GadgetPaletteRed, next.red);
    window->setControlState(Control::GadgetPaletteGreen, next.green);
    window->setControlState(Control::GadgetPaletteBlue, next.blue);
    window->setControlState(Control::GadgetPalettePriority, entry.priority ? 1 : 0);
    const int secondByte = (entry.priority ? palette::NEXT_PRIORITY_BIT : 0) | entry.nextBlueBit;
    window->setControlText(Control::GadgetPaletteNextBytes, QStringLiteral("Next bytes: %1 %2 (RRRGGGBB P000000B)")
                                                                .arg(hexByte(entry.nextColourByte), hexByte(secondByte)));
    const int colour = toolkit::rgbColour(entry.red, entry.green, entry.blue);
    QString screen = QStringLiteral("Screen colour: #%1%2%3 (%4, %5, %6)")
                         .arg(hexDigits(entry.red), hexDigits(entry.green), hexDigits(entry.blue))
                         .arg(entry.red)
                         .arg(entry.green)
                         .arg(entry.blue);
    const palette::PaletteEntry onLevels = palette::entryFromNextComponents(next, entry.priority, selected);
    if (onLevels.red != entry.red || onLevels.green != entry.green || onLevels.blue != entry.blue)
        screen += QStringLiteral("\nexact colour from the file; an edit puts it on the Next's levels");
    window->setControlText(Control::GadgetPaletteScreenColour, screen);
    if (toolkit::Canvas* swatch = viewCanvas(window, Control::GadgetPaletteSwatch))
        swatch->fillBox(0, 0, SWATCH_W, SWATCH_H, colour);
}

}  // namespace ui
