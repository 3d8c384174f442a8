// The pages after "Design": built only when first visited or reached by a command,
// cutting a whole sheet of sprites on "Import", "Export BMP" with resize and flip,
// the worker's listing of the sheet as it stood at the press, at most one append a frame.
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>

#include "app/listing_worker.h"
#include "app/output_page.h"
#include "imaging/bmp8.h"
#include "io/asm_listing.h"
#include "session_fixture.h"

using namespace testing_support;

namespace {

// Start-up builds only the "Design" page and the bottom row; each other page gets its
// controls and its first drawing when the user first visits it or a command reaches it.
using StartupPages = SessionTest;

TEST_F(StartupPages, OtherPagesWaitForTheirFirstVisit) {
    for (int page = ui::PageImport; page <= ui::PagePalette; ++page) EXPECT_FALSE(window().pageBuilt(page)) << page;

    window().tabs()->setCurrentIndex(ui::PagePreview);
    EXPECT_EQ(window().fileListDirectory(), QDir::toNativeSeparators(program().workingDir));
    EXPECT_FALSE(window().pageBuilt(ui::PageImport));

    // Reached by a command rather than visited: drawn all the same.
    EXPECT_EQ(window().canvas(ui::Control::GadgetImportCanvas)->image().pixel(0, 0), qRgb(40, 40, 40));
    EXPECT_EQ(window().canvas(ui::Control::GadgetGrabCanvas)->image().pixel(0, 0), qRgb(255, 170, 170));
}

class ImportPage : public SessionTest {
protected:
    void load(const char* name, int w, int h, const Bytes& indices) {
        ASSERT_TRUE(tablePicture(w, h, indices).save(path(name)));
        ASSERT_TRUE(app::loadImportImage(program(), path(name)));
    }
    // The 16 x 16 cell at (left, top) of a w-wide picture, row by row.
    static Bytes crop(const Bytes& indices, int w, int left, int top) {
        Bytes cell;
        for (int y = top; y < top + 16; ++y)
            cell.insert(cell.end(), indices.begin() + y * w + left, indices.begin() + y * w + left + 16);
        return cell;
    }
};

TEST_F(ImportPage, SixteenByFourCellsFillTheSheetAndTheCountNeverPassesSixtyFour) {
    const auto indices = randomIndices(256, 64, 64);
    load("sheet.png", 256, 64, indices);
    app::importSprites(program(), 0, 0, 16, 4);
    EXPECT_EQ(countAndCurrent(), std::pair(64, 63));
    for (int n = 0; n < 64; ++n) EXPECT_EQ(sprite(n + 1), crop(indices, 256, 16 * (n % 16), 16 * (n / 16))) << n;
    EXPECT_EQ(lastDialog(), "Success|Imported sprites : 64");

    // Sprite 62 of 62: six cells but three numbers left; the rest go over sprite 64.
    model().spriteCount = 62;
    model().previousSprite();
    ASSERT_EQ(model().currentSprite, 62);
    app::importSprites(program(), 0, 16, 6, 1);
    EXPECT_LE(model().spriteCount, 64);
    EXPECT_EQ(sprite(62), crop(indices, 256, 0, 16));
    EXPECT_EQ(sprite(64), crop(indices, 256, 80, 16));
    EXPECT_EQ(lastDialog(), "Success|Imported sprites : 6");
}

// Mirror flip turns the rows upside down and nothing else.
TEST_F(ImportPage, ExportWithResizeWritesTheTopLeft256By192) {
    const auto indices = randomIndices(320, 200, 320);
    load("source.png", 320, 200, indices);
    window().setControlState(Control::GadgetResize, 1);
    for (bool flip : {false, true}) {
        window().setControlState(Control::GadgetMirrorFlip, flip);
        dialogs.answerSaveFile(path(flip ? "flip" : "out.bmp"));
        app::exportBitmap(program());
        const QString name = path(flip ? "flip.bmp" : "out.bmp");
        EXPECT_EQ(window().statusText(), "Saved " + name + ".");
        const Bytes file = readBytes(name);
        const auto bitmap = imaging::decodeBitmap8(file.data(), file.size());
        ASSERT_TRUE(bitmap && bitmap->indices.width == 256 && bitmap->indices.height == 192) << flip;
        int wrong = 0;
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 256; ++x) wrong += bitmap->indices.at(x, flip ? 191 - y : y) != indices[y * 320 + x];
        EXPECT_EQ(wrong, 0) << flip;
    }
    EXPECT_EQ(text(Control::GadgetResizeWidth) + "x" + text(Control::GadgetResizeHeight), "256x192");
}

class OutputPage : public SessionTest {
protected:
    QPlainTextEdit& area() { return *window().textArea(Control::GadgetAsmText); }
    std::string areaText() { return area().toPlainText().toStdString(); }
    void fillSheet(unsigned seed, int count) {
        std::mt19937 random(seed);
        for (int i = 0; i < model::SHEET_SPRITE_BYTES; ++i) model().sheet.bytes[i] = std::uint8_t(random());
        model().spriteCount = count;
        model().loadGrid();
    }
    // io's listing of the sheet as it is now, with the grid stored into it.
    std::string expectedListing() {
        model::SpriteSheet sheet = model().sheet;
        model().grid.writeTo(sheet.sprite(model().currentSprite));
        return io::asmListing(std::span<const std::uint8_t>(sheet.bytes.data(), model::SHEET_SPRITE_BYTES),
                              model().spriteCount, text(Control::GadgetLabelText).toStdString());
    }
    bool listingDone() { return !program().state.listingRunning; }
};

TEST_F(OutputPage, TheWorkerListsTheSheetAsItStoodAtThePress) {
    fillSheet(12, 12);
    window().setControlText(Control::GadgetLabelText, "My Sprite");
    model().grid.cell(3, 4) = 0x05;  // edited, not yet stored
    const std::string expected = expectedListing();

    app::startAsmListing(program());
    EXPECT_TRUE(program().state.listingRunning);
    model().grid.fill(0);  // the user goes on working
    model().storeGrid();
    std::fill_n(model().sheet.bytes.begin() + 256, 256, 0x11);
    model().spriteCount = 3;
    window().setControlText(Control::GadgetLabelText, "Other");
    app::startAsmListing(program());     // ignored while a run is under way
    app::generateAsmListing(program());  // likewise from the pop-up

    bool sawPart = false;
    ASSERT_TRUE(spinUntil([&] {
        const std::string now = areaText();
        if (!listingDone() && !now.empty() && now.size() < expected.size()) {
            sawPart = true;
            EXPECT_EQ(expected.compare(0, now.size(), now), 0) << "a part that is not the start of the listing";
        }
        return listingDone();
    }));
    EXPECT_TRUE(sawPart) << "the listing should appear sprite by sprite";
    EXPECT_EQ(areaText(), expected);
    EXPECT_EQ(areaText().rfind("My_Sprite1:\n\tdb  $", 0), 0u);
    EXPECT_EQ(area().textCursor().position(), area().document()->characterCount() - 1);

    model().spriteCount = 2;  // a second press starts afresh: replaced, not doubled
    const std::string second = expectedListing();
    app::startAsmListing(program());
    ASSERT_TRUE(spinUntil([&] { return listingDone(); }));
    EXPECT_EQ(areaText(), second);
}

TEST_F(OutputPage, ClosingTheWindowDuringARunIsSafe) {
    for (int round = 0; round < 3; ++round) {
        fillSheet(round, 64);
        app::startAsmListing(program());
        spinUntil([&] { return !area().toPlainText().isEmpty(); });
        session.reset();  // the worker is stopped and joined with the window
        session = app::startEditor(dialogs, dir.path());
        ASSERT_TRUE(session);
    }
}

// The listing worker hands its lines to the output area at most once a frame, however
// fast the sprites come, so the window spends its time drawing rather than appending.
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
