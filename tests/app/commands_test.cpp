// User-level scenarios through the real window: clicks and drags on the canvases,
// shortcuts, buttons and scripted dialogs, checked against files, cells and pixels.
#include <QLabel>

#include "session_fixture.h"

using namespace testing_support;
using toolkit::Canvas;
using toolkit::rgbColour;

namespace {

constexpr int MAGENTA = toolkit::rgbColour(255, 0, 255);

class Commands : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    toolkit::Canvas* editor() { return window().canvas(Control::GadgetEditorCanvas); }
    int cellPixel(int c, int r) { return editor()->readPixel(c * 20 + 10, r * 20 + 10); }
    // Widget position of a surface pixel: a sunken edge moves the surface in.
    static QPoint at(toolkit::Canvas* canvas, int x, int y) {
        const int edge = canvas->options().sunken ? toolkit::Canvas::SUNKEN_EDGE : 0;
        return {x + edge, y + edge};
    }
    QPoint cell(int c, int r) { return at(editor(), c * 20 + 10, r * 20 + 10); }
    void clickCell(int c, int r, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(editor(), button, {}, cell(c, r));
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(&window(), static_cast<Qt::Key>(key), modifiers);
    }
    void addByKey() { key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier); }
    void chooseColours(int left, int right) {
        app::showLeftColour(program(), left);
        program().state.leftColour = left;
        app::showRightColour(program(), right);
    }
};

TEST_F(Commands, FreshStartShowsAnEmptySheet) {
    EXPECT_EQ(text(Control::GadgetSpriteNumber), "0");
    EXPECT_EQ(text(Control::GadgetSpriteCount), "0");
    EXPECT_EQ(window().windowTitle(), "Viroror v0.4.8b");
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            EXPECT_EQ(model().grid.cell(c, r), 0xE3);
            EXPECT_EQ(cellPixel(c, r), MAGENTA);
        }
    EXPECT_EQ(editor()->readPixel(0, 0), 0);  // the black lattice
    EXPECT_EQ(editor()->readPixel(320, 320), 0);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours : 1");
    key(Qt::Key_Right);  // nothing to step to, so nothing recounts
    press(Control::GadgetAddSprite);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
}

TEST_F(Commands, PaintRotateStepAndSaveAllSprites) {
    chooseColours(0x1C, 0x03);
    clickCell(0, 0);
    clickCell(3, 5, Qt::RightButton);
    EXPECT_EQ(model().grid.cell(0, 0), 0x1C);
    EXPECT_EQ(model().grid.cell(3, 5), 0x03);
    EXPECT_EQ(model().history.undoPosition(), 2 * 256);  // one snapshot per release

    key(Qt::Key_R);  // rotate clockwise
    EXPECT_EQ(model().grid.cell(15, 0), 0x1C);
    EXPECT_EQ(model().grid.cell(10, 3), 0x03);
    EXPECT_EQ(cellPixel(15, 0), toolkit::rgbColour(0, 0xFF, 0x24));

    addByKey();
    EXPECT_EQ(countAndCurrent(), std::pair(2, 2));
    key(Qt::Key_Left);
    EXPECT_EQ(model().grid.cell(15, 0), 0x1C);  // stored on the way out

    pressSaving(Control::GadgetSaveAll, path("sheet"));
    Bytes expected(512, 0xE3);
    expected[15] = 0x1C;
    expected[3 * 16 + 10] = 0x03;
    EXPECT_EQ(readBytes(path("sheet.SPR")), expected);
    EXPECT_EQ(window().statusText(), "Success - Saved sprite sheet 2");
    EXPECT_EQ(window().windowTitle(), "Viroror v0.4.8b - Saved : " + path("sheet.SPR"));
}

TEST_F(Commands, DragPaintsEveryCellPassedAndUndoRedoWalkTheStrokes) {
    chooseColours(0x10, 0x20);
    QTest::mousePress(editor(), Qt::LeftButton, {}, cell(0, 0));
    for (int c = 1; c < 4; ++c) {
        QMouseEvent move(QEvent::MouseMove, QPointF(cell(c, 0)), QPointF(editor()->mapToGlobal(cell(c, 0))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor(), &move);
    }
    QTest::mouseRelease(editor(), Qt::LeftButton, {}, cell(3, 0));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(model().grid.cell(c, 0), 0x10) << c;
    const model::SpriteGrid afterFirst = model().grid;
    clickCell(5, 5);
    const model::SpriteGrid afterSecond = model().grid;

    key(Qt::Key_Z);
    EXPECT_EQ(model().grid, afterFirst);
    EXPECT_EQ(cellPixel(5, 5), MAGENTA);
    key(Qt::Key_Z);
    key(Qt::Key_Z);  // nothing before the sprite as stepped to
    EXPECT_EQ(model().grid.cell(0, 0), 0xE3);
    press(Control::GadgetRedo);
    EXPECT_EQ(model().grid, afterFirst);
    press(Control::GadgetRedo);
    press(Control::GadgetRedo);  // nothing beyond the newest stroke
    EXPECT_EQ(model().grid, afterSecond);
}

TEST_F(Commands, FillKeepsCornerTouchingCellsThenCtrlPPicksFromThePalette) {
    chooseColours(0x1C, 0);
    for (int i = 0; i < 16; ++i) model().grid.cell(i, 15 - i) = 0;  // a diagonal wall
    window().setControlState(Control::GadgetShowTransparent, 0);
    press(Control::GadgetShowTransparent);  // hide transparency and show it again: the grid is redrawn
    press(Control::GadgetShowTransparent);
    press(Control::GadgetFill);
    EXPECT_EQ(window().statusText(), "Fill colour...");
    clickCell(0, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(model().grid.cell(x, y), x + y < 15 ? 0x1C : (x + y == 15 ? 0 : 0xE3)) << x << "," << y;
    press(Control::GadgetFill);  // fill off

    // Ctrl+P, then the palette chart's cell for entry 33 (row 1, column 0).
    key(Qt::Key_P);
    EXPECT_EQ(window().statusText(), "Picking colour...");
    EXPECT_EQ(window().controlState(Control::GadgetDropper), 1);
    toolkit::Canvas* palette = window().canvas(Control::GadgetPaletteCanvas);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at(palette, 8, 30));
    EXPECT_EQ(window().controlState(Control::GadgetDropper), 0);
    EXPECT_EQ(window().statusText(), "Ready");
    EXPECT_EQ(program().state.leftColour, 33);
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "33");
}

TEST_F(Commands, CutStepPasteAndMenuCutCuts) {
    chooseColours(0x42, 0);
    clickCell(1, 1);
    const auto painted = model().grid;
    key(Qt::Key_X);
    EXPECT_EQ(window().statusText(), "Block cut to clipboard");
    EXPECT_EQ(sprite(1), Bytes(256, 0xFF));  // cut out of the sheet too
    press(Control::GadgetAddSprite);
    key(Qt::Key_V);
    EXPECT_EQ(window().statusText(), "Block pasted");
    EXPECT_EQ(model().grid, painted);
    EXPECT_EQ(sprite(2)[17], 0x42);

    commands().handleMenu(ui::MenuCut);
    EXPECT_EQ(sprite(2), Bytes(256, 0xFF));
    commands().handleMenu(ui::MenuPaste);
    EXPECT_EQ(sprite(2)[17], 0x42);
}

TEST_F(Commands, AddingStopsAtSixtyFourAndStepsAreGuarded) {
    key(Qt::Key_Left);
    EXPECT_EQ(model().currentSprite, 1);
    for (int i = 0; i < 63; ++i) addByKey();
    EXPECT_EQ(model().spriteCount, 64);
    EXPECT_EQ(text(Control::GadgetSpriteCount), "63");
    EXPECT_EQ(text(Control::GadgetSpriteNumber), "63");
    addByKey();
    press(Control::GadgetAddSprite);
    key(Qt::Key_Right);
    EXPECT_EQ(countAndCurrent(), std::pair(64, 64));

    dialogs.answerYesNo(false);
    press(Control::GadgetRemoveSprite);
    dialogs.answerYesNo(true);
    press(Control::GadgetRemoveSprite);
    EXPECT_EQ(countAndCurrent(), std::pair(63, 63));  // only the yes removed one
    EXPECT_EQ(lastDialog(), "Remove LAST sprite|This will remove the last sprite?");
}

TEST_F(Commands, ClearingAsksFirstAndNoChangesNothing) {
    chooseColours(5, 0);
    clickCell(2, 2);
    press(Control::GadgetAddSprite);
    const auto sheet = model().sheet.bytes;
    dialogs.answerYesNo(false);
    press(Control::GadgetClearSheet);
    EXPECT_EQ(lastDialog(), "Clear Sprites?|This will clear all sprites!");
    EXPECT_EQ(model().sheet.bytes, sheet);
    EXPECT_EQ(model().spriteCount, 2);

    key(Qt::Key_Left);
    dialogs.answerYesNo(true);
    press(Control::GadgetClear);
    EXPECT_EQ(sprite(1), Bytes(256, 0xE3));

    dialogs.answerYesNo(true);
    press(Control::GadgetClearSheet);
    EXPECT_EQ(model().spriteCount, 1);
    EXPECT_EQ(text(Control::GadgetSpriteCount), "0");
    EXPECT_EQ(text(Control::GadgetAnimFrame), "1");
}

TEST_F(Commands, LoadingAShortFileAndAFailedLoad) {
    Bytes bytes(300);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(path("three.spr"), bytes);
    pressOpening(Control::GadgetLoadSheet, path("three.spr"));
    EXPECT_EQ(countAndCurrent(), std::pair(2, 1));
    Bytes second(bytes.begin() + 256, bytes.end());
    second.resize(256, 0);
    EXPECT_EQ(sprite(2), second);
    EXPECT_EQ(sprite(3), Bytes(256, 0xFF));
    EXPECT_EQ(lastDialog(), "Success|Loaded 2 sprite(s).");
    EXPECT_EQ(window().statusText(), "Success - Loaded 2 sprite(s).");
    EXPECT_EQ(text(Control::GadgetSpriteCount), "1");
    EXPECT_EQ(window().windowTitle(), "Viroror v0.4.8b - file : " + path("three.spr"));
    key(Qt::Key_Z);  // nothing from before the load comes back
    EXPECT_EQ(model().grid.cell(1, 0), 7);

    const auto sheet = model().sheet.bytes;
    writeBytes(path("empty.spr"), {});
    for (const char* name : {"missing.spr", "empty.spr", ""}) {  // the last one is a cancel
        pressOpening(Control::GadgetLoadSheet, *name ? path(name) : QString());
        EXPECT_EQ(window().statusText(), "Failed to load - Could not load sprites");
        EXPECT_EQ(model().sheet.bytes, sheet);
        EXPECT_EQ(model().spriteCount, 2);
    }
}

TEST_F(Commands, RangeQuickSaveExportAndFailures) {
    for (int i = 0; i < 5; ++i) press(Control::GadgetAddSprite);
    for (int n = 1; n <= 6; ++n) std::fill_n(model().sheet.sprite(n).begin(), 256, std::uint8_t(n));
    model().loadGrid();
    window().setControlText(Control::GadgetRangeFrom, "2");
    window().setControlText(Control::GadgetRangeTo, "4");
    pressSaving(Control::GadgetSaveRange, path("range.spr"));
    auto bytes = readBytes(path("range.spr"));
    ASSERT_EQ(bytes.size(), 768u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[767], 5);
    EXPECT_EQ(window().statusText(), "Success - Saved sprite sheet 3");

    window().setControlText(Control::GadgetRangeFrom, "5");  // last below first writes nothing
    window().setControlText(Control::GadgetRangeTo, "1");
    pressSaving(Control::GadgetSaveRange, path("none.spr"));
    EXPECT_FALSE(QFile::exists(path("none.spr")));
    EXPECT_EQ(window().statusText(), "Failed - Could not save sprites");

    // Quick save asks once, then keeps the name; the edit in the grid reaches the file.
    model().grid.cell(0, 0) = 99;
    pressSaving(Control::GadgetQuickSave, path("quick.bin"));
    bytes = readBytes(path("quick.bin"));
    ASSERT_EQ(bytes.size(), 6u * 256);
    EXPECT_EQ(bytes[5 * 256], 99);
    EXPECT_EQ(window().statusText(), "Quick saved as :" + path("quick.bin"));
    press(Control::GadgetQuickSave);
    EXPECT_EQ(dialogs.callsOf(toolkit::DialogCall::Kind::SaveFile).size(), 3u);

    pressSaving(Control::GadgetExportSprite, path("one.spr"));
    EXPECT_EQ(readBytes(path("one.spr")).size(), 256u);
    EXPECT_EQ(window().statusText(), "Saved " + path("one.spr"));
}

TEST_F(Commands, ColourPaletteFileListsTheColoursInUse) {
    chooseColours(0x10, 0);
    clickCell(0, 0);
    press(Control::GadgetAddSprite);  // stores the grid, so the count sees it
    press(Control::GadgetSavePalette);
    const auto bytes = readBytes(path("colors.pal"));
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[2], 0xE3);
    EXPECT_TRUE(std::all_of(bytes.begin() + 4, bytes.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(Commands, PalettePictureCyclesAndTheAnimationStepsThroughItsFrames) {
    // Each picture is decoded when first shown; a click on it picks its swatch's entry.
    toolkit::Canvas* palette = window().canvas(Control::GadgetPaletteCanvas);
    for (int expected : {1, 2, 0}) {
        press(Control::GadgetPalettePicture);
        EXPECT_EQ(program().state.palettePictureIndex, expected);
        EXPECT_FALSE(program().views.palettePictures[expected].isNull());
        const int colour = palette->readPixel(100 * expected + 50, 100);
        EXPECT_TRUE(program().palette.findIndex(toolkit::redOf(colour), toolkit::greenOf(colour), toolkit::blueOf(colour)))
            << "picture " << expected;
    }

    window().setControlText(Control::GadgetAnimFrame, "2");
    window().setControlText(Control::GadgetAnimCount, "3");
    program().state.animationFrame = 0;
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        commands().animationTick();
        frames.push_back(program().state.animationFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 2, 3}));  // only the upper end is checked
    window().setControlText(Control::GadgetAnimFrame, "200");  // beyond the 64 pictures: none is shown
    program().state.animationFrame = 300;
    commands().animationTick();
    EXPECT_EQ(program().state.animationFrame, 200);
    EXPECT_TRUE(window().label(Control::GadgetAnimationImage)->pixmap().isNull());

    for (auto [typed, interval] : {std::pair{"0", 150}, {"40", 40}}) {  // 0 keeps the interval it had
        window().setControlText(Control::GadgetAnimDelay, typed);
        commands().handleControl(Control::GadgetAnimDelay, ui::ControlEvent::Change);
        EXPECT_EQ(program().animationTimer->interval(), interval);
    }
}

}  // namespace
