// User-level scenarios through the real window: clicks and drags on the canvases,
// shortcuts, buttons and scripted dialogs, checked against files, cells and pixels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "app/canvas.h"
#include "app/colour.h"
#include "app/commands.h"
#include "session_fixture.h"

using app::Canvas;
using app::rgbColour;
using testing_support::readBytes;
using testing_support::SessionTest;
using testing_support::writeBytes;
using ui::Control;

namespace {

constexpr int MAGENTA = rgbColour(255, 0, 255);

class Commands : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        if (HasFatalFailure()) return;
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }

    Canvas* editor() { return window().canvas(Control::GadgetEditorCanvas); }

    // Widget position of a surface pixel (a sunken edge moves the surface in).
    static QPoint at(Canvas* canvas, int x, int y) {
        const int edge = canvas->options().sunken ? Canvas::SUNKEN_EDGE : 0;
        return {x + edge, y + edge};
    }
    QPoint cell(int c, int r) { return at(editor(), c * 20 + 10, r * 20 + 10); }

    void clickCell(int c, int r, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(editor(), button, {}, cell(c, r));
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(&window(), static_cast<Qt::Key>(key), modifiers);
    }
    void press(Control control) { window().button(control)->click(); }

    // Left and right colours straight from the palette indices.
    void chooseColours(int left, int right) {
        program().state.leftColour = left;
        program().state.leftColourRgb = rgbColour(program().palette.colour(left).red,
                                                  program().palette.colour(left).green,
                                                  program().palette.colour(left).blue);
        program().state.rightColour = right;
        program().state.rightColourRgb = rgbColour(program().palette.colour(right).red,
                                                   program().palette.colour(right).green,
                                                   program().palette.colour(right).blue);
    }
    std::vector<std::uint8_t> sprite(int n) {
        auto s = model().sheet.sprite(n);
        return {s.begin(), s.end()};
    }
};

TEST_F(Commands, FreshStartShowsAnEmptySheet) {
    EXPECT_EQ(window().controlText(Control::GadgetSpriteNumber).toStdString(), "0");
    EXPECT_EQ(window().controlText(Control::GadgetSpriteCount).toStdString(), "0");
    EXPECT_EQ(window().windowTitle(), "Viroror v0.4.8b");
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            EXPECT_EQ(model().grid.cell(c, r), 0xE3);
            EXPECT_EQ(editor()->readPixel(c * 20 + 10, r * 20 + 10), MAGENTA);
        }
    EXPECT_EQ(editor()->readPixel(0, 0), 0);  // the black lattice
    EXPECT_EQ(editor()->readPixel(320, 320), 0);
    EXPECT_EQ(window().controlText(Control::GadgetColourCount).toStdString(), "Colours : 1");
    // The first step recounts in the program's own form.
    key(Qt::Key_Right);  // nothing to step to, so nothing counts
    press(Control::GadgetAddSprite);
    EXPECT_EQ(window().controlText(Control::GadgetColourCount), "Colours :1");
}

TEST_F(Commands, PaintRotateStepAndSaveAllSprites) {
    chooseColours(0x1C, 0x03);
    clickCell(0, 0);                       // left paints 0x1C
    clickCell(3, 5, Qt::RightButton);      // right paints 0x03
    EXPECT_EQ(model().grid.cell(0, 0), 0x1C);
    EXPECT_EQ(model().grid.cell(3, 5), 0x03);
    EXPECT_EQ(model().history.undoPosition(), 2 * 256);  // one snapshot per release

    key(Qt::Key_R);  // rotate clockwise
    EXPECT_EQ(model().grid.cell(15, 0), 0x1C);
    EXPECT_EQ(model().grid.cell(10, 3), 0x03);
    EXPECT_EQ(editor()->readPixel(15 * 20 + 10, 10), rgbColour(0, 0xFF, 0x24));

    key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);  // add sprite 2, stepping there
    EXPECT_EQ(model().spriteCount, 2);
    EXPECT_EQ(model().currentSprite, 2);
    key(Qt::Key_Left);
    EXPECT_EQ(model().currentSprite, 1);
    EXPECT_EQ(model().grid.cell(15, 0), 0x1C);  // the edits were stored on the way out

    dialogs.answerSaveFile(path("sheet"));
    press(Control::GadgetSaveAll);
    const auto bytes = readBytes(path("sheet.SPR"));
    ASSERT_EQ(bytes.size(), 512u);
    std::vector<std::uint8_t> expected(512, 0xE3);
    expected[15] = 0x1C;
    expected[3 * 16 + 10] = 0x03;
    EXPECT_EQ(bytes, expected);
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
    EXPECT_EQ(editor()->readPixel(5 * 20 + 10, 5 * 20 + 10), MAGENTA);
    key(Qt::Key_Z);
    EXPECT_EQ(model().grid.cell(0, 0), 0xE3);
    key(Qt::Key_Z);  // nothing before the sprite as stepped to
    EXPECT_EQ(model().grid.cell(0, 0), 0xE3);
    press(Control::GadgetRedo);
    EXPECT_EQ(model().grid, afterFirst);
    press(Control::GadgetRedo);
    EXPECT_EQ(model().grid, afterSecond);
    press(Control::GadgetRedo);  // nothing beyond the newest stroke
    EXPECT_EQ(model().grid, afterSecond);
}

TEST_F(Commands, FillAndPickThroughTheWindow) {
    chooseColours(0x1C, 0);
    // A diagonal wall: the cells touching the corner region only at corners stay.
    for (int i = 0; i < 16; ++i) model().grid.cell(i, 15 - i) = 0;
    window().setControlState(Control::GadgetShowTransparent, 0);
    press(Control::GadgetShowTransparent);  // hide transparency: 0xE3 shows white
    press(Control::GadgetShowTransparent);  // and back to its palette colour
    press(Control::GadgetFill);
    EXPECT_EQ(window().statusText(), "Fill colour...");
    clickCell(0, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int expected = x + y < 15 ? 0x1C : (x + y == 15 ? 0 : 0xE3);
            EXPECT_EQ(model().grid.cell(x, y), expected) << x << "," << y;
        }
    press(Control::GadgetFill);  // fill off

    // Ctrl+P, then a click on the palette chart's cell for entry 33 (row 1, column 0).
    key(Qt::Key_P);
    EXPECT_EQ(window().statusText(), "Picking colour...");
    EXPECT_EQ(window().controlState(Control::GadgetDropper), 1);
    Canvas* palette = window().canvas(Control::GadgetPaletteCanvas);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at(palette, 8, 30));
    EXPECT_EQ(window().controlState(Control::GadgetDropper), 0);
    EXPECT_EQ(window().statusText(), "Ready");
    EXPECT_EQ(program().state.leftColour, 33);
    EXPECT_EQ(window().controlText(Control::GadgetLeftColourIndex), "33");
}

TEST_F(Commands, CutStepPasteAndMenuCutCuts) {
    chooseColours(0x42, 0);
    clickCell(1, 1);
    const auto painted = model().grid;
    key(Qt::Key_X);
    EXPECT_EQ(window().statusText(), "Block cut to clipboard");
    EXPECT_EQ(model().grid.cell(1, 1), 0xFF);
    EXPECT_EQ(sprite(1), std::vector<std::uint8_t>(256, 0xFF));
    press(Control::GadgetAddSprite);
    key(Qt::Key_V);
    EXPECT_EQ(window().statusText(), "Block pasted");
    EXPECT_EQ(model().grid, painted);
    EXPECT_EQ(sprite(2)[17], 0x42);

    // The Edit menu's "Cut" cuts as well.
    commands().handleMenu(ui::MenuCut);
    EXPECT_EQ(sprite(2), std::vector<std::uint8_t>(256, 0xFF));
    commands().handleMenu(ui::MenuPaste);
    EXPECT_EQ(sprite(2)[17], 0x42);
}

TEST_F(Commands, AddingStopsAtSixtyFourAndStepsAreGuarded) {
    key(Qt::Key_Left);  // sprite 1: nothing
    EXPECT_EQ(model().currentSprite, 1);
    for (int i = 0; i < 63; ++i) key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(model().spriteCount, 64);
    EXPECT_EQ(window().controlText(Control::GadgetSpriteCount), "63");
    EXPECT_EQ(window().controlText(Control::GadgetSpriteNumber), "63");
    key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    press(Control::GadgetAddSprite);
    EXPECT_EQ(model().spriteCount, 64);
    EXPECT_EQ(model().currentSprite, 64);
    key(Qt::Key_Right);  // the last sprite in use: nothing
    EXPECT_EQ(model().currentSprite, 64);

    dialogs.answerYesNo(false);
    press(Control::GadgetRemoveSprite);
    EXPECT_EQ(model().spriteCount, 64);
    dialogs.answerYesNo(true);
    press(Control::GadgetRemoveSprite);
    EXPECT_EQ(model().spriteCount, 63);
    EXPECT_EQ(model().currentSprite, 63);
    EXPECT_EQ(dialogs.calls().back().title, "Remove LAST sprite");
    EXPECT_EQ(dialogs.calls().back().text, "This will remove the last sprite?");
}

TEST_F(Commands, ClearingAsksFirstAndNoChangesNothing) {
    chooseColours(5, 0);
    clickCell(2, 2);
    press(Control::GadgetAddSprite);
    const auto sheet = model().sheet.bytes;
    dialogs.answerYesNo(false);
    press(Control::GadgetClearSheet);
    EXPECT_EQ(dialogs.calls().back().title, "Clear Sprites?");
    EXPECT_EQ(dialogs.calls().back().text, "This will clear all sprites!");
    EXPECT_EQ(model().sheet.bytes, sheet);
    EXPECT_EQ(model().spriteCount, 2);

    key(Qt::Key_Left);
    dialogs.answerYesNo(true);
    press(Control::GadgetClear);
    EXPECT_EQ(dialogs.calls().back().title, "Clear CURRENT sprite");
    EXPECT_EQ(sprite(1), std::vector<std::uint8_t>(256, 0xE3));
    // The cleared cells are drawn as the grid draws 0xE3, white while hidden.
    press(Control::GadgetShowTransparent);
    EXPECT_EQ(editor()->readPixel(2 * 20 + 10, 2 * 20 + 10), rgbColour(255, 255, 255));

    dialogs.answerYesNo(true);
    press(Control::GadgetClearSheet);
    EXPECT_EQ(model().spriteCount, 1);
    EXPECT_EQ(window().controlText(Control::GadgetSpriteCount), "0");
    EXPECT_EQ(window().controlText(Control::GadgetAnimFrame), "1");
}

TEST_F(Commands, LoadingAShortFileAndAFailedLoad) {
    std::vector<std::uint8_t> bytes(300);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(path("three.spr"), bytes);
    dialogs.answerOpenFile(path("three.spr"));
    press(Control::GadgetLoadSheet);
    EXPECT_EQ(model().spriteCount, 2);
    EXPECT_EQ(model().currentSprite, 1);
    std::vector<std::uint8_t> second(bytes.begin() + 256, bytes.end());
    second.resize(256, 0);
    EXPECT_EQ(sprite(2), second);
    EXPECT_EQ(sprite(3), std::vector<std::uint8_t>(256, 0xFF));
    EXPECT_EQ(dialogs.callsOf(app::DialogCall::Kind::Message).back().text, "Loaded 2 sprite(s).");
    EXPECT_EQ(window().statusText(), "Success - Loaded 2 sprite(s).");
    EXPECT_EQ(window().controlText(Control::GadgetSpriteCount), "1");
    EXPECT_EQ(window().windowTitle(), "Viroror v0.4.8b - file : " + path("three.spr"));
    key(Qt::Key_Z);  // nothing from before the load comes back
    EXPECT_EQ(model().grid.cell(1, 0), 7);

    // A missing file and an empty one change nothing.
    const auto sheet = model().sheet.bytes;
    writeBytes(path("empty.spr"), {});
    for (const char* name : {"missing.spr", "empty.spr"}) {
        dialogs.answerOpenFile(path(name));
        press(Control::GadgetLoadSheet);
        EXPECT_EQ(window().statusText(), "Failed to load - Could not load sprites");
        EXPECT_EQ(model().sheet.bytes, sheet);
        EXPECT_EQ(model().spriteCount, 2);
    }
    dialogs.answerOpenFile(QString());  // cancelled
    press(Control::GadgetLoadSheet);
    EXPECT_EQ(model().spriteCount, 2);
}

TEST_F(Commands, RangeQuickSaveExportAndFailures) {
    for (int i = 0; i < 5; ++i) press(Control::GadgetAddSprite);
    for (int n = 1; n <= 6; ++n) std::fill_n(model().sheet.sprite(n).begin(), 256, std::uint8_t(n));
    model().loadGrid();
    window().setControlText(Control::GadgetRangeFrom, "2");
    window().setControlText(Control::GadgetRangeTo, "4");
    dialogs.answerSaveFile(path("range.spr"));
    press(Control::GadgetSaveRange);
    auto bytes = readBytes(path("range.spr"));
    ASSERT_EQ(bytes.size(), 768u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[767], 5);
    EXPECT_EQ(window().statusText(), "Success - Saved sprite sheet 3");

    // Last below first writes nothing.
    window().setControlText(Control::GadgetRangeFrom, "5");
    window().setControlText(Control::GadgetRangeTo, "1");
    dialogs.answerSaveFile(path("none.spr"));
    press(Control::GadgetSaveRange);
    EXPECT_FALSE(QFile::exists(path("none.spr")));
    EXPECT_EQ(window().statusText(), "Failed - Could not save sprites");

    // Quick save asks once, then keeps the name; the edit in the grid reaches the file.
    model().grid.cell(0, 0) = 99;
    dialogs.answerSaveFile(path("quick.bin"));
    press(Control::GadgetQuickSave);
    EXPECT_EQ(readBytes(path("quick.bin")).size(), 6u * 256);
    EXPECT_EQ(readBytes(path("quick.bin"))[5 * 256], 99);
    EXPECT_EQ(window().statusText(), "Quick saved as :" + path("quick.bin"));
    press(Control::GadgetQuickSave);  // no second question
    EXPECT_EQ(dialogs.callsOf(app::DialogCall::Kind::SaveFile).size(), 3u);

    dialogs.answerSaveFile(path("one.spr"));
    press(Control::GadgetExportSprite);
    EXPECT_EQ(readBytes(path("one.spr")).size(), 256u);
    EXPECT_EQ(window().statusText(), "Saved " + path("one.spr"));

    // A target that is a folder: the failure is reported and nothing replaced.
    QDir(dir.path()).mkdir("folder.spr");
    dialogs.answerSaveFile(path("folder.spr"));
    press(Control::GadgetSaveAll);
    EXPECT_EQ(window().statusText(), "Failed - Could not save sprites");
    dialogs.answerSaveFile(path("folder.spr"));
    press(Control::GadgetExportSprite);
    EXPECT_EQ(window().statusText(), "Failed to save " + path("folder.spr"));
}

TEST_F(Commands, ColourPaletteFileListsTheColoursInUse) {
    chooseColours(0x10, 0);
    clickCell(0, 0);  // the count after the pen reads the sheet, so store first
    press(Control::GadgetAddSprite);
    press(Control::GadgetSavePalette);
    const auto bytes = readBytes(path("colors.pal"));
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes[0], 0x10);
    EXPECT_EQ(bytes[2], 0xE3);
    EXPECT_TRUE(std::all_of(bytes.begin() + 4, bytes.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(Commands, PalettePictureCyclesAndTheAnimationStepsThroughItsFrames) {
    press(Control::GadgetPalettePicture);
    EXPECT_EQ(program().state.palettePictureIndex, 1);
    press(Control::GadgetPalettePicture);
    press(Control::GadgetPalettePicture);
    EXPECT_EQ(program().state.palettePictureIndex, 0);

    window().setControlText(Control::GadgetAnimFrame, "2");
    window().setControlText(Control::GadgetAnimCount, "3");
    program().state.animationFrame = 0;
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        commands().animationTick();
        frames.push_back(program().state.animationFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 2, 3}));  // only the upper end is checked

    // A first frame raised above the counter: the counter climbs into the range.
    window().setControlText(Control::GadgetAnimFrame, "200");
    commands().animationTick();
    EXPECT_EQ(program().state.animationFrame, 4);
    program().state.animationFrame = 300;
    commands().animationTick();
    EXPECT_EQ(program().state.animationFrame, 200);  // no picture for it, and no index outside the images
    EXPECT_TRUE(window().label(Control::GadgetAnimationImage)->pixmap().isNull());

    window().setControlText(Control::GadgetAnimDelay, "0");
    commands().handleControl(Control::GadgetAnimDelay, ui::ControlEvent::Change);
    EXPECT_EQ(program().animationTimer->interval(), 150);
    window().setControlText(Control::GadgetAnimDelay, "40");
    commands().handleControl(Control::GadgetAnimDelay, ui::ControlEvent::Change);
    EXPECT_EQ(program().animationTimer->interval(), 40);
}

}  // namespace
