// Texts far outside their ranges in every field a command reads back, then every
// command that reads that field, through the real window. The spin arrows keep
// values in range and only digits can be typed, but a field's text is the setting
// and the commands read it with the program's number rule, so each must cope with
// any text: nothing crashes, the model stays within its 64 sprites, and whatever
// is written is whole. (Out-of-bounds reads and writes are the AddressSanitizer
// run's to catch.)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileSystemModel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeView>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/output_page.h"
#include "app/text_number.h"
#include "page_test_support.h"
#include "session_fixture.h"
#include "ui/control_ids.h"

using testing_support::readBytes;
using testing_support::writeBytes;
using ui::Control;
using ui::ControlEvent;

namespace {

const char* const FAR_OUT_TEXTS[] = {"99999", "-5", "$FFFF", "%1111111111", "-2147483648", "99999999999"};

enum class Command {
    SaveRange,
    ImportSprites,
    GrabPreview,
    GrabCornerDrag,
    ExportBmp,
    ResizeFieldsChanged,
    AnimationTicks,
    AnimationDelay,
    SheetPreview,
    FilePreview,
    GenerateOnTheEventThread,
    GenerateOnTheWorker,
    SaveAsm,
};

struct FieldCase {
    const char* name;
    Control field;
    std::vector<Command> readers;
};

void PrintTo(const FieldCase& c, std::ostream* out) { *out << c.name; }

const FieldCase FIELDS[] = {
    {"GadgetRangeFrom", Control::GadgetRangeFrom, {Command::SaveRange}},
    {"GadgetRangeTo", Control::GadgetRangeTo, {Command::SaveRange}},
    {"GadgetGrabX", Control::GadgetGrabX, {Command::ImportSprites, Command::GrabPreview, Command::GrabCornerDrag}},
    {"GadgetGrabY", Control::GadgetGrabY, {Command::ImportSprites, Command::GrabPreview, Command::GrabCornerDrag}},
    {"GadgetGrabWidth", Control::GadgetGrabWidth, {Command::ImportSprites, Command::GrabPreview, Command::GrabCornerDrag}},
    {"GadgetGrabHeight", Control::GadgetGrabHeight, {Command::ImportSprites, Command::GrabPreview, Command::GrabCornerDrag}},
    {"GadgetResizeWidth", Control::GadgetResizeWidth, {Command::ExportBmp, Command::ResizeFieldsChanged, Command::GrabCornerDrag}},
    {"GadgetResizeHeight", Control::GadgetResizeHeight, {Command::ExportBmp, Command::ResizeFieldsChanged, Command::GrabCornerDrag}},
    {"GadgetAnimFrame", Control::GadgetAnimFrame, {Command::AnimationTicks}},
    {"GadgetAnimCount", Control::GadgetAnimCount, {Command::AnimationTicks}},
    {"GadgetAnimDelay", Control::GadgetAnimDelay, {Command::AnimationDelay, Command::AnimationTicks}},
    {"GadgetSheetWidth", Control::GadgetSheetWidth, {Command::SheetPreview, Command::FilePreview}},
    {"GadgetSheetCount", Control::GadgetSheetCount, {Command::SheetPreview, Command::FilePreview}},
    {"GadgetSheetOffset", Control::GadgetSheetOffset, {Command::SheetPreview, Command::FilePreview}},
    {"GadgetLabelText", Control::GadgetLabelText,
     {Command::GenerateOnTheEventThread, Command::GenerateOnTheWorker, Command::SaveAsm}},
};

class FarOutText : public testing_support::SessionTest, public ::testing::WithParamInterface<FieldCase> {
protected:
    // A picture on the import canvas, three sprites with content, and a sprite file
    // for the file list's preview.
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        const QString picture = path("picture.png");
        ASSERT_TRUE(testing_support::tablePicture(64, 48, testing_support::randomIndices(64, 48, 5)).save(picture));
        dialogs.answerOpenFile(picture);
        press(Control::GadgetLoadImage);
        for (int i = 0; i < 2; ++i) press(Control::GadgetAddSprite);
        for (std::size_t i = 0; i < 3 * 256; ++i) model().sheet.bytes[i] = static_cast<std::uint8_t>(i * 13);
        model().loadGrid();
        std::vector<std::uint8_t> file(2000);
        for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 5);
        writeBytes(path("preview.spr"), file);
    }

    void press(Control control) { window().button(control)->click(); }

    // The model never leaves its 64 sprites.
    void expectModelInBounds() {
        EXPECT_GE(model().spriteCount, 1);
        EXPECT_LE(model().spriteCount, 64);
        EXPECT_GE(model().currentSprite, 1);
        EXPECT_LE(model().currentSprite, 64);
    }

    std::string listing() { return window().textArea(Control::GadgetAsmText)->toPlainText().toStdString(); }

    // Label lines of a listing: those ending in ':'.
    static int labelLines(const std::string& text) {
        int labels = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            const std::size_t stop = end == std::string::npos ? text.size() : end;
            labels += stop > start && text[stop - 1] == ':';
            start = stop + 1;
        }
        return labels;
    }

    void run(Command command, const QString& text);
};

void FarOutText::run(Command command, const QString& text) {
    switch (command) {
        case Command::SaveRange: {
            const QString target = path("range.spr");
            QFile::remove(target);
            dialogs.answerSaveFile(target);
            press(Control::GadgetSaveRange);
            const auto written = readBytes(target);
            // Both ends are kept within the sheet: from 63 on, one sprite; up to below 0, the first.
            if (window().statusText().startsWith("Success")) {
                ASSERT_FALSE(written.empty());
                EXPECT_EQ(written.size() % 256, 0u);
                EXPECT_LE(written.size(), 64u * 256);
                EXPECT_EQ(window().statusText(),
                          QStringLiteral("Success - Saved sprite sheet %1").arg(written.size() / 256));
            } else {
                EXPECT_EQ(window().statusText(), "Failed - Could not save sprites");
                EXPECT_TRUE(written.empty());
            }
            break;
        }
        case Command::ImportSprites: {
            dialogs.clear();
            press(Control::GadgetImportSprites);
            const auto boxes = dialogs.callsOf(app::DialogCall::Kind::Message);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_TRUE(boxes[0].text.startsWith("Imported sprites : "));
            EXPECT_LE(boxes[0].text.mid(19).toInt(), 64);
            break;
        }
        case Command::GrabPreview:
            commands().handleControl(GetParam().field, ControlEvent::Change);
            break;
        case Command::GrabCornerDrag:
            // A right drag on the import canvas redraws the grab preview from the fields first.
            commands().handleCanvas(Control::GadgetImportCanvas, app::CanvasEvent{app::CanvasEvent::Type::RightDown,
                                                                                  40, 20, false, true, false});
            commands().handleCanvas(Control::GadgetImportCanvas,
                                    app::CanvasEvent{app::CanvasEvent::Type::Move, 41, 21, false, true, false});
            break;
        case Command::ExportBmp: {
            const QString target = path("export.bmp");
            QFile::remove(target);
            window().setControlState(Control::GadgetResize, 0);  // the export reads the two fields
            dialogs.answerSaveFile(target);
            press(Control::GadgetExportBmp);
            const auto written = readBytes(target);
            if (window().statusText() == "Saved " + target + ".") {
                const int width = app::textToNumber(window().controlText(Control::GadgetResizeWidth));
                EXPECT_GT(written.size(), 54u);
                EXPECT_GT(width, 0);
            } else {
                EXPECT_EQ(window().statusText(), "Failed to save " + target);
                EXPECT_TRUE(written.empty());
            }
            break;
        }
        case Command::ResizeFieldsChanged:
            commands().handleControl(GetParam().field, ControlEvent::Change);
            break;
        case Command::AnimationTicks:
            for (int i = 0; i < 5; ++i) commands().animationTick();
            break;
        case Command::AnimationDelay:
            commands().handleControl(Control::GadgetAnimDelay, ControlEvent::Change);
            EXPECT_GT(program().animationTimer->interval(), 0);
            break;
        case Command::SheetPreview:
            press(Control::GadgetPreviewButton);
            commands().handleControl(GetParam().field, ControlEvent::Change);
            break;
        case Command::FilePreview: {
            const QModelIndex row = window().fileModel()->index(path("preview.spr"));
            ASSERT_TRUE(row.isValid());
            window().fileList()->setCurrentIndex(row);
            commands().handleControl(Control::GadgetFileList, ControlEvent::Click);
            break;
        }
        case Command::GenerateOnTheEventThread:
            commands().handleMenu(ui::PopupOutputGenerate);
            EXPECT_EQ(labelLines(listing()), model().spriteCount);
            EXPECT_EQ(listing().rfind(text.toStdString(), 0), 0u) << "the label field's text leads the listing";
            break;
        case Command::GenerateOnTheWorker:
            window().setControlText(Control::GadgetAsmText, QString());
            press(Control::GadgetGenerate);
            ASSERT_TRUE(testing_support::spinUntil([this] { return !program().state.listingRunning; }));
            EXPECT_EQ(labelLines(listing()), model().spriteCount);
            break;
        case Command::SaveAsm: {
            dialogs.clear();
            dialogs.answerSaveFile(path("listing.asm"));
            press(Control::GadgetSaveAsm);
            ASSERT_FALSE(dialogs.callsOf(app::DialogCall::Kind::Message).empty());
            EXPECT_EQ(dialogs.callsOf(app::DialogCall::Kind::Message).back().text, "Save complete.");
            EXPECT_GT(readBytes(path("listing.asm")).size(), 16u * 84);
            break;
        }
    }
}

TEST_P(FarOutText, EveryReaderCopes) {
    for (const char* typed : FAR_OUT_TEXTS) {
        const QString text = QString::fromLatin1(typed);
        SCOPED_TRACE(typed);
        window().setControlText(GetParam().field, text);
        ASSERT_EQ(window().controlText(GetParam().field), text);
        for (Command command : GetParam().readers) {
            SCOPED_TRACE(static_cast<int>(command));
            const auto grid = model().grid;
            run(command, text);
            if (HasFatalFailure()) return;
            expectModelInBounds();
            // Only the import changes the sprites.
            if (command != Command::ImportSprites) {
                EXPECT_EQ(model().grid, grid);
            }
        }
    }
    EXPECT_TRUE(dialogs.unexpectedCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryReadField, FarOutText, ::testing::ValuesIn(FIELDS),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
