// Far-out texts in every field a command reads back, then every command that reads
// fields: nothing crashes, the model keeps its 64 sprites, whatever is written is whole.
#include "session_fixture.h"

using namespace testing_support;
using ui::ControlEvent;

namespace {

struct Field {
    const char* name;
    Control id;
};
void PrintTo(const Field& field, std::ostream* out) { *out << field.name; }

#define FIELD(id) Field{#id, Control::id}
const Field FIELDS[] = {
    FIELD(GadgetRangeFrom),   FIELD(GadgetRangeTo),      FIELD(GadgetGrabX),       FIELD(GadgetGrabY),
    FIELD(GadgetGrabWidth),   FIELD(GadgetGrabHeight),   FIELD(GadgetResizeWidth), FIELD(GadgetResizeHeight),
    FIELD(GadgetAnimFrame),   FIELD(GadgetAnimCount),    FIELD(GadgetAnimDelay),   FIELD(GadgetSheetWidth),
    FIELD(GadgetSheetCount),  FIELD(GadgetSheetOffset),  FIELD(GadgetLabelText)};
#undef FIELD

class FarOutText : public SessionTest,
                   public ::testing::WithParamInterface<Field> {
protected:
    // A picture on the import canvas, three sprites with content, a file to preview.
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(tablePicture(64, 48, randomIndices(64, 48, 5)).save(path("p.png")));
        pressOpening(Control::GadgetLoadImage, path("p.png"));
        for (int i = 0; i < 2; ++i) press(Control::GadgetAddSprite);
        for (std::size_t i = 0; i < 3 * 256; ++i) model().sheet.bytes[i] = static_cast<std::uint8_t>(i * 13);
        model().loadGrid();
        writeBytes(path("preview.spr"), Bytes(2000, 0x5A));
    }
    int labelLines() {  // one a sprite, each ending in ':'
        const std::string text = window().textArea(Control::GadgetAsmText)->toPlainText().toStdString();
        int labels = 0;
        for (std::size_t at = text.find(":\n"); at != std::string::npos; at = text.find(":\n", at + 1)) ++labels;
        return labels;
    }
    // A file-writing command: the success text and whole sprites or bitmap, or
    // the failure text and no file.
    void saveTo(Control button, const char* name, const QString& success, const QString& failure) {
        QFile::remove(path(name));
        pressSaving(button, path(name));
        const std::size_t size = readBytes(path(name)).size();
        if (window().statusText() == failure) {
            EXPECT_EQ(size, 0u);
        } else if (button == Control::GadgetSaveRange) {
            EXPECT_TRUE(size > 0 && size % 256 == 0 && size <= 64 * 256) << size;
            EXPECT_EQ(window().statusText(), success.arg(size / 256));
        } else {
            EXPECT_EQ(window().statusText(), success);
            EXPECT_GT(size, 1078u);
        }
    }
    void commandsReadingFields(const std::string& typed) {
        const auto grid = model().grid;
        const auto importEvent = [&](toolkit::CanvasEvent::Type type, int x) {
            commands().handleCanvas(Control::GadgetImportCanvas, toolkit::CanvasEvent{type, x, x / 2, false, true, false});
        };
        saveTo(Control::GadgetSaveRange, "range.spr", "Success - Saved sprite sheet %1",
               "Failed - Could not save sprites");
        window().setControlState(Control::GadgetResize, 0);  // the export reads the resize fields
        saveTo(Control::GadgetExportBmp, "export.bmp", "Saved " + path("export.bmp") + ".",
               "Failed to save " + path("export.bmp"));
        importEvent(toolkit::CanvasEvent::Type::RightDown, 40);  // redraws the grab preview from the fields first
        importEvent(toolkit::CanvasEvent::Type::Move, 41);
        commands().handleControl(GetParam().id, ControlEvent::Change);
        for (int i = 0; i < 5; ++i) commands().animationTick();
        EXPECT_GT(program().animationTimer->interval(), 0);
        press(Control::GadgetPreviewButton);
        window().fileList()->setCurrentIndex(window().fileModel()->index(path("preview.spr")));
        commands().handleControl(Control::GadgetFileList, ControlEvent::Click);

        commands().handleMenu(ui::PopupOutputGenerate);
        EXPECT_EQ(labelLines(), model().spriteCount);
        const std::string listing = window().textArea(Control::GadgetAsmText)->toPlainText().toStdString();
        EXPECT_TRUE(GetParam().id != Control::GadgetLabelText || listing.rfind(typed, 0) == 0) << "label first";
        window().setControlText(Control::GadgetAsmText, QString());
        press(Control::GadgetGenerate);
        ASSERT_TRUE(spinUntil([this] { return !program().state.listingRunning; }));
        EXPECT_EQ(labelLines(), model().spriteCount);
        pressSaving(Control::GadgetSaveAsm, path("listing.asm"));
        EXPECT_EQ(lastDialog(), "Save|Save complete.");

        EXPECT_EQ(model().grid, grid) << "only the import changes the sprites";
        press(Control::GadgetImportSprites);
        ASSERT_TRUE(lastDialog().startsWith("Success|Imported sprites : "));
        EXPECT_TRUE(model().spriteCount >= 1 && model().spriteCount <= 64);
        EXPECT_TRUE(model().currentSprite >= 1 && model().currentSprite <= 64);
    }
};

TEST_P(FarOutText, EveryReaderCopes) {
    for (const char* typed : {"99999", "-5", "$FFFF", "%1111111111", "-2147483648", "99999999999"}) {
        SCOPED_TRACE(typed);
        window().setControlText(GetParam().id, typed);
        ASSERT_EQ(text(GetParam().id), typed);
        commandsReadingFields(typed);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryReadField, FarOutText, ::testing::ValuesIn(FIELDS),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
