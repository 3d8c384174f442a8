// Awkward input through the real window: palette files of every awkward length at
// start-up, sprite files around the sprite size, broken pictures by button and by
// drop. What cannot be read changes nothing; what can is used as far as it goes.
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
                    for (Type type : {Type::LeftDown, Type::RightDown, Type::LeftDoubleClick}) {
                        const bool right = type == Type::RightDown;
                        commands.handleCanvas(id, toolkit::CanvasEvent{type, x, y, !right, right, false});
                    }
        }
        for (bool pick : {false, true}) {  // paint with the chosen colour, then pick one back
            if (pick) commands.handleMenu(ui::ShortcutPickColour);
            commands.handleCanvas(Control::GadgetEditorCanvas, toolkit::CanvasEvent{Type::LeftDown, 30, 30, true, false, false});
            commands.handleCanvas(Control::GadgetEditorCanvas, toolkit::CanvasEvent{Type::LeftUp, 30, 30, false, false, false});
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
    std::unique_ptr<app::Session> session = app::startEditor(dialogs, dir.path());

    if (!c.entries) {
        EXPECT_EQ(session, nullptr);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        EXPECT_EQ(dialogs.calls()[0].title + "|" + dialogs.calls()[0].text, "ERROR!|Cannot load r3g3b2.txt palette!");
        EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
        return;
    }
    ASSERT_NE(session, nullptr);
    const palette::Palette& colours = session->program.palette;
    ASSERT_EQ(colours.size(), *c.entries);
    EXPECT_EQ(session->program.colourSlots.size(), *c.entries);
    if (c.bytes % 3 != 0) {  // the missing components of the last record read as 0
        EXPECT_EQ(colours[colours.size() - 1].blue, 0);
        EXPECT_TRUE(c.bytes % 3 == 2 || colours[colours.size() - 1].green == 0);
    }
    // Without an entry for 0xE3 the transparent cells show black.
    const int cellColour = session->window->canvas(Control::GadgetEditorCanvas)->readPixel(10, 10);
    EXPECT_EQ(cellColour == 0, *c.entries <= 0xE3);

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
                                           PaletteCase{"Endless", ENDLESS, std::nullopt}),
                         [](const auto& test) { return std::string(test.param.name); });

class SpriteFileInput : public SessionTest,
                        public ::testing::WithParamInterface<std::pair<std::size_t, int>> {};

// bytes -> sprites loaded (0: the load fails and changes nothing), through the
// preview (which never loads), the button and the file list's double click.
TEST_P(SpriteFileInput, LoadsAsFarAsTheFileGoesOrChangesNothing) {
    const auto [size, sprites] = GetParam();
    for (int i = 0; i < 2; ++i) press(Control::GadgetAddSprite);
    for (std::size_t i = 0; i < model().sheet.bytes.size(); ++i) model().sheet.bytes[i] = std::uint8_t(i / 256);
    model().loadGrid();
    const auto sheetBefore = model().sheet.bytes;
    const Bytes bytes = randomIndices(static_cast<int>(size), 1, 3);
    writeBytes(path("input.spr"), bytes);
    const QModelIndex row = window().fileModel()->index(path("input.spr"));
    ASSERT_TRUE(row.isValid());
    window().fileList()->setCurrentIndex(row);

    const QImage sheetView = window().canvas(Control::GadgetSheetCanvas)->image().copy();
    commands().handleControl(Control::GadgetFileList, ui::ControlEvent::Click);
    EXPECT_EQ(model().sheet.bytes, sheetBefore);
    EXPECT_TRUE(size == 0 || window().canvas(Control::GadgetSheetCanvas)->image() != sheetView) << "shows the file";

    Bytes expected(bytes.begin(), bytes.begin() + std::min<std::ptrdiff_t>(sprites * 256, std::ptrdiff_t(size)));
    expected.resize(std::size_t(sprites) * 256, 0);  // a short last sprite is completed with 0
    expected.resize(model::SHEET_SPRITE_BYTES, 0xFF);
    for (bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "button" : "double click");
        if (byButton) pressOpening(Control::GadgetLoadSheet, path("input.spr"));
        else commands().handleControl(Control::GadgetFileList, ui::ControlEvent::DoubleClick);
        if (sprites == 0) {
            EXPECT_EQ(window().statusText(), "Failed to load - Could not load sprites");
            EXPECT_EQ(model().sheet.bytes, sheetBefore);
            EXPECT_EQ(model().spriteCount, 3);
            continue;
        }
        EXPECT_EQ(lastDialog(), QStringLiteral("Success|Loaded %1 sprite(s).").arg(sprites));
        EXPECT_EQ(countAndCurrent(), std::pair(sprites, 1));
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), model().sheet.bytes.begin()));
        EXPECT_EQ(model().grid.cell(0, 0), bytes[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, SpriteFileInput,
                         ::testing::ValuesIn(std::vector<std::pair<std::size_t, int>>{
                             {0, 0}, {1, 1}, {255, 1}, {256, 1}, {257, 2}, {1'000'000, 64}}),
                         [](const auto& test) { return std::to_string(test.param.first) + "Bytes"; });

class PictureInput : public SessionTest {};

TEST_F(PictureInput, BrokenPicturesChangeNothingAndANonAsciiNameLoads) {
    const QImage picture = tablePicture(24, 24, randomIndices(24, 24, 17));
    const QImage& canvas = window().canvas(Control::GadgetImportCanvas)->image();
    const auto resizeText = [&] { return text(Control::GadgetResizeWidth) + "x" + text(Control::GadgetResizeHeight); };
    const auto load = [&](const QString& name, bool dropped) {
        if (dropped) commands().handleDrop({name});
        else pressOpening(Control::GadgetLoadImage, name);
    };
    ASSERT_TRUE(picture.save(path("good.png")));
    load(path("good.png"), false);
    ASSERT_EQ(canvas.pixel(23, 23), picture.pixel(23, 23));
    window().setControlText(Control::GadgetResizeWidth, "77");
    const QImage before = canvas.copy();

    const Bytes png = encoded(picture, "PNG"), bmp = encoded(picture, "BMP"), jpeg = encoded(picture, "JPEG");
    Bytes corruptHeader = png, badSignature = png;
    corruptHeader[17] ^= 0x40;  // the width inside IHDR, its checksum now wrong
    badSignature[1] = 'Q';
    const std::string words = "This is not a picture at all.\n";
    const std::pair<const char*, std::optional<Bytes>> broken[] = {  // none: not written here
        {"truncated.png", Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2))},
        {"corrupt-header.png", corruptHeader},
        {"bad-signature.png", badSignature},
        {"truncated.bmp", Bytes(bmp.begin(), bmp.end() - 100)},
        {"truncated.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 3))},
        {"not-a-picture.png", Bytes(words.begin(), words.end())},
        {"zero-bytes.gif", {}},
        {"missing.gif", std::nullopt},
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
