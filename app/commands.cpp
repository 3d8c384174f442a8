#include "app/commands.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <functional>
#include <map>

#include "toolkit/dialogs.h"
#include "app/file_commands.h"
#include "app/import_page.h"
#include "app/mouse_tools.h"
#include "app/output_page.h"
#include "app/program.h"
#include "toolkit/text_number.h"
#include "model/transformations.h"
#include "app/redraw.h"
#include "app/texts.h"
#include "app/window_text.h"
#include "ui/window_main.h"

namespace app {

namespace {

using ui::Control;
using ui::ControlEvent;

// ---------------------------------------------------------------------------
// The commands. Each asks its confirmation, changes the model, redraws what
// changed and sets its status text.

ui::WindowMain& window(Program& p) { return *p.window; }

bool confirm(Program& p, const char* title, const char* text) {
    return confirm(p, QString::fromLatin1(title), QString::fromLatin1(text));
}

void status(Program& p, const char* text) { setStatus(p, QString::fromLatin1(text)); }

void transform(Program& p, void (*operation)(model::SpriteGrid&)) {
    operation(p.model.grid);
    drawEditorGrid(p);
}

void previousSprite(Program& p) {
    if (!p.model.canStepBack()) return;
    p.model.previousSprite();
    drawEditorGrid(p);
    countColours(p);
}

void nextSprite(Program& p) {
    if (!p.model.canStepForward()) return;
    p.model.nextSprite();
    drawEditorGrid(p);
    countColours(p);
}

void addSprite(Program& p) {
    if (!p.model.addSprite()) return;
    showSpriteCount(p);
    drawEditorGrid(p);
    countColours(p);
}

void removeLastSprite(Program& p) {
    if (!confirm(p, "Remove LAST sprite", "This will remove the last sprite?")) return;
    const int before = p.model.currentSprite;
    if (!p.model.removeLastSprite()) return;
    showSpriteCount(p);
    if (p.model.currentSprite != before) {
        drawEditorGrid(p);
        countColours(p);
    }
}

void clearCurrentSprite(Program& p) {
    if (!confirm(p, "Clear CURRENT sprite", "This will clear current sprite?")) return;
    p.state.clearValue = model::TRANSPARENT_INDEX;
    p.model.clearCurrentSprite();
    // Drawn the way the grid draws 0xE3, so picture and cells agree.
    drawEditorGrid(p);
    showSpriteCount(p);
}

void clearSpriteSheet(Program& p) {
    if (!confirm(p, "Clear Sprites?", "This will clear all sprites!")) return;
    window(p).setControlText(Control::GadgetOfLabel, QStringLiteral("of"));
    p.model.resetSheet();
    clearDesignViews(p);
    // The slots keep their colours, so the strip shows them again.
    drawColourSlots(p);
    window(p).resetPopupOutput();
    showSpriteCount(p);
    setSpin(p, Control::GadgetAnimFrame, 1);
    setSpin(p, Control::GadgetAnimCount, 1);
}

void undo(Program& p) {
    if (p.model.undo()) drawEditorGrid(p);
}

void redo(Program& p) {
    if (p.model.redo()) drawEditorGrid(p);
}

void copyBlock(Program& p) {
    p.model.copyBlock();
    drawEditorGrid(p);
    status(p, "Block copied");
}

void cutBlock(Program& p) {
    p.model.cutBlock();
    drawEditorGrid(p);
    status(p, "Block cut to clipboard");
}

void pasteBlock(Program& p) {
    p.model.pasteBlock();
    drawEditorGrid(p);
    status(p, "Block pasted");
}

void pickColour(Program& p) {
    status(p, "Picking colour...");
    window(p).setControlState(Control::GadgetDropper, 1);
}

void dropperToggled(Program& p) {
    if (window(p).controlState(Control::GadgetDropper) == 1) status(p, "Picking colour...");
}

void fillToggled(Program& p) {
    if (window(p).controlState(Control::GadgetFill) == 1) status(p, "Fill colour...");
}

void toggleTransparent(Program& p) {
    p.state.showTransparent = 1 - p.state.showTransparent;
    drawEditorGrid(p);
}

void nextPalettePicture(Program& p) {
    p.state.palettePictureIndex += 1;
    if (p.state.palettePictureIndex > p.state.palettePictureMax) p.state.palettePictureIndex = 0;
    showPalettePicture(p);
}

void tabChanged(Program& p) {
    const int page = window(p).controlState(Control::GadgetTabs);
    if (page != p.state.lastTab) window(p).setStatus(QStringLiteral("Ready..."), 0);
    if (p.state.lastTab != ui::PagePreview) drawSheetPreview(p);
    p.state.lastTab = page;
}

void animationDelay(Program& p) {
    const int delay = numberIn(p, Control::GadgetAnimDelay);
    if (delay > 0 && p.animationTimer) p.animationTimer->start(delay);
}

// The grab values: corner and block count of the import, read from their fields.
void grabPreview(Program& p) {
    drawGrabPreview(p, numberIn(p, Control::GadgetGrabX), numberIn(p, Control::GadgetGrabY),
                        numberIn(p, Control::GadgetGrabWidth), numberIn(p, Control::GadgetGrabHeight));
}

void resizeFieldsChanged(Program& p) {
    window(p).setControlState(Control::GadgetResizeWidthSlider, numberIn(p, Control::GadgetResizeWidth));
    window(p).setControlState(Control::GadgetResizeHeightSlider, numberIn(p, Control::GadgetResizeHeight));
    grabPreview(p);
}

void resizeSlidersMoved(Program& p) {
    const int width = window(p).controlState(Control::GadgetResizeWidthSlider);
    const int height = window(p).controlState(Control::GadgetResizeHeightSlider);
    setSpin(p, Control::GadgetResizeWidth, 0);
    window(p).setControlText(Control::GadgetResizeWidth, QString::number(width));
    setSpin(p, Control::GadgetResizeHeight, 0);
    window(p).setControlText(Control::GadgetResizeHeight, QString::number(height));
    grabPreview(p);
}

void chooseResizeMode(Program& p, bool smooth) {
    window(p).setControlState(Control::GadgetResizeSmooth, smooth ? 1 : 0);
    window(p).setControlState(Control::GadgetResizeRaw, smooth ? 0 : 1);
    grabPreview(p);
}

void loadImage(Program& p) {
    loadImportImage(p, QString());
    grabPreview(p);
}

void importGrab(Program& p) {
    importSprites(p, numberIn(p, Control::GadgetGrabX), numberIn(p, Control::GadgetGrabY),
                  numberIn(p, Control::GadgetGrabWidth), numberIn(p, Control::GadgetGrabHeight));
    setSpin(p, Control::GadgetAnimFrame, 1);
    setSpin(p, Control::GadgetAnimCount, 1);
}

void fileListEvent(Program& p, ControlEvent event) {
    drawSheetPreview(p);
    const QString selected = window(p).selectedFileName();
    if (selected.isEmpty()) return;
    const QString name = window(p).fileListDirectory() + selected;
    if (event == ControlEvent::Click) {
        const QFileInfo info(name);
        if (info.isFile() && info.size() > 0) drawFilePreview(p, name);
    } else if (event == ControlEvent::DoubleClick) {
        loadSpriteSheet(p, name, false);
        drawSheetPreview(p);
    }
}

void showAbout(Program& p) {
    p.dialogs->message(QStringLiteral("About Viroror"),
                       titlePrefix() + QStringLiteral("\nSprite editor for the ZX Spectrum Next."));
}

void quit(Program& p) {
    // Ends the run at once: nothing is asked and nothing is saved.
    window(p).close();
    QCoreApplication::quit();
}

// ---------------------------------------------------------------------------
// The table. Every menu number (menus, pop-up items, shortcuts) and every
// control that does something has exactly one row here.

using Command = std::function<void(Program&)>;

const std::map<int, Command>& menuTable() {
    static const std::map<int, Command> table = {
        {ui::MenuQuit, quit},
        {ui::MenuFileAbout, showAbout},
        {ui::MenuCut, cutBlock},  // "Cut" cuts, like Ctrl+X
        {ui::MenuCopy, copyBlock},
        {ui::MenuPaste, pasteBlock},
        {ui::MenuAbout, showAbout},
        {ui::ShortcutPreviousSprite, previousSprite},
        {ui::ShortcutNextSprite, nextSprite},
        {ui::ShortcutAddSprite, addSprite},
        {ui::ShortcutAddSpriteAgain, addSprite},
        {ui::ShortcutRotate, [](Program& p) { transform(p, model::rotateClockwise); }},
        {ui::ShortcutMirror, [](Program& p) { transform(p, model::mirrorLeftRight); }},
        {ui::ShortcutFlip, [](Program& p) { transform(p, model::flipTopBottom); }},
        {ui::ShortcutScrollRight, [](Program& p) { transform(p, model::scrollRight); }},
        {ui::ShortcutScrollLeft, [](Program& p) { transform(p, model::scrollLeft); }},
        {ui::ShortcutScrollUp, [](Program& p) { transform(p, model::scrollUp); }},
        {ui::ShortcutScrollDown, [](Program& p) { transform(p, model::scrollDown); }},
        {ui::ShortcutUndo, undo},
        {ui::ShortcutCut, cutBlock},
        {ui::ShortcutCopy, copyBlock},
        {ui::ShortcutPaste, pasteBlock},
        {ui::ShortcutPickColour, pickColour},
        {ui::PopupOutputCopy, copyListingSelection},
        {ui::PopupOutputSelectAll, selectAllListing},
        {ui::PopupOutputGenerate, generateAsmListing},
    };
    return table;
}

using ControlCommand = std::function<void(Program&, ControlEvent)>;

// Most controls run their command on any event; the file list tells click from double click.
ControlCommand any(Command command) {
    return [command](Program& p, ControlEvent) { command(p); };
}

const std::map<Control, ControlCommand>& controlTable() {
    static const std::map<Control, ControlCommand> table = {
        {Control::GadgetTabs, any(tabChanged)},
        {Control::GadgetExportSprite, any(exportSprite)},
        {Control::GadgetClearSheet, any(clearSpriteSheet)},
        {Control::GadgetClear, any(clearCurrentSprite)},
        {Control::GadgetFlipF, any([](Program& p) { transform(p, model::mirrorLeftRight); })},
        {Control::GadgetFlipH, any([](Program& p) { transform(p, model::flipTopBottom); })},
        {Control::GadgetRotateRight, any([](Program& p) { transform(p, model::scrollRight); })},
        {Control::GadgetRotateLeft, any([](Program& p) { transform(p, model::scrollLeft); })},
        {Control::GadgetRotateUp, any([](Program& p) { transform(p, model::scrollUp); })},
        {Control::GadgetRotateDown, any([](Program& p) { transform(p, model::scrollDown); })},
        {Control::GadgetRotate, any([](Program& p) { transform(p, model::rotateClockwise); })},
        {Control::GadgetUndo, any(undo)},
        {Control::GadgetRedo, any(redo)},
        {Control::GadgetCopy, any(copyBlock)},
        {Control::GadgetDropper, any(dropperToggled)},
        {Control::GadgetPaste, any(pasteBlock)},
        {Control::GadgetLoadSheet, any([](Program& p) { loadSpriteSheet(p, QString(), true); })},
        {Control::GadgetSaveAll, any(saveAllSprites)},
        {Control::GadgetSavePalette, any(saveColourPalette)},
        {Control::GadgetNextSprite, any(nextSprite)},
        {Control::GadgetPrevSprite, any(previousSprite)},
        {Control::GadgetShowTransparent, any(toggleTransparent)},
        {Control::GadgetAddSprite, any(addSprite)},
        {Control::GadgetRemoveSprite, any(removeLastSprite)},
        {Control::GadgetGenerate, any(startAsmListing)},
        {Control::GadgetSaveAsm, any(saveAsmOutput)},
        {Control::GadgetLoadImage, any(loadImage)},
        {Control::GadgetImportSprites, any(importGrab)},
        {Control::GadgetGrabX, any(grabPreview)},
        {Control::GadgetGrabY, any(grabPreview)},
        {Control::GadgetGrabWidth, any(grabPreview)},
        {Control::GadgetGrabHeight, any(grabPreview)},
        {Control::GadgetResizeWidth, any(resizeFieldsChanged)},
        {Control::GadgetResizeHeight, any(resizeFieldsChanged)},
        {Control::GadgetResizeWidthSlider, any(resizeSlidersMoved)},
        {Control::GadgetResizeHeightSlider, any(resizeSlidersMoved)},
        {Control::GadgetResizeRaw, any([](Program& p) { chooseResizeMode(p, false); })},
        {Control::GadgetResizeSmooth, any([](Program& p) { chooseResizeMode(p, true); })},
        {Control::GadgetRedShift, any(clearImportCanvas)},
        {Control::GadgetGreenShift, any(clearImportCanvas)},
        {Control::GadgetBlueShift, any(clearImportCanvas)},
        {Control::GadgetNineBit, any(clearImportCanvas)},
        {Control::GadgetExportBmp, any(exportBitmap)},
        {Control::GadgetAnimDelay, any(animationDelay)},
        {Control::GadgetPreviewButton, any(drawSheetPreview)},
        {Control::GadgetSheetCount, any(drawSheetPreview)},
        {Control::GadgetSheetWidth, any(drawSheetPreview)},
        {Control::GadgetSheetOffset, any(drawSheetPreview)},
        {Control::GadgetShowValues, any(drawSheetPreview)},
        {Control::GadgetFill, any(fillToggled)},
        {Control::GadgetCopyToClipboard, any(copyListingSelection)},
        {Control::GadgetPalettePicture, any(nextPalettePicture)},
        {Control::GadgetQuickSave, any(quickSave)},
        {Control::GadgetSaveRange, any(saveSpriteRange)},
        {Control::GadgetFileList, fileListEvent},
    };
    return table;
}

}  // namespace

CommandTable::CommandTable(Program& program, QObject* parent) : QObject(parent), program_(program) {}

void CommandTable::connectWindow() {
    ui::WindowMain* w = program_.window;
    connect(w, &ui::WindowMain::menuEvent, this, &CommandTable::handleMenu);
    connect(w, &ui::WindowMain::controlEvent, this, &CommandTable::handleControl);
    connect(w, &ui::WindowMain::canvasEvent, this, &CommandTable::handleCanvas);
    connect(w, &ui::WindowMain::filesDropped, this, &CommandTable::handleDrop);
    connect(w, &ui::WindowMain::outputContextMenuRequested, w, &ui::WindowMain::showPopupOutput);
    if (program_.animationTimer)
        connect(program_.animationTimer, &QTimer::timeout, this, &CommandTable::animationTick);
}

void CommandTable::handleMenu(int number) {
    const auto& table = menuTable();
    if (auto row = table.find(number); row != table.end()) row->second(program_);
}

void CommandTable::handleControl(ui::Control control, ui::ControlEvent event) {
    const auto& table = controlTable();
    if (auto row = table.find(control); row != table.end()) row->second(program_, event);
}

void CommandTable::handleCanvas(ui::Control control, const toolkit::CanvasEvent& event) {
    switch (control) {
        case Control::GadgetEditorCanvas: editorCanvasEvent(program_, event); break;
        case Control::GadgetPaletteCanvas: paletteCanvasEvent(program_, event); break;
        case Control::GadgetSlotCanvas: slotCanvasEvent(program_, event); break;
        case Control::GadgetImportCanvas: importCanvasEvent(program_, event); break;
        default: break;  // the other canvases only show pictures
    }
}

void CommandTable::handleDrop(const QStringList& files) {
    // Several files dropped at once: the first one is loaded.
    if (files.isEmpty()) return;
    loadDroppedImage(program_, files);
    grabPreview(program_);
}

void CommandTable::animationTick() {
    ProgramState& s = program_.state;
    s.animationFrame += 1;
    const long long first = numberIn(program_, Control::GadgetAnimFrame);
    const long long count = numberIn(program_, Control::GadgetAnimCount);
    // Only the upper end is checked: a frame below the range climbs into it.
    if (s.animationFrame > first + count - 1) s.animationFrame = static_cast<int>(first);
    showAnimationFrame(program_);
}

}  // namespace app
