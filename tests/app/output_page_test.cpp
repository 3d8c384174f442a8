// The "Output" page: the listing built on the worker matches the sheet as it stood
// at the press whatever the user does meanwhile, the window can close mid-run,
// and a saved listing assembles back into the sheet's bytes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <random>

#include "app/output_page.h"
#include "io/asm_listing.h"
#include "page_test_support.h"
#include "palette/palette_file.h"
#include "session_fixture.h"
#include "ui/window_main.h"

using testing_support::readBytes;
using testing_support::spinUntil;
using ui::Control;

namespace {

using Bytes = std::vector<std::uint8_t>;

class OutputPage : public testing_support::SessionTest {
protected:
    QPlainTextEdit& area() { return *window().textArea(Control::GadgetAsmText); }
    std::string areaText() { return area().toPlainText().toStdString(); }

    // Random bytes in every sprite, count sprites in use, the grid on sprite 1.
    void fillSheet(unsigned seed, int count) {
        std::mt19937 random(seed);
        for (int i = 0; i < model::SHEET_SPRITE_BYTES; ++i) model().sheet.bytes[i] = static_cast<std::uint8_t>(random());
        model().spriteCount = count;
        model().loadGrid();
    }
    // The listing of the sheet as it is now, with the grid stored into it.
    std::string expectedListing() {
        model::SpriteSheet sheet = model().sheet;
        model().grid.writeTo(sheet.sprite(model().currentSprite));
        return io::asmListing(std::span<const std::uint8_t>(sheet.bytes.data(), model::SHEET_SPRITE_BYTES),
                              model().spriteCount, window().controlText(Control::GadgetLabelText).toStdString());
    }
    bool listingDone() { return !program().state.listingRunning; }
};

TEST_F(OutputPage, TheWorkerListsTheSheetAsItStoodAtThePress) {
    fillSheet(12, 12);
    window().setControlText(Control::GadgetLabelText, "My Sprite");
    model().grid.cell(3, 4) = 0x05;  // edited, not yet stored
    const std::string expected = expectedListing();
    const int current = model().currentSprite;

    app::startAsmListing(program());
    EXPECT_TRUE(program().state.listingRunning);
    // The user goes on working while the listing grows.
    model().grid.fill(0);
    model().storeGrid();
    std::fill_n(model().sheet.bytes.begin() + 256, 256, 0x11);
    model().spriteCount = 3;
    window().setControlText(Control::GadgetLabelText, "Other");
    app::startAsmListing(program());   // ignored: a run is under way
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
    EXPECT_EQ(model().currentSprite, current);
    EXPECT_FALSE(area().textCursor().hasSelection());
    EXPECT_EQ(area().textCursor().position(), area().document()->characterCount() - 1);

    // A second press after the end starts afresh: the text is replaced, not doubled.
    model().spriteCount = 2;
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
    // The bare set-up of a program beside a window, destroyed in the other order.
    for (int round = 0; round < 3; ++round) {
        ui::WindowMain bare;
        app::Program program;
        program.window = &bare;
        program.dialogs = &dialogs;
        program.model.resetSheet();
        program.model.spriteCount = 64;
        app::startAsmListing(program);
        QCoreApplication::processEvents();
    }
}

TEST_F(OutputPage, ThePopUpGenerateBuildsTheSameListingOnTheEventThread) {
    fillSheet(7, 10);
    window().setControlText(Control::GadgetLabelText, "");
    model().grid.cell(15, 15) = 0xFF;
    const std::string expected = expectedListing();
    app::generateAsmListing(program());
    EXPECT_EQ(areaText(), expected);
    EXPECT_EQ(areaText().rfind("Sprite1:\n", 0), 0u);
    EXPECT_EQ(model().sheet.sprite(1)[255], 0xFF);  // the grid was stored
    app::generateAsmListing(program());
    EXPECT_EQ(areaText(), expected);

    model().spriteCount = 1;
    app::generateAsmListing(program());
    const std::string one = areaText();
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 1 + 16 + 2);
}

TEST_F(OutputPage, CopyTakesTheSelectionAndSelectAllTakesEverything) {
    fillSheet(3, 2);
    app::generateAsmListing(program());
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText("untouched");
    window().setStatus("Ready...", 0);
    app::copyListingSelection(program());  // nothing selected
    EXPECT_EQ(clipboard->text(), "untouched");
    EXPECT_EQ(window().statusText(), "Copied selection to clipboard");

    app::selectAllListing(program());
    EXPECT_EQ(area().textCursor().selectionStart(), 0);
    EXPECT_EQ(area().textCursor().selectionEnd(), area().document()->characterCount() - 1);
    app::copyListingSelection(program());
    EXPECT_EQ(clipboard->text(), area().toPlainText());
    EXPECT_TRUE(clipboard->text().contains('\n'));

    QTextCursor part = area().textCursor();
    part.setPosition(0);
    part.setPosition(9, QTextCursor::KeepAnchor);
    area().setTextCursor(part);
    app::copyListingSelection(program());
    EXPECT_EQ(clipboard->text(), "Sprite1:\n");
}

TEST_F(OutputPage, ASavedListingAssemblesBackIntoTheSheet) {
    fillSheet(2024, 9);
    app::generateAsmListing(program());
    dialogs.answerSaveFile(path("listing.asm"));
    app::saveAsmOutput(program());

    const auto asked = dialogs.callsOf(app::DialogCall::Kind::SaveFile);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Save ASM output");
    EXPECT_EQ(asked[0].text, dir.path() + "/export.asm");
    EXPECT_EQ(asked[0].filter, ".asm");
    const auto boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Save|Save complete.");

    const Bytes file = readBytes(path("listing.asm"));
    const std::string expectedBytes = io::listingFileBytes(areaText());
    EXPECT_EQ(std::string(file.begin(), file.end()), expectedBytes);
    EXPECT_NE(expectedBytes.find("\r\n"), std::string::npos);

    if (!testing_support::shell("command -v pasmo")) GTEST_SKIP() << "pasmo is not installed";
    ASSERT_TRUE(testing_support::shell("cd " + testing_support::quoted(dir.path()) + " && pasmo --bin listing.asm listing.bin"));
    const Bytes assembled = readBytes(path("listing.bin"));
    EXPECT_EQ(assembled, Bytes(model().sheet.bytes.begin(), model().sheet.bytes.begin() + 9 * 256));
}

TEST_F(OutputPage, SaveAsmAsksNothingForAnEmptyAreaAndReportsAFailedWrite) {
    app::saveAsmOutput(program());
    EXPECT_TRUE(dialogs.calls().empty());

    area().setPlainText("; typed by hand\n\tdb $01;");
    dialogs.answerSaveFile(QString());  // cancelled
    app::saveAsmOutput(program());
    EXPECT_TRUE(dialogs.callsOf(app::DialogCall::Kind::Message).empty());

    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.asm"));
    dialogs.answerSaveFile(path("taken.asm"));
    app::saveAsmOutput(program());
    auto boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Save failed.");
    EXPECT_TRUE(QFileInfo(path("taken.asm")).isDir());
    EXPECT_EQ(area().toPlainText(), "; typed by hand\n\tdb $01;");

    // Over a longer file: the user's own text, nothing of the old content.
    testing_support::writeBytes(path("old.asm"), Bytes(5000, 'x'));
    dialogs.answerSaveFile(path("old.asm"));
    app::saveAsmOutput(program());
    const Bytes file = readBytes(path("old.asm"));
    EXPECT_EQ(std::string(file.begin(), file.end()), "; typed by hand\r\n\tdb $01;");
    boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
    EXPECT_EQ(boxes.back().text, "Save complete.");
}

}  // namespace
