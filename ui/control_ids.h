#pragma once
// Names of every control of the main window, the kinds of event a control
// reports, and the numbers of the menu items, pop-up items and keyboard
// shortcuts. The command table dispatches on these; the window only raises them.
#include <array>
#include <string_view>

namespace ui {

// Every control of WindowMain, page by page in creation order, then the
// bottom row. GadgetShowValues is created with the fixed control number 0,
// so it keeps the value 0 here too.
enum class Control {
    GadgetShowValues = 0,
    GadgetTabs,

    // Page "Design"
    GadgetSlotCanvas,
    GadgetLeftColourIndex,
    GadgetRightColourIndex,
    GadgetRgbLabel,
    GadgetEditorCanvas,
    GadgetCopy,
    GadgetAnimationImage,
    GadgetAnimFrame,
    GadgetOfLabel,
    GadgetPaletteCanvas,
    GadgetPrevSprite,
    GadgetNextSprite,
    GadgetSpriteNumber,
    GadgetPreviewCanvas,
    GadgetLeftColourSwatch,
    GadgetSpriteCount,
    GadgetActualSizeCanvas,
    GadgetAnimCount,
    GadgetAnimDelay,
    GadgetRightColourSwatch,
    GadgetAnimCountLabel,
    GadgetDesignFrame,
    GadgetAnimFrameLabel,
    GadgetAnimDelayLabel,
    GadgetPaste,
    GadgetFill,
    GadgetDropper,
    GadgetFlipF,
    GadgetFlipH,
    GadgetRotate,
    GadgetRotateDown,
    GadgetRotateLeft,
    GadgetRotateRight,
    GadgetRotateUp,
    GadgetUndo,
    GadgetRedo,
    GadgetClear,
    GadgetShowTransparent,
    GadgetAddSprite,
    GadgetRemoveSprite,
    GadgetAnchor,
    GadgetPalettePicture,
    GadgetColourCount,
    GadgetArrowLeft,
    GadgetArrowRight,
    GadgetCursorInfo,

    // Page "Import"
    GadgetMirrorFlip,
    GadgetResizeWidthSlider,
    GadgetResizeSmooth,
    GadgetResizeWidth,
    GadgetResizeHeight,
    GadgetGrabXLabel,
    GadgetGrabCanvas,
    GadgetImportCanvas,
    GadgetLoadImage,
    GadgetImportSprites,
    GadgetImportLeftFrame,
    GadgetGrabX,
    GadgetGrabY,
    GadgetGrabWidth,
    GadgetGrabHeight,
    GadgetGrabWidthLabel,
    GadgetGrabYLabel,
    GadgetGrabHeightLabel,
    GadgetResizeWidthLabel,
    GadgetResizeHeightLabel,
    GadgetGrabFrame,
    GadgetImportRightFrame,
    GadgetExportBmp,
    GadgetResizeRaw,
    GadgetResizeModeFrame,
    GadgetResizeHeightSlider,
    GadgetResizeWidthCheck,
    GadgetResizeHeightCheck,
    GadgetResize,
    GadgetNineBit,
    GadgetRedShift,
    GadgetGreenShift,
    GadgetBlueShift,

    // Page "Output"
    GadgetLabelText,
    GadgetAsmText,
    GadgetGenerate,
    GadgetMapDrawRoutine,
    GadgetSetupCode,
    GadgetSaveAsm,
    GadgetCopyToClipboard,

    // Page "Preview" (GadgetShowValues, number 0, is its first control)
    GadgetSheetWidth,
    GadgetPreviewButton,
    GadgetPreviewFrame,
    GadgetSheetCanvas,
    GadgetSheetCount,
    GadgetSheetOffset,
    GadgetSheetWidthLabel,
    GadgetSheetCountLabel,
    GadgetSheetOffsetLabel,
    GadgetFileList,

    // Bottom row, in the window under the panel
    GadgetQuickSave,
    GadgetExportSprite,
    GadgetLoadSheet,
    GadgetSaveAll,
    GadgetClearSheet,
    GadgetSaveRange,
    GadgetRangeFrom,
    GadgetRangeTo,
    GadgetSavePalette,

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

// Pop-up menu PopupOutput of the listing area and its items.
inline constexpr int PopupOutputMenu = 20;
inline constexpr int PopupOutputCopy = 300;
inline constexpr int PopupOutputSelectAll = 301;
inline constexpr int PopupOutputGenerate = 302;

// The pages of GadgetTabs.
inline constexpr int PageDesign = 0;
inline constexpr int PageImport = 1;
inline constexpr int PageOutput = 2;
inline constexpr int PagePreview = 3;
inline constexpr int PageTiles = 4;
inline constexpr int PagePalette = 5;

}  // namespace ui
