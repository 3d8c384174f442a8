#pragma once
// Names of every control of the main window, the kinds of event a control
// reports, and the numbers of the menu items, pop-up items and keyboard
// shortcuts. The command table dispatches on these; the window only raises them.
#include <array>
#include <string_view>

namespace ui {

// Every control of WindowMain, page by page in creation order, then the
// bottom row: the one list that the enumeration and the name table below are
// made from. GadgetShowValues is created with the fixed control number 0, so
// it comes first and keeps the value 0.
#define VIROROR_CONTROLS(X) \
    X(GadgetShowValues) \
    X(GadgetTabs) \
    /* Page "Design" */ \
    X(GadgetSlotCanvas) \
    X(GadgetLeftColourIndex) \
    X(GadgetRightColourIndex) \
    X(GadgetRgbLabel) \
    X(GadgetEditorCanvas) \
    X(GadgetCopy) \
    X(GadgetAnimationImage) \
    X(GadgetAnimFrame) \
    X(GadgetOfLabel) \
    X(GadgetPaletteCanvas) \
    X(GadgetPrevSprite) \
    X(GadgetNextSprite) \
    X(GadgetSpriteNumber) \
    X(GadgetPreviewCanvas) \
    X(GadgetLeftColourSwatch) \
    X(GadgetSpriteCount) \
    X(GadgetActualSizeCanvas) \
    X(GadgetAnimCount) \
    X(GadgetAnimDelay) \
    X(GadgetRightColourSwatch) \
    X(GadgetAnimCountLabel) \
    X(GadgetDesignFrame) \
    X(GadgetAnimFrameLabel) \
    X(GadgetAnimDelayLabel) \
    X(GadgetPaste) \
    X(GadgetFill) \
    X(GadgetDropper) \
    X(GadgetFlipF) \
    X(GadgetFlipH) \
    X(GadgetRotate) \
    X(GadgetRotateDown) \
    X(GadgetRotateLeft) \
    X(GadgetRotateRight) \
    X(GadgetRotateUp) \
    X(GadgetUndo) \
    X(GadgetRedo) \
    X(GadgetClear) \
    X(GadgetShowTransparent) \
    X(GadgetAddSprite) \
    X(GadgetRemoveSprite) \
    X(GadgetAnchor) \
    X(GadgetPalettePicture) \
    X(GadgetColourCount) \
    X(GadgetArrowLeft) \
    X(GadgetArrowRight) \
    X(GadgetCursorInfo) \
    X(GadgetFourBit) \
    X(GadgetBankLabel) \
    X(GadgetBank) \
    /* Page "Import" */ \
    X(GadgetMirrorFlip) \
    X(GadgetResizeWidthSlider) \
    X(GadgetResizeSmooth) \
    X(GadgetResizeWidth) \
    X(GadgetResizeHeight) \
    X(GadgetGrabXLabel) \
    X(GadgetGrabCanvas) \
    X(GadgetImportCanvas) \
    X(GadgetLoadImage) \
    X(GadgetImportSprites) \
    X(GadgetImportLeftFrame) \
    X(GadgetGrabX) \
    X(GadgetGrabY) \
    X(GadgetGrabWidth) \
    X(GadgetGrabHeight) \
    X(GadgetGrabWidthLabel) \
    X(GadgetGrabYLabel) \
    X(GadgetGrabHeightLabel) \
    X(GadgetResizeWidthLabel) \
    X(GadgetResizeHeightLabel) \
    X(GadgetGrabFrame) \
    X(GadgetImportRightFrame) \
    X(GadgetExportBmp) \
    X(GadgetResizeRaw) \
    X(GadgetResizeModeFrame) \
    X(GadgetResizeHeightSlider) \
    X(GadgetResizeWidthCheck) \
    X(GadgetResizeHeightCheck) \
    X(GadgetResize) \
    X(GadgetNineBit) \
    X(GadgetRedShift) \
    X(GadgetGreenShift) \
    X(GadgetBlueShift) \
    /* Page "Output" */ \
    X(GadgetLabelText) \
    X(GadgetAsmText) \
    X(GadgetGenerate) \
    X(GadgetMapDrawRoutine) \
    X(GadgetSetupCode) \
    X(GadgetSaveAsm) \
    X(GadgetCopyToClipboard) \
    /* Page "Preview" (GadgetShowValues, number 0, is its first control) */ \
    X(GadgetSheetWidth) \
    X(GadgetPreviewButton) \
    X(GadgetPreviewFrame) \
    X(GadgetSheetCanvas) \
    X(GadgetSheetCount) \
    X(GadgetSheetOffset) \
    X(GadgetSheetWidthLabel) \
    X(GadgetSheetCountLabel) \
    X(GadgetSheetOffsetLabel) \
    X(GadgetFileList) \
    /* Page "Palette" */ \
    X(GadgetPaletteChart) \
    X(GadgetPaletteEntryFrame) \
    X(GadgetPaletteEntryLabel) \
    X(GadgetPaletteRedLabel) \
    X(GadgetPaletteRed) \
    X(GadgetPaletteGreenLabel) \
    X(GadgetPaletteGreen) \
    X(GadgetPaletteBlueLabel) \
    X(GadgetPaletteBlue) \
    X(GadgetPalettePriority) \
    X(GadgetPaletteNextBytes) \
    X(GadgetPaletteScreenColour) \
    X(GadgetPaletteSwatch) \
    X(GadgetPaletteUndo) \
    X(GadgetPaletteRedo) \
    X(GadgetPaletteFileFrame) \
    X(GadgetPaletteLoad) \
    X(GadgetPaletteSave) \
    X(GadgetPaletteSaveDefault) \
    /* Bottom row, in the window under the panel */ \
    X(GadgetQuickSave) \
    X(GadgetExportSprite) \
    X(GadgetLoadSheet) \
    X(GadgetSaveAll) \
    X(GadgetClearSheet) \
    X(GadgetSaveRange) \
    X(GadgetRangeFrom) \
    X(GadgetRangeTo) \
    X(GadgetSavePalette)

enum class Control {
#define VIROROR_CONTROL_ENUM(name) name,
    VIROROR_CONTROLS(VIROROR_CONTROL_ENUM)
#undef VIROROR_CONTROL_ENUM
    Count  // number of controls, not a control
};

inline constexpr int CONTROL_COUNT = static_cast<int>(Control::Count);

// What happened to a control. Canvases report their mouse events separately
// (WindowMain::canvasEvent); the file list reports Click and DoubleClick;
// buttons, check boxes and option buttons Click; spin boxes, text fields,
// track bars and the tab panel Change.
enum class ControlEvent { Click, DoubleClick, Change };

// The control's name as the program's tables write it ("GadgetEditorCanvas").
std::string_view controlName(Control control);

// Menu bar items: the number is the menu event the item raises.
inline constexpr int MenuQuit = 0;
inline constexpr int MenuFileAbout = 1;
inline constexpr int MenuCut = 2;
inline constexpr int MenuCopy = 3;
inline constexpr int MenuPaste = 4;
inline constexpr int MenuAbout = 5;

// Menu events raised by the keyboard shortcuts (all with Ctrl).
inline constexpr int ShortcutPreviousSprite = 100;   // Ctrl+Left
inline constexpr int ShortcutNextSprite = 101;       // Ctrl+Right
inline constexpr int ShortcutAddSprite = 102;        // Ctrl+keypad plus, first registration
inline constexpr int ShortcutRotate = 200;           // Ctrl+R
inline constexpr int ShortcutMirror = 201;           // Ctrl+F
inline constexpr int ShortcutFlip = 202;             // Ctrl+H
inline constexpr int ShortcutScrollRight = 203;      // Ctrl+D
inline constexpr int ShortcutScrollLeft = 204;       // Ctrl+A
inline constexpr int ShortcutScrollUp = 205;         // Ctrl+W
inline constexpr int ShortcutScrollDown = 206;       // Ctrl+S
inline constexpr int ShortcutUndo = 207;             // Ctrl+Z
inline constexpr int ShortcutCut = 208;              // Ctrl+X
inline constexpr int ShortcutCopy = 209;             // Ctrl+C
inline constexpr int ShortcutPaste = 210;            // Ctrl+V
inline constexpr int ShortcutAddSpriteAgain = 211;   // Ctrl+keypad plus, second registration (wins)
inline constexpr int ShortcutPickColour = 212;       // Ctrl+P
inline constexpr int ShortcutPaletteRedo = 213;      // Ctrl+Y, on the "Palette" page

// Pop-up menu PopupOutput of the listing area and its items.
inline constexpr int PopupOutputMenu = 20;
inline constexpr int PopupOutputCopy = 300;
inline constexpr int PopupOutputSelectAll = 301;
inline constexpr int PopupOutputGenerate = 302;

// Sizes the window's layout and the commands agree on.
inline constexpr int CLIENT_WIDTH = 1150;  // the client area under the menu bar
inline constexpr int CLIENT_HEIGHT = 660;
inline constexpr int IMPORT_CANVAS_WIDTH = 512;  // GadgetImportCanvas, the one store of a loaded picture
inline constexpr int IMPORT_CANVAS_HEIGHT = 384;
inline constexpr int GRAB_AREA_WIDTH = 512;  // what the grab preview draws on GadgetGrabCanvas
inline constexpr int GRAB_AREA_HEIGHT = 128;

// The pages of GadgetTabs.
inline constexpr int PageDesign = 0;
inline constexpr int PageImport = 1;
inline constexpr int PageOutput = 2;
inline constexpr int PagePreview = 3;
inline constexpr int PageTiles = 4;
inline constexpr int PagePalette = 5;
inline constexpr int PAGE_COUNT = 6;

}  // namespace ui
