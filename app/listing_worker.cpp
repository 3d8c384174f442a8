#include "app/listing_worker.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>

#include <algorithm>
#include <iterator>
#include <utility>

#include "io/asm_listing.h"
#include "model/sprite_sheet.h"

namespace app {

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

ListingWorker& ListingWorker::of(QPlainTextEdit& area) {
    if (auto* existing = area.findChild<ListingWorker*>(QString(), Qt::FindDirectChildrenOnly)) return *existing;
    return *new ListingWorker(area);
}

ListingWorker::ListingWorker(QPlainTextEdit& area) : QObject(&area), area_(area) {
    frame_.setInterval(LISTING_FRAME);
    connect(&frame_, &QTimer::timeout, this, &ListingWorker::appendArrived);
}

ListingWorker::~ListingWorker() {
    stop_ = true;
    // Calls the thread queued on this object are dropped with it; none can arrive
    // later, because the thread has ended once join returns.
    if (thread_.joinable()) thread_.join();
}

bool ListingWorker::start(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
                          std::function<void()> finished, std::chrono::milliseconds pause, int spriteBytes) {
    if (running_) return false;
    // The thread of the previous run has posted its last call; it may still be on its way out.
    if (thread_.joinable()) thread_.join();
    area_.clear();
    arrived_.clear();
    running_ = true;
    stop_ = false;
    frame_.start();
    finished_ = std::move(finished);
    thread_ = std::thread(&ListingWorker::run, this, std::move(sheet), spriteCount, std::move(labelText), pause,
                          spriteBytes);
    return true;
}

void ListingWorker::run(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
                        std::chrono::milliseconds pause, int spriteBytes) {
    const std::string base = io::labelBase(labelText);
    const int count = io::listableSprites(sheet, spriteCount, spriteBytes);
    for (int i = 1; i <= count; ++i) {
        if (stop_) return;
        std::vector<std::string> pieces = io::spriteListingPieces(sheet, i, base, spriteBytes);
        {
            const std::lock_guard<std::mutex> hold(arrivedLock_);
            arrived_.insert(arrived_.end(), std::make_move_iterator(pieces.begin()),
                            std::make_move_iterator(pieces.end()));
        }
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
    }
    if (stop_) return;
    QMetaObject::invokeMethod(this, [this] { finish(); }, Qt::QueuedConnection);
}

void ListingWorker::appendArrived() {
    std::vector<std::string> pieces;
    {
        const std::lock_guard<std::mutex> hold(arrivedLock_);
        pieces.swap(arrived_);
    }
    if (!pieces.empty()) appendListingPieces(area_, pieces);
}

void ListingWorker::finish() {
    if (thread_.joinable()) thread_.join();
    frame_.stop();
    appendArrived();
    running_ = false;
    if (std::function<void()> done = std::exchange(finished_, {})) done();
}

}  // namespace app
