// The window's control tables. Each row: name, kind, caption, x, y, w, h,
// options, minimum, maximum, tooltip, icon, font.
#include "ui/window_layout.h"

#include "model/sprite_depth.h"
#include "ui/fonts.h"

#include <array>

namespace ui {
namespace {

using C = Control;
using K = ControlKind;

constexpr int LARGE = static_cast<int>(FontId::FontLarge);
constexpr int MEDIUM = static_cast<int>(FontId::FontMedium);
constexpr int SMALL = static_cast<int>(FontId::FontSmall);
constexpr int TINY = static_cast<int>(FontId::FontTiny);
constexpr int DEF = NO_FONT;

constexpr unsigned CANVAS_CAPTURED = OptCaptured;
constexpr unsigned NUMERIC_READ_ONLY = OptNumeric | OptReadOnly;

constexpr ControlSpec DESIGN[] = {
    {C::GadgetSlotCanvas, K::Canvas, "", 460, 20, 80, 320, CANVAS_CAPTURED, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetLeftColourIndex, K::Label, "", 350, 380, 40, 18, OptCentred, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetRightColourIndex, K::Label, "", 390, 380, 40, 16, OptCentred, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetRgbLabel, K::Label, "RGB: 0,0,0", 360, 510, 90, 18, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetEditorCanvas, K::Canvas, "", 20, 20, 321, 321, CANVAS_CAPTURED, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetCopy, K::ImageButton, "", 350, 20, 40, 40, OptNone, 0, 0, "Copy - (Ctrl+C)", "copy", DEF},
    {C::GadgetAnimationImage, K::ImageBox, "", 372, 410, 64, 64, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetAnimFrame, K::SpinBox, "", 60, 490, 60, 28, OptNumeric, 1, 64, nullptr, nullptr, DEF},
    {C::GadgetOfLabel, K::Label, "of", 150, 360, 20, 18, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetPaletteCanvas, K::Canvas, "", 560, 20, 550, 388, CANVAS_CAPTURED, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetPrevSprite, K::Button, "<<", 20, 350, 35, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetNextSprite, K::Button, ">>", 60, 350, 37, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSpriteNumber, K::TextField, "1", 105, 348, 40, 30, NUMERIC_READ_ONLY, 0, 0, nullptr, nullptr, LARGE},
    {C::GadgetPreviewCanvas, K::Canvas, "", 15, 410, 68, 68, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetLeftColourSwatch, K::Canvas, "", 350, 348, 40, 32, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSpriteCount, K::TextField, "1", 180, 350, 40, 28, NUMERIC_READ_ONLY, 0, 0, nullptr, nullptr, LARGE},
    {C::GadgetActualSizeCanvas, K::Canvas, "", 100, 410, 256, 68, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetAnimCount, K::SpinBox, "", 170, 490, 60, 28, OptNumeric, 1, 64, nullptr, nullptr, DEF},
    {C::GadgetAnimDelay, K::SpinBox, "", 280, 490, 60, 28, OptNumeric, 0, 500, nullptr, nullptr, DEF},
    {C::GadgetRightColourSwatch, K::Canvas, "", 390, 348, 40, 32, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetAnimCountLabel, K::Label, "Count", 130, 500, 40, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetDesignFrame, K::Frame, "", 10, 0, 430, 400, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetAnimFrameLabel, K::Label, "Frame", 20, 500, 40, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetAnimDelayLabel, K::Label, "Delay", 240, 500, 40, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetPaste, K::ImageButton, "", 350, 60, 40, 40, OptNone, 0, 0, nullptr, "paste", DEF},
    {C::GadgetFill, K::ImageButton, "", 350, 100, 40, 40, OptToggle, 0, 0, "Fill ", "fill", DEF},
    {C::GadgetDropper, K::ImageButton, "", 350, 140, 40, 40, OptToggle, 0, 0, "Dropper - (Ctrl+P)", "dropper", DEF},
    {C::GadgetFlipF, K::ImageButton, "", 350, 180, 40, 40, OptNone, 0, 0, "Flip (Ctrl+F)", "mirror", DEF},
    {C::GadgetFlipH, K::ImageButton, "", 390, 180, 40, 40, OptNone, 0, 0, "Flip (Ctrl+H)", "flip", DEF},
    {C::GadgetRotate, K::ImageButton, "", 350, 220, 40, 40, OptNone, 0, 0, "Rotate (Ctrl+R)", "rotate", DEF},
    {C::GadgetRotateDown, K::ImageButton, "", 390, 60, 40, 40, OptNone, 0, 0, "Rotate Down (Ctrl+S)", "down", DEF},
    {C::GadgetRotateLeft, K::ImageButton, "", 390, 100, 40, 40, OptNone, 0, 0, "Rotate Left (Ctrl+A)", "left", DEF},
    {C::GadgetRotateRight, K::ImageButton, "", 390, 140, 40, 40, OptNone, 0, 0, "Rotate Right (Ctrl+D)", "right", DEF},
    {C::GadgetRotateUp, K::ImageButton, "", 390, 20, 40, 40, OptNone, 0, 0, "Rotate Up (Ctrl+W)", "up", DEF},
    {C::GadgetUndo, K::ImageButton, "", 350, 300, 40, 40, OptNone, 0, 0, "Undo (Ctrl+Z)", "undo", DEF},
    {C::GadgetRedo, K::ImageButton, "", 390, 300, 40, 40, OptNone, 0, 0, "Redo", "redo", DEF},
    {C::GadgetClear, K::ImageButton, "", 390, 220, 40, 40, OptNone, 0, 0, "Clear", "bin", DEF},
    {C::GadgetShowTransparent, K::ImageButton, "", 350, 260, 40, 40, OptNone, 0, 0, "Show / Hide Trasparent", "circles", DEF},
    {C::GadgetAddSprite, K::ImageButton, "", 260, 344, 40, 40, OptNone, 0, 0, nullptr, "add", DEF},
    {C::GadgetRemoveSprite, K::ImageButton, "", 300, 344, 40, 40, OptNone, 0, 0, nullptr, "minus", DEF},
    {C::GadgetAnchor, K::ImageButton, "", 390, 260, 40, 40, OptToggle | OptDisabled, 0, 0, nullptr, "anchor", DEF},
    {C::GadgetPalettePicture, K::Button, "Pallete", 470, 490, 90, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetColourCount, K::Label, "Colours : 1", 580, 500, 90, 18, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetArrowLeft, K::ImageButton, "", 460, 344, 40, 40, OptNone, 0, 0, nullptr, "left", DEF},
    {C::GadgetArrowRight, K::ImageButton, "", 500, 344, 40, 40, OptNone, 0, 0, nullptr, "right", DEF},
    {C::GadgetCursorInfo, K::Label, "X:0:Y:0:C:0", 360, 490, 90, 18, OptNone, 0, 0, nullptr, nullptr, DEF},
    // The sheet's kind and the bank a 4-bit sheet is shown through, right of the colour count.
    {C::GadgetFourBit, K::CheckBox, "4-bit sprites", 700, 490, 110, 28, OptNone, 0, 0,
     "8-bit sprites (64) or 4-bit sprites (128) shown through one bank of 16 colours", nullptr, DEF},
    {C::GadgetBankLabel, K::Label, "Bank", 830, 500, 40, 18, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetBank, K::SpinBox, "", 870, 490, 60, 28, OptNumeric, 0, model::BANK_COUNT - 1,
     "The palette row (16 entries) a 4-bit sheet is shown in", nullptr, DEF},
};

constexpr ControlSpec IMPORT[] = {
    {C::GadgetMirrorFlip, K::CheckBox, "Mirror / Flip", 130, 480, 100, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeWidthSlider, K::TrackBar, "", 290, 450, 120, 25, OptNone, 0, 512, nullptr, nullptr, DEF},
    {C::GadgetResizeSmooth, K::OptionButton, "Resize smooth", 600, 290, 100, 25, OptChecked, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeWidth, K::SpinBox, "", 360, 415, 50, 27, OptNumeric, 0, 512, nullptr, nullptr, DEF},
    {C::GadgetResizeHeight, K::SpinBox, "", 480, 415, 50, 27, OptNumeric, 0, 512, nullptr, nullptr, DEF},
    {C::GadgetGrabXLabel, K::Label, "X", 670, 180, 20, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetGrabCanvas, K::Canvas, "", 580, 20, 514, 131, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetImportCanvas, K::Canvas, "", 20, 18, IMPORT_CANVAS_WIDTH, IMPORT_CANVAS_HEIGHT, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetLoadImage, K::Button, "Load image", 20, 415, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetImportSprites, K::Button, "Import Sprites", 130, 415, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetImportLeftFrame, K::Frame, "", 10, 0, 530, 518, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetGrabX, K::SpinBox, "", 600, 180, 50, 25, OptNumeric, 0, 512, nullptr, nullptr, DEF},
    {C::GadgetGrabY, K::SpinBox, "", 750, 180, 50, 25, OptNumeric, 0, 384, nullptr, nullptr, DEF},
    {C::GadgetGrabWidth, K::SpinBox, "", 600, 230, 50, 25, OptNumeric, 0, 16, nullptr, nullptr, DEF},
    {C::GadgetGrabHeight, K::SpinBox, "", 750, 230, 50, 25, OptNumeric, 0, 4, nullptr, nullptr, DEF},
    {C::GadgetGrabWidthLabel, K::Label, "Width", 670, 230, 60, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetGrabYLabel, K::Label, "Y", 820, 180, 20, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetGrabHeightLabel, K::Label, "Height", 820, 230, 60, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetResizeWidthLabel, K::Label, "Width", 290, 420, 60, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetResizeHeightLabel, K::Label, "Height", 420, 420, 60, 25, OptNone, 0, 0, nullptr, nullptr, MEDIUM},
    {C::GadgetGrabFrame, K::Frame, "", 580, 160, 514, 108, OptSunken, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetImportRightFrame, K::Frame, "", 570, 0, 534, 518, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetExportBmp, K::Button, "Export BMP", 20, 480, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeRaw, K::OptionButton, "Resize raw", 600, 320, 100, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeModeFrame, K::Frame, "", 580, 278, 514, 80, OptFlat, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeHeightSlider, K::TrackBar, "", 410, 450, 120, 25, OptNone, 0, 512, nullptr, nullptr, DEF},
    {C::GadgetResizeWidthCheck, K::CheckBox, "Resize Width", 230, 480, 100, 35, OptHidden, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResizeHeightCheck, K::CheckBox, "Resize Height", 340, 480, 100, 35, OptHidden, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetResize, K::CheckBox, "Resize", 130, 450, 60, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetNineBit, K::CheckBox, "9 Bit", 210, 450, 60, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetRedShift, K::TrackBar, "", 290, 480, 60, 25, OptTicks, 0, 16, nullptr, nullptr, DEF},
    {C::GadgetGreenShift, K::TrackBar, "", 370, 480, 60, 25, OptTicks, 0, 16, nullptr, nullptr, DEF},
    {C::GadgetBlueShift, K::TrackBar, "", 450, 480, 60, 25, OptTicks, 0, 16, nullptr, nullptr, DEF},
};

constexpr ControlSpec OUTPUT[] = {
    {C::GadgetLabelText, K::TextField, "Sprite", 770, 340, 280, 25, OptNone, 0, 0, nullptr, nullptr, SMALL},
    {C::GadgetAsmText, K::TextArea, "", 20, 23, 680, 485, OptNone, 0, 0, nullptr, nullptr, TINY},
    {C::GadgetGenerate, K::Button, "Generate", 770, 410, 280, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetMapDrawRoutine, K::CheckBox, "Generate Map Draw Routine", 780, 28, 330, 25, OptHidden, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSetupCode, K::CheckBox, "Generate Setup Code", 780, 58, 330, 25, OptHidden, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSaveAsm, K::Button, "Save ASM", 770, 450, 280, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetCopyToClipboard, K::Button, "Copy to clipboard", 770, 370, 280, 35, OptNone, 0, 0, nullptr, nullptr, DEF},
};

constexpr ControlSpec PREVIEW[] = {
    {C::GadgetShowValues, K::CheckBox, "Show Values", 480, 400, 100, 25, OptChecked, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSheetWidth, K::SpinBox, "", 280, 400, 40, 28, OptNumeric, 1, 64, nullptr, nullptr, DEF},
    {C::GadgetPreviewButton, K::Button, "Preview", 350, 450, 100, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetPreviewFrame, K::Frame, "", 10, 10, 660, 368, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSheetCanvas, K::Canvas, "", 20, 30, 640, 338, OptSunken, 0, 0, nullptr, nullptr, DEF},
    // Wide enough for the three digits of a 4-bit sheet's 128 sprites.
    {C::GadgetSheetCount, K::SpinBox, "", 280, 440, 50, 28, OptNumeric, 1, 64, nullptr, nullptr, DEF},
    {C::GadgetSheetOffset, K::SpinBox, "0", 410, 400, 50, 28, OptNumeric, 0, 63, nullptr, nullptr, DEF},
    {C::GadgetSheetWidthLabel, K::Label, "Width", 220, 410, 40, 25, OptNone, 0, 0, nullptr, nullptr, SMALL},
    {C::GadgetSheetCountLabel, K::Label, "Count", 220, 450, 40, 25, OptNone, 0, 0, nullptr, nullptr, SMALL},
    {C::GadgetSheetOffsetLabel, K::Label, "Offset", 350, 410, 50, 25, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetFileList, K::FileList, "", 690, 28, 420, 350, OptNone, 0, 0, nullptr, nullptr, DEF},
};

constexpr ControlSpec BOTTOM_ROW[] = {
    {C::GadgetQuickSave, K::Button, "Quick Save", 10, 575, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetExportSprite, K::Button, "Export Sprite", 120, 575, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetLoadSheet, K::Button, "Load Sprite Sheet", 230, 575, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSaveAll, K::Button, "Save All Sprites", 340, 575, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetClearSheet, K::Button, "Clear Sprite Sheet", 560, 575, 110, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetSaveRange, K::Button, "Save Range", 680, 575, 110, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
    {C::GadgetRangeFrom, K::SpinBox, "", 800, 580, 70, 25, OptNumeric, 0, 63, nullptr, nullptr, DEF},
    {C::GadgetRangeTo, K::SpinBox, "", 880, 580, 70, 25, OptNumeric, 0, 63, nullptr, nullptr, DEF},
    {C::GadgetSavePalette, K::Button, "Save Colour Pal", 450, 575, 100, 30, OptNone, 0, 0, nullptr, nullptr, DEF},
};

}  // namespace

std::span<const PageSpec> pageSpecs() {
    static const std::array<PageSpec, 6> pages = {{
        {"Design", DESIGN},
        {"Import", IMPORT},
        {"Output", OUTPUT},
        {"Preview", PREVIEW},
        {"Tiles", {}},
        {"Palette", palettePageSpecs()},
    }};
    return pages;
}

std::span<const ControlSpec> bottomRowSpecs() { return BOTTOM_ROW; }

}  // namespace ui
