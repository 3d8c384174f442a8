// The listing worker hands its lines to the output area at most once a frame, however
// fast the sprites come, so the window spends its time drawing rather than appending.
#include "app/listing_worker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ListingFrames, AtMostOneAppendPerFrame) {
    QPlainTextEdit area;
    app::ListingWorker& worker = app::ListingWorker::of(area);
    const std::vector<std::uint8_t> sheet(64 * 256, 0x42);
    int appends = 0;
    QObject::connect(area.document(), &QTextDocument::contentsChange,
                     [&](int, int, int added) { appends += added > 0 ? 1 : 0; });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(worker.start(sheet, 64, "Sprite", {}, std::chrono::milliseconds(2)));
    while (worker.running() && clock.elapsed() < 20000) QCoreApplication::processEvents();
    ASSERT_FALSE(worker.running());
    // One append per frame tick, and the last pieces when the run ends.
    const long long frames = clock.elapsed() / app::LISTING_FRAME.count();
    EXPECT_LE(appends, frames + 2) << "in " << clock.elapsed() << " ms";
    EXPECT_EQ(area.toPlainText().count(QStringLiteral("Sprite64:")), 1);
}

}  // namespace
