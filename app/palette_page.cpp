#include "app/palette_page.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <array>
#include <utility>

#include "app/program.h"
#include "app/redraw.h"
#include "app/texts.h"
#include "app/window_text.h"
#include "io/palette_save.h"
#include "palette/palette_file.h"
#include "palette/palette_formats.h"
#include "toolkit/dialogs.h"
#include "toolkit/paths.h"
#include "ui/window_main.h"

namespace app {

namespace {

using ui::Control;
using palette::PaletteFormat;

// The save dialog's filter pairs in order (SAVE_PALETTE_DIALOG_FILTER) and the
// extension a name typed without one gets.
struct SaveLayout {
    PaletteFormat format;
    const char* extension;
};
constexpr std::array<SaveLayout, 5> SAVE_LAYOUTS = {{
    {PaletteFormat::Rgb24, ".pal"},
    {PaletteFormat::Next9Bit, ".nxp"},
    {PaletteFormat::Next9BitTransparent, ".npl"},
    {PaletteFormat::Gimp, ".gpl"},
    {PaletteFormat::Jasc, ".jasc"},
}};

constexpr int CHART_ROW = 16;
constexpr int LAST_ENTRY = palette::PALETTE_SIZE - 1;

// Colour slots hold copies of entries: the slots of entries whose colour changed
// take the new colour, so the strip and a slot's left colour show it.
void refreshSlots(Program& p, const palette::Palette& before) {
    for (palette::PaletteEntry& slot : p.colourSlots) {
        if (slot.paletteIndex < 0 || static_cast<std::size_t>(slot.paletteIndex) >= p.palette.size()) continue;
        const auto index = static_cast<std::size_t>(slot.paletteIndex);
        const palette::PaletteEntry& now = p.palette[index];
        if (index < before.size() && before[index] == now) continue;
        slot.red = now.red;
        slot.green = now.green;
        slot.blue = now.blue;
        slot.nextColourByte = now.nextColourByte;
        slot.nextBlueBit = now.nextBlueBit;
        slot.priority = now.priority;
    }
}

// Puts `next` in place and redraws everything drawn in palette colours; the sprite
// bytes are left alone, so only the colours change.
void showPalette(Program& p, palette::Palette next) {
    const palette::Palette before = std::exchange(p.palette, std::move(next));
    refreshSlots(p, before);
    redrawInPaletteColours(p);
}

}  // namespace

void redrawInPaletteColours(Program& p) {
    drawColourSlots(p);
    showLeftColour(p, p.state.leftColour);
    showRightColour(p, p.state.rightColour);
    drawEditorGrid(p);
    drawSpritePictures(p);
    showAnimationFrame(p);
    if (p.state.paletteChartShown) drawPaletteChart(p);
    if (p.state.previewedFile.isEmpty()) {
        drawSheetPreview(p);
    } else {
        drawFilePreview(p, p.state.previewedFile);
    }
    showPalettePage(p);
}

namespace {

const palette::PaletteEntry& selectedEntry(const Program& p) {
    return p.palette[static_cast<std::size_t>(p.palettePage.selected)];
}

void replaceSelected(Program& p, const palette::PaletteEntry& entry) {
    std::vector<palette::PaletteEntry> entries = p.palette.entries();
    entries[static_cast<std::size_t>(p.palettePage.selected)] = entry;
    changePalette(p, palette::Palette(std::move(entries)));
}

// A component field's number, 0 to 7; a number past 7 is shown as the 7 it means.
int componentIn(Program& p, Control field) {
    const int typed = numberIn(p, field);
    const int value = std::clamp(typed, 0, 7);
    if (value != typed) p.window->setControlText(field, QString::number(value));
    return value;
}

void select(Program& p, int entry) {
    p.palettePage.selected = std::clamp(entry, 0, LAST_ENTRY);
    showPalettePage(p);
}

// An undo (from the undo steps to the redo steps) or a redo (the other way round).
void stepHistory(Program& p, std::vector<palette::Palette>& from, std::vector<palette::Palette>& to) {
    if (from.empty()) return;
    to.push_back(p.palette);
    palette::Palette target = std::move(from.back());
    from.pop_back();
    showPalette(p, std::move(target));
}

}  // namespace

bool onPalettePage(const Program& p) {
    return p.window != nullptr && p.window->controlState(Control::GadgetTabs) == ui::PagePalette;
}

void showPalettePage(Program& p) { p.views.drawPalettePage(p.palette, p.palettePage.selected); }

void changePalette(Program& p, palette::Palette next) {
    if (next.entries() == p.palette.entries()) return;
    PalettePage& page = p.palettePage;
    page.undoSteps.push_back(p.palette);
    if (page.undoSteps.size() > PALETTE_UNDO_STEPS) page.undoSteps.erase(page.undoSteps.begin());
    page.redoSteps.clear();
    showPalette(p, std::move(next));
}

void paletteChartEvent(Program& p, const toolkit::CanvasEvent& event) {
    using Type = toolkit::CanvasEvent::Type;
    if (event.type == Type::LeftDown) {
        const int entry = ui::Views::paletteChartEntryAt(event.x, event.y);
        if (entry >= 0) select(p, entry);
        return;
    }
    if (event.type != Type::Key) return;
    const int selected = p.palettePage.selected;
    switch (event.key) {
    case Qt::Key_Left: select(p, selected - 1); break;
    case Qt::Key_Right: select(p, selected + 1); break;
    case Qt::Key_Up: select(p, selected >= CHART_ROW ? selected - CHART_ROW : selected); break;
    case Qt::Key_Down: select(p, selected + CHART_ROW <= LAST_ENTRY ? selected + CHART_ROW : selected); break;
    default: break;
    }
}

void editPaletteComponents(Program& p) {
    const palette::NextComponents components{componentIn(p, Control::GadgetPaletteRed),
                                             componentIn(p, Control::GadgetPaletteGreen),
                                             componentIn(p, Control::GadgetPaletteBlue)};
    const palette::PaletteEntry& entry = selectedEntry(p);
    replaceSelected(p, palette::entryFromNextComponents(components, entry.priority, p.palettePage.selected));
}

void editPalettePriority(Program& p) {
    // The colour stays exactly as it is, also a 24-bit one from a file.
    palette::PaletteEntry entry = selectedEntry(p);
    entry.priority = p.window->controlState(Control::GadgetPalettePriority) != 0;
    replaceSelected(p, entry);
}

void undoPaletteEdit(Program& p) { stepHistory(p, p.palettePage.undoSteps, p.palettePage.redoSteps); }

void redoPaletteEdit(Program& p) { stepHistory(p, p.palettePage.redoSteps, p.palettePage.undoSteps); }

void loadPalette(Program& p) {
    const QString name = p.dialogs->openFile(QString::fromLatin1(LOAD_PALETTE_DIALOG_TITLE), p.workingDir,
                                             QString::fromLatin1(LOAD_PALETTE_DIALOG_FILTER));
    if (name.isEmpty()) return;
    auto loaded = palette::loadPaletteFile(toolkit::toPath(name));
    if (!loaded) {
        setStatus(p, paletteLoadFailedStatusText(loaded.error().kind, name), 100);
        return;
    }
    changePalette(p, std::move(loaded->palette));
    setStatus(p, paletteLoadedStatusText(name));
}

void savePalette(Program& p) {
    int chosen = -1;
    QString name = p.dialogs->saveFileWithFilter(QString::fromLatin1(SAVE_PALETTE_DIALOG_TITLE), p.workingDir,
                                                 QString::fromLatin1(SAVE_PALETTE_DIALOG_FILTER), chosen);
    if (name.isEmpty()) return;
    PaletteFormat format = PaletteFormat::Rgb24;
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < SAVE_LAYOUTS.size()) {
        const SaveLayout& layout = SAVE_LAYOUTS[static_cast<std::size_t>(chosen)];
        format = layout.format;
        if (QFileInfo(name).suffix().isEmpty()) name += QString::fromLatin1(layout.extension);
    } else {
        // No filter known (a dialog that does not say): the name's extension decides.
        format = palette::paletteFormatForPath(toolkit::toPath(name)).value_or(PaletteFormat::Rgb24);
    }
    const bool saved = io::savePaletteFile(p.palette, format, toolkit::toPath(name)).ok();
    setStatus(p, saved ? paletteSavedStatusText(name) : paletteSaveFailedStatusText(name), saved ? 0 : 100);
}

void savePaletteAsDefault(Program& p) {
    const QString name = p.workingDir + QString::fromLatin1(palette::PALETTE_FILE_NAME);
    const bool saved = io::savePaletteFile(p.palette, PaletteFormat::Rgb24, toolkit::toPath(name)).ok();
    setStatus(p, saved ? paletteSavedStatusText(name) : paletteSaveFailedStatusText(name), saved ? 0 : 100);
}

}  // namespace app
