#include "app/import_canvas.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <algorithm>

#include "toolkit/canvas.h"
#include "toolkit/picture_image.h"
#include "app/program.h"
#include "app/window_text.h"
#include "ui/control_ids.h"
#include "ui/window_main.h"

namespace app {

// The batch import draws its own picture of the canvas; both must be the same size.
static_assert(ui::IMPORT_CANVAS_WIDTH == imaging::IMPORT_CANVAS_WIDTH &&
              ui::IMPORT_CANVAS_HEIGHT == imaging::IMPORT_CANVAS_HEIGHT);

toolkit::Canvas& importCanvas(Program& program) { return *program.window->canvas(ui::Control::GadgetImportCanvas); }

void drawOnImportCanvas(toolkit::Canvas& canvas, const imaging::Picture& picture) {
    QImage& surface = canvas.image();
    // Its rows are written as 32-bit pixels below, whatever the surface was.
    if (surface.format() != QImage::Format_RGB32) surface = QImage(surface.size(), QImage::Format_RGB32);
    surface.fill(toolkit::toQRgb(IMPORT_BACKGROUND));
    const int w = std::min(picture.empty() ? 0 : picture.width, surface.width());
    const int h = std::min(picture.empty() ? 0 : picture.height, surface.height());
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(surface.scanLine(y));
        const std::uint8_t* in = picture.pixel(0, y);
        for (int x = 0; x < w; ++x, in += 3) out[x] = qRgb(in[0], in[1], in[2]);
    }
    canvas.markAllDirty();
}

imaging::Picture copyImportArea(const QImage& surface, int w, int h) {
    return imaging::canvasArea(toolkit::imageToPicture(surface), w, h);
}

void setResizeFields(Program& program, int width, int height) {
    // The spin box clamps its value to its range; the text keeps the true size,
    // and the text is what the export reads.
    setSpin(program, ui::Control::GadgetResizeWidth, width);
    setSpin(program, ui::Control::GadgetResizeHeight, height);
}

QString dialogFolder(const Program& program) {
    QString folder = program.workingDir.isEmpty() ? QDir::currentPath() : program.workingDir;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QDir::separator())) folder += QLatin1Char('/');
    return folder;
}

std::filesystem::path localPath(const QString& name) {
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

}  // namespace app
