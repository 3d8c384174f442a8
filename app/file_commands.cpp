#include "app/file_commands.h"

#include <QCoreApplication>

#include <filesystem>
#include <string>

#include "toolkit/dialogs.h"
#include "app/program.h"
#include "toolkit/text_number.h"
#include "io/colour_pal_file.h"
#include "io/safe_write.h"
#include "io/sprite_file.h"
#include "toolkit/paths.h"
#include "app/redraw.h"
#include "app/texts.h"
#include "app/window_text.h"
#include "ui/window_main.h"

namespace app {

namespace {

using ui::Control;

using toolkit::fromUtf8;
using toolkit::toPath;


}  // namespace

void loadSpriteSheet(Program& program, const QString& fileName, bool refreshSheetView) {
    QString name = fileName;
    if (name.isEmpty())
        name = program.dialogs->openFile(QString::fromLatin1(LOAD_SPRITE_DIALOG_TITLE), program.workingDir,
                                         QString::fromLatin1(LOAD_SPRITE_DIALOG_FILTER));
    // A cancelled dialog, a file that cannot be read or an empty one leave the
    // sheet, the counts, the history and the animation fields as they were.
    const model::Result<int> sprites = io::loadSpriteSheet(program.model, toPath(name));
    if (!sprites) {
        program.window->setStatus(QString::fromLatin1(LOAD_FAILED_STATUS), 100);
        return;
    }
    setSpin(program, Control::GadgetAnimFrame, 1);
    setSpin(program, Control::GadgetAnimCount, 1);
    setSpin(program, Control::GadgetAnimDelay, 100);
    drawEditorGrid(program);
    showSpriteCount(program);
    countColours(program);
    if (refreshSheetView) drawSheetPreview(program);
    program.dialogs->message(QString::fromLatin1(LOAD_SUCCESS_TITLE),
                             loadedMessageText(*sprites));
    program.window->setStatus(loadedStatusText(*sprites), 0);
    program.window->setWindowTitle(fileWindowTitle(name));
}

namespace {

// Save all and save range share their dialog, their status texts and their title.
template <typename Write>
void saveSheet(Program& program, Write write) {
    const QString name = program.dialogs->saveFile(QString::fromLatin1(SAVE_SPRITE_DIALOG_TITLE),
                                                   program.workingDir,
                                                   QString::fromLatin1(SAVE_SPRITE_DIALOG_FILTER));
    if (name.isEmpty()) return;
    const model::Result<io::SavedSprites> saved = write(toPath(name));
    if (!saved) {
        program.window->setStatus(QString::fromLatin1(SAVE_FAILED_STATUS), 100);
        return;
    }
    program.window->setStatus(savedSheetStatusText(saved->sprites), 100);
    program.window->setWindowTitle(savedWindowTitle(fromUtf8(io::displayName(saved->path))));
}

}  // namespace

void saveAllSprites(Program& program) {
    saveSheet(program, [&](const std::filesystem::path& path) { return io::saveAllSprites(program.model, path); });
}

void saveSpriteRange(Program& program) {
    saveSheet(program, [&](const std::filesystem::path& path) {
        const int first = toolkit::textToNumber(program.window->controlText(Control::GadgetRangeFrom));
        const int last = toolkit::textToNumber(program.window->controlText(Control::GadgetRangeTo));
        return io::saveSpriteRange(program.model, path, first, last);
    });
}

void quickSave(Program& program) {
    std::string& name = program.state.quickSaveName;
    if (name.empty())
        name = program.dialogs
                   ->saveFile(QString::fromLatin1(QUICK_SAVE_DIALOG_TITLE), fromUtf8(name),
                              QString::fromLatin1(QUICK_SAVE_DIALOG_FILTER))
                   .toStdString();
    if (name.empty()) {
        program.window->setStatus(quickSaveFailedStatusText(fromUtf8(name)), 100);
        return;
    }
    program.window->setStatus(quickSavingStatusText(fromUtf8(name)), 0);
    QCoreApplication::processEvents();  // let the "Saving" text show before the write
    if (!io::quickSave(program.model, toPath(fromUtf8(name)))) {
        program.window->setStatus(quickSaveFailedStatusText(fromUtf8(name)), 100);
        return;
    }
    program.window->setStatus(quickSavedStatusText(fromUtf8(name)), 0);
    program.window->setWindowTitle(fileWindowTitle(fromUtf8(name)));
}

void exportSprite(Program& program) {
    const QString name = program.dialogs->saveFile(QString::fromLatin1(EXPORT_SPRITE_DIALOG_TITLE),
                                                   program.workingDir,
                                                   QString::fromLatin1(EXPORT_SPRITE_DIALOG_FILTER));
    if (name.isEmpty()) {
        program.window->setStatus(exportFailedStatusText(QString()), 0);
        return;
    }
    const bool saved = io::exportSprite(program.model, toPath(name)).ok();
    program.window->setStatus(saved ? exportedStatusText(name) : exportFailedStatusText(name), 0);
}

void saveColourPalette(Program& program) {
    const auto path = toPath(program.workingDir) / palette::COLOUR_PALETTE_FILE_NAME;
    // A successful save shows nothing; a failed one must not pass for a saved file.
    if (!io::saveColourPalette(program.colourUse.markers, path))
        program.window->setStatus(exportFailedStatusText(QString::fromLatin1(palette::COLOUR_PALETTE_FILE_NAME)), 100);
}

}  // namespace app
