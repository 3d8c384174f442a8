// Texts far outside their ranges in every field a command reads back, then every
// command that reads that field, through the real window. The spin arrows keep
// values in range, but a field's text is the setting and the commands read it
// with the program's number rule, so each must cope with any text: nothing
// crashes, the model stays within its 64 sprites, and whatever is written is whole.
#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeView>

#include <string>
#include <vector>

#include "app/commands.h"
#include "session_fixture.h"

using testing_support::readBytes;
using ui::Control;
using ui::ControlEvent;

namespace {

const char* const FAR_OUT_TEXTS[] = {"99999", "-5", "$FFFF", "%1111111111", "-2147483648", "99999999999"};

enum class Command { SaveRange, Import, FieldChanged, GrabCornerDrag, ExportBmp, Ticks, Delay, SheetPreview,
                     FilePreview, Generate, GenerateOnTheWorker, SaveAsm };

struct FieldCase {
    const char* name;
    Control field;
    std::vector<Command> readers;
};
void PrintTo(const FieldCase& c, std::ostream* out) { *out << c.name; }

using C = Command;
const FieldCase FIELDS[] = {
    {"GadgetRangeFrom", Control::GadgetRangeFrom, {C::SaveRange}},
    {"GadgetRangeTo", Control::GadgetRangeTo, {C::SaveRange}},
    {"GadgetGrabX", Control::GadgetGrabX, {C::Import, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetGrabY", Control::GadgetGrabY, {C::Import, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetGrabWidth", Control::GadgetGrabWidth, {C::Import, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetGrabHeight", Control::GadgetGrabHeight, {C::Import, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetResizeWidth", Control::GadgetResizeWidth, {C::ExportBmp, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetResizeHeight", Control::GadgetResizeHeight, {C::ExportBmp, C::FieldChanged, C::GrabCornerDrag}},
    {"GadgetAnimFrame", Control::GadgetAnimFrame, {C::Ticks}},
    {"GadgetAnimCount", Control::GadgetAnimCount, {C::Ticks}},
    {"GadgetAnimDelay", Control::GadgetAnimDelay, {C::Delay, C::Ticks}},
    {"GadgetSheetWidth", Control::GadgetSheetWidth, {C::SheetPreview, C::FilePreview}},
    {"GadgetSheetCount", Control::GadgetSheetCount, {C::SheetPreview, C::FilePreview}},
    {"GadgetSheetOffset", Control::GadgetSheetOffset, {C::SheetPreview, C::FilePreview}},
    {"GadgetLabelText", Control::GadgetLabelText, {C::Generate, C::GenerateOnTheWorker, C::SaveAsm}},
};

class FarOutText : public testing_support::SessionTest, public ::testing::WithParamInterface<FieldCase> {
protected:
    // A picture on the import canvas, three sprites with content, a file to preview.
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(testing_support::tablePicture(64, 48, testing_support::randomIndices(64, 48, 5)).save(path("p.png")));
        dialogs.answerOpenFile(path("p.png"));
        press(Control::GadgetLoadImage);
        for (int i = 0; i < 2; ++i) press(Control::GadgetAddSprite);
        for (std::size_t i = 0; i < 3 * 256; ++i) model().sheet.bytes[i] = static_cast<std::uint8_t>(i * 13);
        model().loadGrid();
        testing_support::writeBytes(path("preview.spr"), testing_support::Bytes(2000, 0x5A));
    }
    std::string listing() { return window().textArea(Control::GadgetAsmText)->toPlainText().toStdString(); }
    int labelLines() {  // one a sprite, each ending in ':'
        const std::string text = listing();
        int labels = 0;
        for (std::size_t at = text.find(":\n"); at != std::string::npos; at = text.find(":\n", at + 1)) ++labels;
        return labels;
    }
    // Runs a file-writing command into name: whole on success, nothing on failure.
    void saveTo(Control button, const char* name, const QString& success, const QString& failure) {
        QFile::remove(path(name));
        dialogs.answerSaveFile(path(name));
        press(button);
        const auto written = readBytes(path(name));
        if (window().statusText() == failure) {
            EXPECT_TRUE(written.empty());
        } else {
            EXPECT_TRUE(window().statusText().startsWith(success)) << window().statusText().toStdString();
            EXPECT_FALSE(written.empty());
        }
    }
    void run(Command command, const QString& text);
};

void FarOutText::run(Command command, const QString& text) {
    const auto canvasEvent = [&](app::CanvasEvent::Type type, int x) {
        commands().handleCanvas(Control::GadgetImportCanvas, app::CanvasEvent{type, x, x / 2, false, true, false});
    };
    switch (command) {
        case C::SaveRange:
            saveTo(Control::GadgetSaveRange, "range.spr", "Success - Saved sprite sheet ", "Failed - Could not save sprites");
            if (const auto size = readBytes(path("range.spr")).size(); size > 0) {
                EXPECT_EQ(size % 256, 0u);
                EXPECT_LE(size, 64u * 256);
                EXPECT_EQ(window().statusText(), QStringLiteral("Success - Saved sprite sheet %1").arg(size / 256));
            }
            break;
        case C::Import:
            dialogs.clear();
            press(Control::GadgetImportSprites);
            ASSERT_TRUE(lastDialog().startsWith("Success|Imported sprites : "));
            EXPECT_LE(lastDialog().mid(27).toInt(), 64);
            break;
        case C::FieldChanged:
            commands().handleControl(GetParam().field, ControlEvent::Change);
            break;
        case C::GrabCornerDrag:  // redraws the grab preview from the fields first
            canvasEvent(app::CanvasEvent::Type::RightDown, 40);
            canvasEvent(app::CanvasEvent::Type::Move, 41);
            break;
        case C::ExportBmp:
            window().setControlState(Control::GadgetResize, 0);  // the export reads the two fields
            saveTo(Control::GadgetExportBmp, "export.bmp", "Saved ", "Failed to save " + path("export.bmp"));
            break;
        case C::Ticks:
            for (int i = 0; i < 5; ++i) commands().animationTick();
            break;
        case C::Delay:
            commands().handleControl(Control::GadgetAnimDelay, ControlEvent::Change);
            EXPECT_GT(program().animationTimer->interval(), 0);
            break;
        case C::SheetPreview:
            press(Control::GadgetPreviewButton);
            commands().handleControl(GetParam().field, ControlEvent::Change);
            break;
        case C::FilePreview:
            window().fileList()->setCurrentIndex(window().fileModel()->index(path("preview.spr")));
            commands().handleControl(Control::GadgetFileList, ControlEvent::Click);
            break;
        case C::Generate:
            commands().handleMenu(ui::PopupOutputGenerate);
            EXPECT_EQ(labelLines(), model().spriteCount);
            EXPECT_EQ(listing().rfind(text.toStdString(), 0), 0u) << "the label field's text leads the listing";
            break;
        case C::GenerateOnTheWorker:
            window().setControlText(Control::GadgetAsmText, QString());
            press(Control::GadgetGenerate);
            ASSERT_TRUE(testing_support::spinUntil([this] { return !program().state.listingRunning; }));
            EXPECT_EQ(labelLines(), model().spriteCount);
            break;
        case C::SaveAsm:
            dialogs.answerSaveFile(path("listing.asm"));
            press(Control::GadgetSaveAsm);
            EXPECT_EQ(lastDialog(), "Save|Save complete.");
            EXPECT_GT(readBytes(path("listing.asm")).size(), 16u * 84);
            break;
    }
}

TEST_P(FarOutText, EveryReaderCopes) {
    for (const char* typed : FAR_OUT_TEXTS) {
        SCOPED_TRACE(typed);
        window().setControlText(GetParam().field, typed);
        ASSERT_EQ(text(GetParam().field), typed);
        for (Command command : GetParam().readers) {
            SCOPED_TRACE(static_cast<int>(command));
            const auto grid = model().grid;
            run(command, typed);
            if (HasFatalFailure()) return;
            EXPECT_TRUE(model().spriteCount >= 1 && model().spriteCount <= 64);
            EXPECT_TRUE(model().currentSprite >= 1 && model().currentSprite <= 64);
            EXPECT_TRUE(command == C::Import || model().grid == grid) << "only the import changes the sprites";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryReadField, FarOutText, ::testing::ValuesIn(FIELDS),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
