#pragma once
// Building the assembly listing into the output text area on a worker thread
// (ListingWorker), so the window goes on drawing and answering while it grows.
//
// The worker works on copies handed to it at the start and never touches a widget
// or the Program: each sprite's pieces are queued under a lock, and the ListingWorker,
// which lives on the event thread as a child of the text area, takes whatever has
// arrived once per frame and appends it to the area in one go. Destroying the area
// (the window) stops and joins the worker first, so a run can never outlive the
// window it writes into.

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "model/sprite_sheet.h"

class QPlainTextEdit;

namespace app {

// Pause after each sprite, so the user sees the listing grow.
inline constexpr std::chrono::milliseconds LISTING_PAUSE{5};
// How often the pieces that have arrived reach the area: once a frame at 60 Hz.
inline constexpr std::chrono::milliseconds LISTING_FRAME{16};

// Appends each piece by the area's rule (a line break first unless the area is
// empty), then clears any selection, leaving the caret at the end of the text.
void appendListingPieces(QPlainTextEdit& area, const std::vector<std::string>& pieces);

class ListingWorker : public QObject {
    Q_OBJECT
public:
    // The worker of this area, created on first use as the area's child.
    static ListingWorker& of(QPlainTextEdit& area);

    explicit ListingWorker(QPlainTextEdit& area);
    ~ListingWorker() override;  // stops a run and waits for its thread

    // True from start() until the last piece has reached the area.
    bool running() const { return running_; }

    // Empties the area and starts a thread that builds the listing of sprites 1 to
    // spriteCount of the sheet copy (spriteBytes a sprite, as files hold them) into
    // it, pausing after each sprite; labelText is
    // the label field's text (UTF-8). finished runs on the event thread once everything is appended.
    // Returns false, doing nothing, while a run is under way.
    bool start(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
               std::function<void()> finished = {}, std::chrono::milliseconds pause = LISTING_PAUSE,
               int spriteBytes = model::SPRITE_BYTES);

private:
    void run(std::vector<std::uint8_t> sheet, int spriteCount, std::string labelText,
             std::chrono::milliseconds pause, int spriteBytes);
    // Appends the pieces that have arrived since the last frame, if any.
    void appendArrived();
    void finish();

    QPlainTextEdit& area_;
    QTimer frame_;
    std::mutex arrivedLock_;
    std::vector<std::string> arrived_;  // pieces from the thread not yet in the area
    std::thread thread_;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    std::function<void()> finished_;
};

}  // namespace app
