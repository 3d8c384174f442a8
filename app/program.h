#pragma once
// Everything one run of the editor holds, in one object created at start-up and
// passed by reference: the sprite model, the palette and colour slots, the
// program-wide values with their start values, the images the views keep, the
// window and the dialogs. A test builds a fresh program in one line.

#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/palette_page.h"
#include "model/sprite_model.h"
#include "palette/colour_use.h"
#include "palette/palette.h"
#include "ui/views.h"

class QTimer;

namespace ui {
class WindowMain;
}

namespace toolkit {
class Dialogs;
}

namespace app {

// Program-wide values that are not part of the sprite model.
struct ProgramState {
    int zoom = 20;                  // editor cell size in pixels
    int clearValue = 0xE3;          // value a clear writes
    int showTransparent = 1;        // 1: 0xE3 in its palette colour, 0: white
    int palettePictureIndex = 0;    // picture shown by the palette canvas
    int palettePictureMax = 2;
    int selectedSlot = 0;           // colour slot 0..15
    int lastTab = 0;                // page of the tab panel seen last
    int animationFrame = 0;         // frame counter of the animation timer
    int leftColour = 0, rightColour = 0;        // palette indices of the two buttons
    int leftColourRgb = 0, rightColourRgb = 0;  // their screen colours, 0x00BBGGRR
    std::string quickSaveName;      // set by the first "Quick Save", kept for the run
    bool listingRunning = false;    // a listing generation is under way on its worker
    bool paletteChartShown = true;  // the palette canvas shows the chart, not a palette picture
    QString previewedFile;          // the sprite file the sheet canvas shows, empty for the sheet
};

// The four fonts the controls and views use.
struct Fonts {
    QFont large, medium, small, tiny;
};

struct Program {
    model::SpriteModel model;
    palette::Palette palette;
    palette::ColourSlots colourSlots;
    palette::ColourUse colourUse;  // markers of the last count, read by "Save Colour Pal"
    ProgramState state;
    PalettePage palettePage;
    Fonts fonts;

    // The views and the pictures they keep (sprite pictures, palette pictures).
    ui::Views views;

    // The working folder, ending in a separator: the palette file is read there,
    // "colors.pal" written there, and the file dialogs and file list start there.
    QString workingDir;

    toolkit::Dialogs* dialogs = nullptr;      // not owned
    ui::WindowMain* window = nullptr;  // not owned
    QTimer* animationTimer = nullptr;  // owned by the window
};

}  // namespace app
