#include "app/commands.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "toolkit/dialogs.h"
#include "app/file_commands.h"
#include "app/four_bit.h"
#include "app/import_page.h"
#include "app/mouse_tools.h"
#include "app/output_page.h"
#include "app/palette_page.h"
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
    const int before = p.model.currentSprite;
    if (!p.model.removeLastSprite()) return;
    showSpriteCount(p);
    if (p.model.currentSprite != before) {
        drawEditorGrid(p);
        countColours(p);
    }
}

void clearCurrentSprite(Program& p) {
    p.state.clearValue = p.model.transparentValue();
    p.model.clearCurrentSprite();
    // Drawn the way the grid draws 0xE3, so picture and cells agree.
    drawEditorGrid(p);
    showSpriteCount(p);
}

void clearSpriteSheet(Program& p) {
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

// On the "Palette" page the undo key takes back palette edits; everywhere else strokes.
void undo(Program& p) {
    if (onPalettePage(p)) {
        undoPaletteEdit(p);
        return;
    }
    if (p.model.undo()) drawEditorGrid(p);
}

void redoOnPalettePage(Program& p) {
    if (onPalettePage(p)) redoPaletteEdit(p);
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
    if (page == ui::PagePalette) showPalettePage(p);
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
// The registry: every command the window can raise, one row each.

using Event = ui::ControlEvent;

void rotate(Program& p) { transform(p, model::rotateClockwise); }
void mirror(Program& p) { transform(p, model::mirrorLeftRight); }
void flip(Program& p) { transform(p, model::flipTopBottom); }
void scrollRight(Program& p) { transform(p, model::scrollRight); }
void scrollLeft(Program& p) { transform(p, model::scrollLeft); }
void scrollUp(Program& p) { transform(p, model::scrollUp); }
void scrollDown(Program& p) { transform(p, model::scrollDown); }
void loadSheet(Program& p) { loadSpriteSheet(p, QString(), true); }
void resizeRaw(Program& p) { chooseResizeMode(p, false); }
void resizeSmooth(Program& p) { chooseResizeMode(p, true); }
void previewListedFile(Program& p) { fileListEvent(p, Event::Click); }
void loadListedFile(Program& p) { fileListEvent(p, Event::DoubleClick); }

constexpr auto CTRL = Qt::ControlModifier;
const QKeyCombination KEYPAD_PLUS(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus);

Trigger menu(int number) { return {Trigger::Menu, number, {}, {}, {}}; }
Trigger key(int number, QKeyCombination keys) { return {Trigger::Shortcut, number, keys, {}, {}}; }
Trigger popup(int number) { return {Trigger::Popup, number, {}, {}, {}}; }
Trigger control(Control id) { return {Trigger::Control, -1, {}, id, {}}; }
Trigger control(Control id, Event event) { return {Trigger::Control, -1, {}, id, event}; }

const Question NO_QUESTION{};

const std::vector<CommandRow> ROWS = {
    // id                  raised by                                                   confirmation  command
    {"quit",               {menu(ui::MenuQuit)},                                          NO_QUESTION, quit},
    {"about",              {menu(ui::MenuFileAbout), menu(ui::MenuAbout)},                NO_QUESTION, showAbout},
    {"cut",                {menu(ui::MenuCut), key(ui::ShortcutCut, CTRL | Qt::Key_X)},   NO_QUESTION, cutBlock},
    {"copy",               {menu(ui::MenuCopy), key(ui::ShortcutCopy, CTRL | Qt::Key_C), control(Control::GadgetCopy)},
                                                                                          NO_QUESTION, copyBlock},
    {"paste",              {menu(ui::MenuPaste), key(ui::ShortcutPaste, CTRL | Qt::Key_V), control(Control::GadgetPaste)},
                                                                                          NO_QUESTION, pasteBlock},
    {"previousSprite",     {key(ui::ShortcutPreviousSprite, CTRL | Qt::Key_Left), control(Control::GadgetPrevSprite)},
                                                                                          NO_QUESTION, previousSprite},
    {"nextSprite",         {key(ui::ShortcutNextSprite, CTRL | Qt::Key_Right), control(Control::GadgetNextSprite)},
                                                                                          NO_QUESTION, nextSprite},
    // The keypad plus is bound twice; the later number is the one it raises.
    {"addSprite",          {key(ui::ShortcutAddSprite, KEYPAD_PLUS), key(ui::ShortcutAddSpriteAgain, KEYPAD_PLUS),
                            control(Control::GadgetAddSprite)},                           NO_QUESTION, addSprite},
    {"removeLastSprite",   {control(Control::GadgetRemoveSprite)},
                           {"Remove LAST sprite", "This will remove the last sprite?"},             removeLastSprite},
    {"clearSprite",        {control(Control::GadgetClear)},
                           {"Clear CURRENT sprite", "This will clear current sprite?"},            clearCurrentSprite},
    {"clearSheet",         {control(Control::GadgetClearSheet)},
                           {"Clear Sprites?", "This will clear all sprites!"},                     clearSpriteSheet},
    {"rotate",             {key(ui::ShortcutRotate, CTRL | Qt::Key_R), control(Control::GadgetRotate)},
                                                                                          NO_QUESTION, rotate},
    {"mirror",             {key(ui::ShortcutMirror, CTRL | Qt::Key_F), control(Control::GadgetFlipF)},
                                                                                          NO_QUESTION, mirror},
    {"flip",               {key(ui::ShortcutFlip, CTRL | Qt::Key_H), control(Control::GadgetFlipH)},
                                                                                          NO_QUESTION, flip},
    {"scrollRight",        {key(ui::ShortcutScrollRight, CTRL | Qt::Key_D), control(Control::GadgetRotateRight)},
                                                                                          NO_QUESTION, scrollRight},
    {"scrollLeft",         {key(ui::ShortcutScrollLeft, CTRL | Qt::Key_A), control(Control::GadgetRotateLeft)},
                                                                                          NO_QUESTION, scrollLeft},
    {"scrollUp",           {key(ui::ShortcutScrollUp, CTRL | Qt::Key_W), control(Control::GadgetRotateUp)},
                                                                                          NO_QUESTION, scrollUp},
    {"scrollDown",         {key(ui::ShortcutScrollDown, CTRL | Qt::Key_S), control(Control::GadgetRotateDown)},
                                                                                          NO_QUESTION, scrollDown},
    {"undo",               {key(ui::ShortcutUndo, CTRL | Qt::Key_Z), control(Control::GadgetUndo)},
                                                                                          NO_QUESTION, undo},
    {"redo",               {control(Control::GadgetRedo)},                                NO_QUESTION, redo},
    {"pickColour",         {key(ui::ShortcutPickColour, CTRL | Qt::Key_P)},               NO_QUESTION, pickColour},
    {"dropperToggled",     {control(Control::GadgetDropper)},                             NO_QUESTION, dropperToggled},
    {"fillToggled",        {control(Control::GadgetFill)},                                NO_QUESTION, fillToggled},
    // The switch asks its own question: the text tells what switching this sheet changes.
    {"spriteDepth",        {control(Control::GadgetFourBit)},                             NO_QUESTION, switchSpriteDepth},
    {"bank",               {control(Control::GadgetBank)},                                NO_QUESTION, changeBank},
    {"toggleTransparent",  {control(Control::GadgetShowTransparent)},                     NO_QUESTION, toggleTransparent},
    {"nextPalettePicture", {control(Control::GadgetPalettePicture)},                      NO_QUESTION, nextPalettePicture},
    {"pageChanged",        {control(Control::GadgetTabs)},                                NO_QUESTION, tabChanged},
    {"animationDelay",     {control(Control::GadgetAnimDelay)},                           NO_QUESTION, animationDelay},
    {"loadSheet",          {control(Control::GadgetLoadSheet)},                           NO_QUESTION, loadSheet},
    {"saveAll",            {control(Control::GadgetSaveAll)},                             NO_QUESTION, saveAllSprites},
    {"saveRange",          {control(Control::GadgetSaveRange)},                           NO_QUESTION, saveSpriteRange},
    {"quickSave",          {control(Control::GadgetQuickSave)},                           NO_QUESTION, quickSave},
    {"exportSprite",       {control(Control::GadgetExportSprite)},                        NO_QUESTION, exportSprite},
    {"saveColourPal",      {control(Control::GadgetSavePalette)},                         NO_QUESTION, saveColourPalette},
    {"generateListing",    {control(Control::GadgetGenerate)},                            NO_QUESTION, startAsmListing},
    {"generateFromPopup",  {popup(ui::PopupOutputGenerate)},                              NO_QUESTION, generateAsmListing},
    {"copyListing",        {control(Control::GadgetCopyToClipboard), popup(ui::PopupOutputCopy)},
                                                                                          NO_QUESTION, copyListingSelection},
    {"selectAllListing",   {popup(ui::PopupOutputSelectAll)},                             NO_QUESTION, selectAllListing},
    {"saveListing",        {control(Control::GadgetSaveAsm)},                             NO_QUESTION, saveAsmOutput},
    {"loadImage",          {control(Control::GadgetLoadImage)},                           NO_QUESTION, loadImage},
    {"importSprites",      {control(Control::GadgetImportSprites)},                       NO_QUESTION, importGrab},
    {"exportBitmap",       {control(Control::GadgetExportBmp)},                           NO_QUESTION, exportBitmap},
    {"grabPreview",        {control(Control::GadgetGrabX), control(Control::GadgetGrabY),
                            control(Control::GadgetGrabWidth), control(Control::GadgetGrabHeight)},
                                                                                          NO_QUESTION, grabPreview},
    {"resizeFields",       {control(Control::GadgetResizeWidth), control(Control::GadgetResizeHeight)},
                                                                                          NO_QUESTION, resizeFieldsChanged},
    {"resizeSliders",      {control(Control::GadgetResizeWidthSlider), control(Control::GadgetResizeHeightSlider)},
                                                                                          NO_QUESTION, resizeSlidersMoved},
    {"resizeRaw",          {control(Control::GadgetResizeRaw)},                           NO_QUESTION, resizeRaw},
    {"resizeSmooth",       {control(Control::GadgetResizeSmooth)},                        NO_QUESTION, resizeSmooth},
    {"clearImportCanvas",  {control(Control::GadgetRedShift), control(Control::GadgetGreenShift),
                            control(Control::GadgetBlueShift), control(Control::GadgetNineBit)},
                                                                                          NO_QUESTION, clearImportCanvas},
    {"sheetPreview",       {control(Control::GadgetPreviewButton), control(Control::GadgetSheetCount),
                            control(Control::GadgetSheetWidth), control(Control::GadgetSheetOffset),
                            control(Control::GadgetShowValues)},                          NO_QUESTION, drawSheetPreview},
    {"previewListedFile",  {control(Control::GadgetFileList, Event::Click)},              NO_QUESTION, previewListedFile},
    {"loadListedFile",     {control(Control::GadgetFileList, Event::DoubleClick)},        NO_QUESTION, loadListedFile},
    {"paletteComponents",  {control(Control::GadgetPaletteRed), control(Control::GadgetPaletteGreen),
                            control(Control::GadgetPaletteBlue)},                         NO_QUESTION, editPaletteComponents},
    {"palettePriority",    {control(Control::GadgetPalettePriority)},                     NO_QUESTION, editPalettePriority},
    {"paletteUndo",        {control(Control::GadgetPaletteUndo)},                         NO_QUESTION, undoPaletteEdit},
    {"paletteRedo",        {key(ui::ShortcutPaletteRedo, CTRL | Qt::Key_Y), control(Control::GadgetPaletteRedo)},
                                                                                          NO_QUESTION, redoOnPalettePage},
    {"loadPalette",        {control(Control::GadgetPaletteLoad)},                         NO_QUESTION, loadPalette},
    {"savePalette",        {control(Control::GadgetPaletteSave)},                         NO_QUESTION, savePalette},
    {"savePaletteDefault", {control(Control::GadgetPaletteSaveDefault)},
                           {SAVE_DEFAULT_PALETTE_TITLE, SAVE_DEFAULT_PALETTE_TEXT},                savePaletteAsDefault},
};

// Runs a row: its question first, when it has one, and the command only on Yes.
void run(Program& p, const CommandRow& row) {
    if (row.confirmation.title != nullptr &&
        !confirm(p, QString::fromLatin1(row.confirmation.title), QString::fromLatin1(row.confirmation.text)))
        return;
    row.command(p);
}

// The row a menu, shortcut or pop-up number raises.
const CommandRow* rowForNumber(int number) {
    for (const CommandRow& row : ROWS)
        for (const Trigger& t : row.raisedBy)
            if (t.kind != Trigger::Control && t.number == number) return &row;
    return nullptr;
}

const CommandRow* rowForControl(Control id, Event event) {
    for (const CommandRow& row : ROWS)
        for (const Trigger& t : row.raisedBy)
            if (t.kind == Trigger::Control && t.control == id && (!t.event || *t.event == event)) return &row;
    return nullptr;
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

const std::vector<CommandRow>& commandRows() { return ROWS; }

void registerShortcuts(ui::WindowMain& window) {
    // In number order: a key bound twice keeps the later number.
    std::vector<const Trigger*> keys;
    for (const CommandRow& row : ROWS)
        for (const Trigger& t : row.raisedBy)
            if (t.kind == Trigger::Shortcut) keys.push_back(&t);
    std::stable_sort(keys.begin(), keys.end(), [](const Trigger* a, const Trigger* b) { return a->number < b->number; });
    for (const Trigger* t : keys) window.registerShortcut(QKeySequence(t->key), t->number);
}

void CommandTable::handleMenu(int number) {
    if (const CommandRow* row = rowForNumber(number)) run(program_, *row);
}

void CommandTable::handleControl(ui::Control control, ui::ControlEvent event) {
    if (const CommandRow* row = rowForControl(control, event)) run(program_, *row);
}

void CommandTable::handleCanvas(ui::Control control, const toolkit::CanvasEvent& event) {
    switch (control) {
        case Control::GadgetEditorCanvas: editorCanvasEvent(program_, event); break;
        case Control::GadgetPaletteCanvas: paletteCanvasEvent(program_, event); break;
        case Control::GadgetSlotCanvas: slotCanvasEvent(program_, event); break;
        case Control::GadgetImportCanvas: importCanvasEvent(program_, event); break;
        case Control::GadgetPaletteChart: paletteChartEvent(program_, event); break;
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
