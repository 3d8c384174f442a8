// "Export BMP" of the "Import" page: the top-left area of the import canvas written
// as an 8-bit bitmap over FIXED_COLOUR_TABLE, then shown again from the bytes written.

#include <QImage>

#include <optional>
#include <utility>
#include <vector>

#include "toolkit/canvas.h"
#include "toolkit/dialogs.h"
#include "app/import_canvas.h"
#include "app/import_page.h"
#include "app/program.h"
#include "app/texts.h"
#include "toolkit/text_number.h"
#include "imaging/bmp8.h"
#include "imaging/import_fit.h"
#include "io/safe_write.h"
#include "ui/control_ids.h"
#include "ui/window_main.h"

namespace app {

namespace {

constexpr const char* SAVE_BITMAP_TITLE = "Save 256 BMP";
constexpr const char* SAVE_BITMAP_FILTER = "256 color bitmap|*.bmp";
constexpr int FIXED_EXPORT_WIDTH = 256;
constexpr int FIXED_EXPORT_HEIGHT = 192;

// The name as typed, with ".bmp" added unless it already ends in .bmp in any case.
QString withBitmapExtension(const QString& name) {
    return name.right(4).toUpper() == QLatin1String(".BMP") ? name : name + QLatin1String(".bmp");
}

}  // namespace

void exportBitmap(Program& program) {
    ui::WindowMain& window = *program.window;
    int width = FIXED_EXPORT_WIDTH;
    int height = FIXED_EXPORT_HEIGHT;
    if (window.controlState(ui::Control::GadgetResize) != 0) {
        setResizeFields(program, width, height);
    } else {
        width = toolkit::textToNumber(window.controlText(ui::Control::GadgetResizeWidth));
        height = toolkit::textToNumber(window.controlText(ui::Control::GadgetResizeHeight));
    }

    // An empty (or absurd) region gives no picture; the dialog is still shown.
    imaging::Picture picture;
    if (imaging::pictureSizeAllowed(width, height)) {
        picture = copyImportArea(importCanvas(program).image(), width, height);
    }
    const bool flip = window.controlState(ui::Control::GadgetMirrorFlip) != 0;

    QString name = program.dialogs->saveFile(SAVE_BITMAP_TITLE, dialogFolder(program), SAVE_BITMAP_FILTER);
    if (name.isEmpty()) return;
    name = withBitmapExtension(name);
    const QString failed = exportFailedStatusText(name);
    if (picture.empty()) {
        window.setStatus(failed, 0);
        return;
    }

    const bool nineBit = window.controlState(ui::Control::GadgetNineBit) != 0;
    const std::vector<std::uint8_t> bytes = imaging::exportBitmapBytes(std::move(picture), flip, nineBit);
    if (bytes.empty() || !io::writeFileReplacing(localPath(name), bytes)) {
        window.setStatus(failed, 0);
        return;
    }

    // The canvas shows what the file holds, so a following import reads exactly
    // the colours that were written.
    if (const std::optional<imaging::Bitmap8> written = imaging::decodeBitmap8(bytes.data(), bytes.size())) {
        const imaging::Picture shown = imaging::bitmapToPicture(*written);
        drawOnImportCanvas(importCanvas(program), shown);
        setResizeFields(program, shown.width, shown.height);
    }
    window.setStatus(QStringLiteral("Saved ") + name + QLatin1Char('.'), 0);
}

}  // namespace app
