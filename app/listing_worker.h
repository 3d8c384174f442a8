#pragma once
// Building the assembly listing into the output text area, piece by piece, either
// on the event thread (writeListing) or on a worker thread (ListingWorker).
//
// The worker works on copies handed to it at the start and never touches a widget
// or the Program: each sprite's pieces travel to the event thread as a queued call
// on the ListingWorker, which lives on the event thread as a child of the text area.
// Destroying the area (the window) stops and joins the worker first, so a run can
// never outlive the window it writes into.

#include <QObject>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <thread>
#include <vector>

class QPlainTextEdit;

namespace app {

// Pause after each sprite, so the user sees the listing grow.
inline constexpr std::chrono::milliseconds LISTING_PAUSE{5};

// Appends each piece by the area's rule (a line break first unless the area is
// empty), then clears any selection, leaving the caret at the end of the text.
void appendListingPieces(QPlainTextEdit& area, const std::vector<std::string>& pieces);

// Empties the area and builds the listing of sprites 1 to spriteCount of sheet into
// it on the calling thread, pausing after each sprite. labelText is the label
// field's text (UTF-8).
void writeListing(QPlainTextEdit& area, std::span<const std::uint8_t> sheet, int spriteCount,
                  const std::string& labelText, std::chrono::milliseconds pause = LISTING_PAUSE);

class ListingWorker : public QObject {
    Q_OBJECT
public:
    // The worker of this area, created on first use as the area's child.
    static ListingWorker& of(QPlainTextEdit& area);

    explicit ListingWorker(QPlainTextEdit& area);
    ~ListingWorker() override;  // stops a run and waits for its thread

    // True from start() until the last piece has reached the area.
    bool running() const { return running_; }

    // Empties the area and starts a thread that builds the listing of the sheet copy
    // into it. finished runs on the event thread once everything is appended.
    // Returns false, doing nothing, while a run is under way.
    bool start(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
               std::function<void()> finished = {}, std::chrono::milliseconds pause = LISTING_PAUSE);

private:
    void run(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
             std::chrono::milliseconds pause);
    void finish();

    QPlainTextEdit& area_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    std::function<void()> finished_;
};

}  // namespace app
