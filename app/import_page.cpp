#include "app/import_page.h"

#include <QImage>

#include <algorithm>
#include <optional>

#include "toolkit/canvas.h"
#include "toolkit/dialogs.h"
#include "app/import_canvas.h"
#include "app/program.h"
#include "imaging/import_fit.h"
#include "imaging/picture_load.h"
#include "imaging/sprite_grab.h"
#include "palette/palette.h"
#include "ui/control_ids.h"
#include "app/redraw.h"
#include "app/window_text.h"
#include "ui/window_main.h"

namespace app {

namespace {

constexpr const char* OPEN_IMAGE_TITLE = "Open bitmap";
constexpr const char* OPEN_IMAGE_FILTER = " images |*.bmp;*.png;*.jpg;*.gif";
constexpr int MAX_GRAB_ACROSS = 16;
constexpr int MAX_GRAB_DOWN = 4;
constexpr int CELL = model::SPRITE_SIDE;

}  // namespace

bool loadImportImage(Program& program, const QString& fileName) {
    QString name = fileName;
    if (name.isEmpty()) {
        name = program.dialogs->openFile(OPEN_IMAGE_TITLE, dialogFolder(program), OPEN_IMAGE_FILTER);
        if (name.isEmpty()) return false;
    }
    model::Result<imaging::Picture> loaded = imaging::loadPicture(name.toStdString());
    if (!loaded || loaded->empty()) return false;

    const int fullWidth = loaded->width;
    const int fullHeight = loaded->height;
    toolkit::Canvas& canvas = importCanvas(program);
    // Only what the canvas can show is fitted: the colours of the rest would be
    // cut off anyway, and a large photograph costs nothing beyond its visible part.
    const bool nineBit = program.window->controlState(ui::Control::GadgetNineBit) != 0;
    // A 4-bit sheet shows the picture in the bank's colours, as its sprites will hold it.
    const model::SpriteModel& m = program.model;
    const imaging::Picture shown =
        m.fourBit() ? imaging::fitForBank(*loaded, canvas.surfaceWidth(), canvas.surfaceHeight(), nineBit,
                                          palette::bankColours(program.palette, m.bank))
                    : imaging::fitForCanvas(*loaded, canvas.surfaceWidth(), canvas.surfaceHeight(), nineBit);
    *loaded = imaging::Picture{};  // the full picture is not needed past the fit
    drawOnImportCanvas(canvas, shown);
    setResizeFields(program, fullWidth, fullHeight);
    return true;
}

QString firstDroppedName(const QStringList& files) {
    if (files.isEmpty()) return {};
    const QString& first = files.front();
    const qsizetype lineFeed = first.indexOf(QLatin1Char('\n'));
    return lineFeed < 0 ? first : first.left(lineFeed);
}

bool loadDroppedImage(Program& program, const QStringList& files) {
    const QString name = firstDroppedName(files);
    // An empty name would open the dialog; a drop never asks.
    if (name.isEmpty()) return false;
    return loadImportImage(program, name);
}

void clearImportCanvas(Program& program) { importCanvas(program).setBackground(IMPORT_BACKGROUND); }

void importSprites(Program& program, int gx, int gy, int across, int down) {
    ui::WindowMain& window = *program.window;
    model::SpriteModel& m = program.model;
    const QImage& canvasImage = importCanvas(program).image();
    // The cut reads 32-bit rows; a surface of another kind is read through a copy.
    const QImage surface = canvasImage.format() == QImage::Format_RGB32
                               ? canvasImage
                               : canvasImage.convertToFormat(QImage::Format_RGB32);
    across = std::clamp(across, 0, MAX_GRAB_ACROSS);
    down = std::clamp(down, 0, MAX_GRAB_DOWN);
    // A typed corner can be any number; beyond these bounds every cell lies off the
    // surface anyway, and the cell positions below stay far from overflowing.
    gx = std::clamp(gx, -CELL * MAX_GRAB_ACROSS, surface.width());
    gy = std::clamp(gy, -CELL * MAX_GRAB_DOWN, surface.height());
    const int cells = across * down;

    const auto rgbAt = [&surface](int x, int y) {
        const QRgb c = reinterpret_cast<const QRgb*>(surface.constScanLine(y))[x];
        return palette::RgbColour{qRed(c), qGreen(c), qBlue(c)};
    };
    const int imported = imaging::grabSprites(
        surface.width(), surface.height(), rgbAt, imaging::GrabColours(program.palette, m, imaging::IMPORT_BACKGROUND), m,
        imaging::GrabArea{gx, gy, across, down},
        [&](int done, bool stepsOn) {
            // The step is an integer division taken first: 1 per cell for 64 cells.
            window.setStatus(QStringLiteral("Importing..."), (100 / cells) * done);
            if (stepsOn) showSpriteCount(program);
        });
    // The grid is drawn once, here: nothing is painted while the cut holds the event
    // thread, so drawing it for every cell only cost time.
    drawEditorGrid(program);
    window.setStatus(QStringLiteral("Ready..."), 100);
    program.dialogs->message(QStringLiteral("Success"), QStringLiteral("Imported sprites : ") + QString::number(imported));
    window.setStatus(QStringLiteral("Ready..."), 0);
}

}  // namespace app
