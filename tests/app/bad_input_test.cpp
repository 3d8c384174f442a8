// Awkward input through the real window: palette files of every awkward length at
// start-up (the working folder's before the program's own copy), broken pictures by
// button and by drop. What cannot be read changes nothing; what can is used as far
// as it goes. (Sprite files of awkward sizes: io.)
#include <QApplication>

#include <optional>

#include "session_fixture.h"

using namespace testing_support;
using toolkit::CanvasEvent;

namespace {

enum : long long { MISSING = -1, FOLDER = -2, ENDLESS = -3 };

struct PaletteCase {
    const char* name;
    long long bytes;
    std::optional<std::size_t> entries;  // none: refused with the "ERROR!" box
    bool shipped = false;                // the program's own copy to fall back on
};
void PrintTo(const PaletteCase& c, std::ostream* out) { *out << c.name; }

class PaletteAtStartUp : public ::testing::TestWithParam<PaletteCase> {
protected:
    // Every command that reads the palette or the slots, with positions swept over
    // the palette chart and the slot strip and a little beyond both.
    static void useThePalette(app::Session& session) {
        app::CommandTable& commands = *session.commands;
        ui::WindowMain& window = *session.window;
        for (Control id : {Control::GadgetPaletteCanvas, Control::GadgetSlotCanvas}) {
            const toolkit::Canvas* surface = window.canvas(id);
            for (int y = -3; y < surface->surfaceHeight() + 20; y += 13)
                for (int x = -3; x < surface->surfaceWidth() + 20; x += 17)
                    for (Type type : {Type::LeftDown, Type::RightDown, Type::LeftDoubleClick})
                        commands.handleCanvas(id, {type, x, y, type != Type::RightDown, type == Type::RightDown, false});
        }
        for (bool pick : {false, true}) {  // paint with the chosen colour, then pick one back
            if (pick) commands.handleMenu(ui::ShortcutPickColour);
            commands.handleCanvas(Control::GadgetEditorCanvas, {Type::LeftDown, 30, 30, true, false, false});
            commands.handleCanvas(Control::GadgetEditorCanvas, {Type::LeftUp, 30, 30, false, false, false});
        }
        for (Control button : {Control::GadgetPalettePicture, Control::GadgetPalettePicture,
                               Control::GadgetPalettePicture, Control::GadgetAddSprite, Control::GadgetShowTransparent,
                               Control::GadgetSavePalette, Control::GadgetPreviewButton})
            window.button(button)->click();
        commands.handleMenu(ui::PopupOutputGenerate);
    }
};

TEST_P(PaletteAtStartUp, StartsWithWhatTheFileHoldsOrRefusesIt) {
    const PaletteCase& c = GetParam();
    QTemporaryDir dir;
    toolkit::ScriptedDialogs dialogs;
    const QString file = dir.filePath("rgb9spreada.pal");
    if (c.bytes == ENDLESS) {
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), file));
    } else if (c.bytes == FOLDER) {
        ASSERT_TRUE(QDir(dir.path()).mkdir("rgb9spreada.pal"));
    } else if (c.bytes >= 0) {
        Bytes bytes = readBytes(QStringLiteral(VIROROR_RESOURCES "/rgb9spreada.pal"));
        bytes.resize(static_cast<std::size_t>(c.bytes), 0x99);
        writeBytes(file, bytes);
    }
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    QTemporaryDir noShippedPalette;
    const QString shipped = c.shipped ? QStringLiteral(VIROROR_RESOURCES) : noShippedPalette.path();
    std::unique_ptr<app::Session> session = app::startEditor(dialogs, dir.path(), shipped);

    if (!c.entries) {
        EXPECT_EQ(session, nullptr);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        EXPECT_EQ(dialogs.calls()[0].title + "|" + dialogs.calls()[0].text, "ERROR!|Cannot load r3g3b2.txt palette!");
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
        return;
    }
    ASSERT_NE(session, nullptr);
    ASSERT_EQ(session->program.palette.size(), *c.entries);
    EXPECT_EQ(session->program.colourSlots.size(), *c.entries);
    // Without an entry for 0xE3 the transparent cells show black.
    EXPECT_EQ(session->window->canvas(Control::GadgetEditorCanvas)->readPixel(10, 10) == 0, *c.entries <= 0xE3);

    useThePalette(*session);
    EXPECT_EQ(readBytes(dir.filePath("colors.pal")).size(), 512u);
    EXPECT_TRUE(dialogs.unexpectedCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Lengths, PaletteAtStartUp,
                         ::testing::Values(PaletteCase{"Missing", MISSING, std::nullopt},
                                           PaletteCase{"Folder", FOLDER, std::nullopt}, PaletteCase{"Empty", 0, 0},
                                           PaletteCase{"OneByte", 1, 1}, PaletteCase{"OneShort", 767, 256},
                                           PaletteCase{"Exact", 768, 256}, PaletteCase{"OneOver", 769, 257},
                                           PaletteCase{"TenMegabytes", 10'000'000, std::nullopt},
                                           PaletteCase{"Endless", ENDLESS, std::nullopt},
                                           PaletteCase{"MissingTakesTheShippedOne", MISSING, 256, true},
                                           PaletteCase{"OneByteBeforeTheShippedOne", 1, 1, true}),
                         [](const auto& param) { return std::string(param.param.name); });

class PictureInput : public SessionTest {};

TEST_F(PictureInput, BrokenPicturesChangeNothingAndANonAsciiNameLoads) {
    const QImage picture = tablePicture(24, 24, randomIndices(24, 24, 17));
    const QImage& canvas = window().canvas(Control::GadgetImportCanvas)->image();
    const auto resizeText = [&] { return text(Control::GadgetResizeWidth) + "x" + text(Control::GadgetResizeHeight); };
    const auto load = [&](const QString& name, bool dropped) {
        if (!dropped) dialogs.answerOpenFile(name);
        dropped ? commands().handleDrop({name}) : press(Control::GadgetLoadImage);
    };
    ASSERT_TRUE(picture.save(path("good.png")));
    load(path("good.png"), false);
    ASSERT_EQ(canvas.pixel(23, 23), picture.pixel(23, 23));
    window().setControlText(Control::GadgetResizeWidth, "77");
    const QImage before = canvas.copy();

    ASSERT_TRUE(picture.save(path("whole.png")) && picture.save(path("whole.jpg")));
    const Bytes png = readBytes(path("whole.png")), jpeg = readBytes(path("whole.jpg"));
    Bytes corruptHeader = png;
    corruptHeader[17] ^= 0x40;  // the width inside IHDR, its checksum now wrong
    const std::string words = "This is not a picture at all.\n";
    const std::pair<const char*, std::optional<Bytes>> broken[] = {  // none: not written here
        {"corrupt-header.png", corruptHeader},
        {"truncated.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 3))},
        {"not-a-picture.png", Bytes(words.begin(), words.end())},
        {"folder.png", std::nullopt},
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    for (const auto& [name, bytes] : broken) {
        if (bytes) writeBytes(path(name), *bytes);
        for (bool dropped : {false, true}) {
            SCOPED_TRACE(std::string(name) + (dropped ? " dropped" : " by button"));
            load(path(name), dropped);
            EXPECT_EQ(canvas, before);
            EXPECT_EQ(resizeText(), "77x24");
        }
    }
    EXPECT_TRUE(dialogs.callsOf(toolkit::DialogCall::Kind::Message).empty());

    const QString name = path("Mein Bild – Größe ½ Ünïcødé.png");
    ASSERT_TRUE(picture.save(name));
    for (bool dropped : {false, true}) {
        app::clearImportCanvas(program());
        load(name, dropped);
        EXPECT_EQ(resizeText(), "24x24");
        EXPECT_EQ(canvas, before) << (dropped ? "dropped" : "by button");
    }
}

}  // namespace
