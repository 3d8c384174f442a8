#include "app/import_canvas.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <cstring>

#include "toolkit/canvas.h"
#include "app/program.h"
#include "app/window_text.h"
#include "imaging/fixed_colour_table.h"
#include "ui/control_ids.h"
#include "ui/window_main.h"

namespace app {

toolkit::Canvas& importCanvas(Program& program) { return *program.window->canvas(ui::Control::GadgetImportCanvas); }

void drawOnImportCanvas(toolkit::Canvas& canvas, const imaging::Picture& picture) {
    QImage& surface = canvas.image();
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
    imaging::Picture area;
    if (w <= 0 || h <= 0) return area;
    area.width = w;
    area.height = h;
    area.rgb.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    const std::uint8_t back[3] = {static_cast<std::uint8_t>(toolkit::redOf(IMPORT_BACKGROUND)),
                                  static_cast<std::uint8_t>(toolkit::greenOf(IMPORT_BACKGROUND)),
                                  static_cast<std::uint8_t>(toolkit::blueOf(IMPORT_BACKGROUND))};
    const int inW = std::min(w, surface.width());
    const int inH = std::min(h, surface.height());
    for (int y = 0; y < h; ++y) {
        std::uint8_t* out = area.pixel(0, y);
        int x = 0;
        if (y < inH) {
            const auto* in = reinterpret_cast<const QRgb*>(surface.constScanLine(y));
            for (; x < inW; ++x, out += 3) {
                out[0] = static_cast<std::uint8_t>(qRed(in[x]));
                out[1] = static_cast<std::uint8_t>(qGreen(in[x]));
                out[2] = static_cast<std::uint8_t>(qBlue(in[x]));
            }
        }
        for (; x < w; ++x, out += 3) std::memcpy(out, back, 3);
    }
    return area;
}

imaging::Picture cropPicture(const imaging::Picture& picture, int w, int h) {
    if (picture.empty() || (picture.width <= w && picture.height <= h)) return picture;
    imaging::Picture part;
    part.width = std::min(picture.width, std::max(w, 0));
    part.height = std::min(picture.height, std::max(h, 0));
    if (part.empty()) return {};
    part.rgb.resize(static_cast<std::size_t>(part.width) * static_cast<std::size_t>(part.height) * 3);
    for (int y = 0; y < part.height; ++y) {
        std::memcpy(part.pixel(0, y), picture.pixel(0, y), static_cast<std::size_t>(part.width) * 3);
    }
    return part;
}

imaging::Picture pictureFromIndexed(const imaging::IndexedPicture& indexed) {
    imaging::Picture shown;
    if (indexed.width <= 0 || indexed.height <= 0) return shown;
    shown.width = indexed.width;
    shown.height = indexed.height;
    shown.rgb.resize(static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height) * 3);
    for (int y = 0; y < shown.height; ++y) {
        std::uint8_t* out = shown.pixel(0, y);
        for (int x = 0; x < shown.width; ++x, out += 3) {
            const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[indexed.at(x, y)];
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
        }
    }
    return shown;
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
