#include "app/output_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <vector>

#include "toolkit/dialogs.h"
#include "app/import_canvas.h"
#include "app/listing_worker.h"
#include "app/program.h"
#include "app/texts.h"
#include "io/asm_listing.h"
#include "model/sprite_sheet.h"
#include "ui/control_ids.h"
#include "ui/window_main.h"

namespace app {

namespace {

QPlainTextEdit& listingArea(Program& program) { return *program.window->textArea(ui::Control::GadgetAsmText); }

std::string labelText(Program& program) {
    return program.window->controlText(ui::Control::GadgetLabelText).toStdString();
}

}  // namespace

void startAsmListing(Program& program) {
    ListingWorker& worker = ListingWorker::of(listingArea(program));
    // Two runs would interleave their lines in the one area: a press during a run is ignored.
    if (worker.running()) return;
    // Unsaved edits of the grid belong in the listing; the worker then lists this
    // copy, so edits made while it runs do not reach it.
    program.model.storeGrid();
    const model::SpriteModel& m = program.model;
    program.state.listingRunning = true;
    worker.start(m.fileBytes(1, m.spriteCount), m.spriteCount, labelText(program),
                 [&state = program.state] { state.listingRunning = false; }, LISTING_PAUSE,
                 model::fileSpriteBytes(m.depth));
}

void generateAsmListing(Program& program) { startAsmListing(program); }

void copyListingSelection(Program& program) {
    const QTextCursor selection = listingArea(program).textCursor();
    if (selection.hasSelection()) {
        // The fragment's plain text has real line breaks, not paragraph separators.
        QGuiApplication::clipboard()->setText(selection.selection().toPlainText());
    }
    program.window->setStatus(QString::fromLatin1(COPIED_SELECTION_STATUS), 0);
}

void selectAllListing(Program& program) { listingArea(program).selectAll(); }

void saveAsmOutput(Program& program) {
    const QString text = listingArea(program).toPlainText();
    if (text.isEmpty()) return;
    const QString name =
        program.dialogs->saveFile(QString::fromLatin1(SAVE_ASM_DIALOG_TITLE),
                                  dialogFolder(program) + QString::fromLatin1(SAVE_ASM_DEFAULT_NAME),
                                  QString::fromLatin1(SAVE_ASM_DIALOG_FILTER));
    if (name.isEmpty()) return;
    const bool saved = io::saveListing(text.toStdString(), localPath(name)).ok();
    program.dialogs->message(QString::fromLatin1(SAVE_ASM_MESSAGE_TITLE),
                             QString::fromLatin1(saved ? SAVE_ASM_COMPLETE_TEXT : SAVE_ASM_FAILED_TEXT));
}

}  // namespace app
