#pragma once
// The fixed layout of the main window: for every control its kind, caption,
// position, size, range, options, tooltip, icon and font, page by page in
// creation order. WindowMain builds itself from these rows; nothing is laid
// out dynamically. Positions on a page are relative to the page's client
// area, those of the bottom row to the window's client area.
#include "ui/control_ids.h"

#include <span>

namespace ui {

enum class ControlKind {
    Canvas,        // toolkit::Canvas
    ImageBox,      // QLabel showing one image
    ImageButton,   // QPushButton with an icon, toggle when Toggle is set
    Button,        // QPushButton with a caption
    Label,         // QLabel
    TextField,     // QLineEdit
    SpinBox,       // toolkit::TextSpinBox
    TrackBar,      // QSlider, horizontal
    CheckBox,      // QCheckBox
    OptionButton,  // QRadioButton; consecutive ones on a page form one group
    Frame,         // QGroupBox (no option), QFrame sunken or flat; never a container
    TextArea,      // QPlainTextEdit
    FileList,      // QTreeView over a QFileSystemModel
};

// Options and start states, combined with |.
enum ControlOption : unsigned {
    OptNone = 0,
    OptSunken = 1u << 0,
    OptCaptured = 1u << 1,
    OptCentred = 1u << 2,
    OptNumeric = 1u << 3,
    OptReadOnly = 1u << 4,
    OptToggle = 1u << 5,
    OptDisabled = 1u << 6,
    OptHidden = 1u << 7,
    OptChecked = 1u << 8,   // check box checked, option button chosen
    OptTicks = 1u << 9,
    OptFlat = 1u << 10,
    OptKeyboard = 1u << 11,  // a canvas that takes the focus and reports its arrow keys
};

inline constexpr int NO_FONT = -1;  // the toolkit's default GUI font

struct ControlSpec {
    Control id;
    ControlKind kind;
    const char* text;     // caption or first text; "" for none
    int x, y, w, h;
    unsigned options;     // ControlOption bits
    int minimum, maximum; // spin boxes and track bars
    const char* tooltip;  // nullptr for none
    const char* icon;     // resource name of an image button's icon, nullptr for none;
                          // the program decodes and sets it (setButtonIcon)
    int font;             // FontId number or NO_FONT
};

struct PageSpec {
    const char* title;
    std::span<const ControlSpec> controls;
};

// The six pages of GadgetTabs, in order.
std::span<const PageSpec> pageSpecs();
// The "Palette" page's controls (ui/palette_page.cpp).
std::span<const ControlSpec> palettePageSpecs();
// The row of buttons under the panel.
std::span<const ControlSpec> bottomRowSpecs();

// Window and panel geometry.
inline constexpr int TABS_X = 10, TABS_Y = 10, TABS_W = 1130, TABS_H = 560;
inline constexpr int STATUS_FIELD_WIDTHS[3] = {60, 900, 180};
inline constexpr int BACKGROUND_RED = 128, BACKGROUND_GREEN = 128, BACKGROUND_BLUE = 128;

}  // namespace ui
