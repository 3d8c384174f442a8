#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <span>
#include <utility>

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "toolkit/paths.h"
#include "app/commands.h"
#include "app/palette_page.h"
#include "toolkit/dialogs.h"
#include "toolkit/picture_image.h"
#include "imaging/bmp8.h"
#include "imaging/png_decode.h"
#include "palette/palette_file.h"
#include "app/redraw.h"
#include "app/texts.h"
#include "app/window_text.h"
#include "ui/window_layout.h"
#include "ui/window_main.h"

// The icons and palette pictures live in a static library's resources, which the
// linker keeps only when they are initialised by name.
static void initResources() { Q_INIT_RESOURCE(resources); }

namespace app {

Session::~Session() {
    // The commands refer to the window; they go first.
    commands.reset();
    window.reset();
}

namespace {

QByteArray resourceBytes(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Icons are held as grey-with-alpha PNGs and decoded by the program's own PNG decoder.
QIcon iconFromResource(const QString& name) {
    const QByteArray bytes = resourceBytes(QStringLiteral(":/icons/%1.png").arg(name));
    if (bytes.isEmpty()) return {};
    auto rgba = imaging::decodePngRgba(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       static_cast<std::size_t>(bytes.size()));
    if (!rgba) return {};
    return QIcon(QPixmap::fromImage(toolkit::rgbaPictureToImage(*rgba)));
}

// The icons of a page's image buttons, named in the window's layout; the window
// leaves them to the program, so each is decoded once, by the program's decoder.
void loadIcons(ui::WindowMain& window, std::span<const ui::ControlSpec> controls) {
    for (const ui::ControlSpec& entry : controls) {
        if (entry.kind != ui::ControlKind::ImageButton || entry.icon == nullptr) continue;
        QIcon icon = iconFromResource(QString::fromLatin1(entry.icon));
        if (!icon.isNull()) window.setButtonIcon(entry.id, icon);
    }
}

QImage palettePicture(const QString& name) {
    const QByteArray bytes = resourceBytes(name);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    if (bytes.isEmpty()) return {};
    if (imaging::isPngData(data, size)) {
        if (auto picture = imaging::decodePng(data, size)) return toolkit::pictureToImage(*picture);
        return {};
    }
    if (auto bitmap = imaging::decodeBitmap8(data, size)) return toolkit::pictureToImage(imaging::bitmapToPicture(*bitmap));
    return {};
}

// The first drawing on a page's canvases, once the page has been built.
void setUpPage(Program& program, int page) {
    ui::WindowMain& window = *program.window;
    loadIcons(window, ui::pageSpecs()[static_cast<std::size_t>(page)].controls);
    if (page == ui::PageImport) {
        window.canvas(ui::Control::GadgetImportCanvas)->setBackground(toolkit::rgbColour(40, 40, 40));
        window.canvas(ui::Control::GadgetGrabCanvas)
            ->fillBox(0, 0, ui::GRAB_AREA_WIDTH, ui::GRAB_AREA_HEIGHT, toolkit::rgbColour(255, 170, 170));
    } else if (page == ui::PagePreview) {
        program.views.clearSheetPreview();
        drawSheetPreview(program);
    } else if (page == ui::PagePalette) {
        showPalettePage(program);
    }
}

QString withSeparator(QString dir) {
    dir = QDir::fromNativeSeparators(dir);
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

}  // namespace

QString shippedDataDir() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(palette::SHIPPED_PALETTE_DIR);
}

std::unique_ptr<Session> startEditor(toolkit::Dialogs& dialogs, const QString& workingDir, const QString& shippedDir) {
    auto session = std::make_unique<Session>();
    Program& program = session->program;
    program.dialogs = &dialogs;
    program.workingDir = withSeparator(workingDir);

    initResources();
    // The palette pictures the palette canvas shows.
    program.views.loadPalettePicture = [](int index) {
        static const char* const names[] = {":/palette0.png", ":/palette1.png", ":/palette2.bmp"};
        return index >= 0 && index < 3 ? palettePicture(QString::fromLatin1(names[index])) : QImage();
    };
    program.state.palettePictureMax = 2;

    // The palette, before any window exists: without it the program cannot show a pixel.
    auto loaded = palette::loadStartPalette(toolkit::toPath(program.workingDir),
                                            toolkit::toPath(shippedDir.isEmpty() ? shippedDataDir() : shippedDir));
    if (!loaded) {
        dialogs.message(QString::fromLatin1(PALETTE_LOAD_ERROR_TITLE),
                        QString::fromLatin1(PALETTE_LOAD_ERROR_TEXT));
        return nullptr;
    }
    program.palette = std::move(loaded->palette);
    program.colourSlots = std::move(loaded->colourSlots);

    session->window = std::make_unique<ui::WindowMain>(0, 0, ui::CLIENT_WIDTH, ui::CLIENT_HEIGHT);
    ui::WindowMain& window = *session->window;
    program.window = &window;
    program.views.window = &window;
    loadIcons(window, ui::pageSpecs()[ui::PageDesign].controls);
    loadIcons(window, ui::bottomRowSpecs());
    program.fonts = {window.programFont(ui::FontId::FontLarge), window.programFont(ui::FontId::FontMedium),
                     window.programFont(ui::FontId::FontSmall), window.programFont(ui::FontId::FontTiny)};
    if (auto* dialogsWithParent = dynamic_cast<toolkit::QtDialogs*>(&dialogs)) dialogsWithParent->setParent(&window);

    // The empty sheet and its views.
    window.setControlText(ui::Control::GadgetOfLabel, QStringLiteral("of"));
    program.model.resetSheet();
    clearDesignViews(program);
    drawColourSlots(program);
    // The count field shows sprites in use minus one, like the number beside it.
    showSpriteCount(program);

    // The other pages are built when first shown or reached; their first drawing waits for that.
    window.setPageSetup([&program](int page) { setUpPage(program, page); });

    registerShortcuts(window);
    window.applyStartValues();
    window.setWindowTitle(titlePrefix());

    program.animationTimer = new QTimer(&window);
    program.animationTimer->setInterval(150);
    session->commands = std::make_unique<CommandTable>(program);
    session->commands->connectWindow();
    program.animationTimer->start();

    window.showFileListDirectory(program.workingDir);
    return session;
}

}  // namespace app
