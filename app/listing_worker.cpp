#include "app/listing_worker.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>

#include <algorithm>
#include <utility>

#include "io/asm_listing.h"
#include "model/sprite_sheet.h"

namespace app {

namespace {

// The sprites a sheet of this size can list, up to the sheet's 64.
int listableCount(std::span<const std::uint8_t> sheet, int spriteCount) {
    const int held = static_cast<int>(std::min<std::size_t>(sheet.size() / model::SPRITE_BYTES, model::MAX_SPRITES));
    return std::clamp(spriteCount, 0, held);
}

}  // namespace

void appendListingPieces(QPlainTextEdit& area, const std::vector<std::string>& pieces) {
    // Appending the pieces joined by line breaks leaves the same text as appending
    // them one by one, at a fraction of the layout work.
    if (!pieces.empty()) {
        std::string joined = pieces.front();
        for (std::size_t i = 1; i < pieces.size(); ++i) joined.append(1, '\n').append(pieces[i]);
        area.appendPlainText(QString::fromStdString(joined));
    }
    QTextCursor caret = area.textCursor();
    caret.movePosition(QTextCursor::End);
    area.setTextCursor(caret);
}

void writeListing(QPlainTextEdit& area, std::span<const std::uint8_t> sheet, int spriteCount,
                  const std::string& labelText, std::chrono::milliseconds pause) {
    area.clear();
    const std::string base = io::labelBase(labelText);
    const int count = listableCount(sheet, spriteCount);
    for (int i = 1; i <= count; ++i) {
        appendListingPieces(area, io::spriteListingPieces(sheet, i, base));
        // The event thread is held here, so paint now or the user sees nothing grow.
        if (area.isVisible()) area.viewport()->repaint();
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
    }
}

ListingWorker& ListingWorker::of(QPlainTextEdit& area) {
    if (auto* existing = area.findChild<ListingWorker*>(QString(), Qt::FindDirectChildrenOnly)) return *existing;
    return *new ListingWorker(area);
}

ListingWorker::ListingWorker(QPlainTextEdit& area) : QObject(&area), area_(area) {}

ListingWorker::~ListingWorker() {
    stop_ = true;
    // Calls the thread queued on this object are dropped with it; none can arrive
    // later, because the thread has ended once join returns.
    if (thread_.joinable()) thread_.join();
}

bool ListingWorker::start(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
                          std::function<void()> finished, std::chrono::milliseconds pause) {
    if (running_) return false;
    // The thread of the previous run has posted its last call; it may still be on its way out.
    if (thread_.joinable()) thread_.join();
    area_.clear();
    running_ = true;
    stop_ = false;
    finished_ = std::move(finished);
    thread_ = std::thread(&ListingWorker::run, this, std::move(sheet), spriteCount, std::move(labelText), pause);
    return true;
}

void ListingWorker::run(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
                        std::chrono::milliseconds pause) {
    const std::string base = io::labelBase(labelText);
    const int count = listableCount(sheet, spriteCount);
    for (int i = 1; i <= count; ++i) {
        if (stop_) return;
        std::vector<std::string> pieces = io::spriteListingPieces(sheet, i, base);
        QMetaObject::invokeMethod(
            this, [this, pieces = std::move(pieces)] { appendListingPieces(area_, pieces); }, Qt::QueuedConnection);
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
    }
    if (stop_) return;
    QMetaObject::invokeMethod(this, [this] { finish(); }, Qt::QueuedConnection);
}

void ListingWorker::finish() {
    if (thread_.joinable()) thread_.join();
    running_ = false;
    if (std::function<void()> done = std::exchange(finished_, {})) done();
}

}  // namespace app
