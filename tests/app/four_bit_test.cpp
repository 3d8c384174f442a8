// A 4-bit sheet through the window: the switch and its questions, painting with the
// bank's colours, the bank box, 128 sprites saved packed, and the way back to 8-bit.
#include <QLabel>

#include "app/file_commands.h"
#include "app/window_text.h"
#include "session_fixture.h"

using namespace testing_support;

namespace {

constexpr int T = 0xE3;

class FourBit : public SessionTest {
protected:
    // A left click on the palette canvas where it shows palette entry `index`'s colour.
    void chooseOnChart(int index) {
        canvas(Control::GadgetPaletteCanvas).fillBox(0, 0, 20, 14, paletteColour(index));
        commands().handleCanvas(Control::GadgetPaletteCanvas, {Type::LeftDown, 5, 5, true, false, false});
    }
    // Clicks the switch, answering its question; returns the question's text.
    QString switchDepth(bool yes) {
        dialogs.answerYesNo(yes);
        press(Control::GadgetFourBit);
        return dialogs.calls().back().text;
    }
};

TEST_F(FourBit, SwitchPaintFillPickSaveChangeBankAndSwitchBack) {
    // Sprite 1: bank 2's entry 34 on the left half, transparent on the right.
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) model().grid.cell(c, r) = c < 8 ? 34 : T;
    model().storeGrid();
    app::setSpin(program(), Control::GadgetBank, 2);

    const QString question = switchDepth(false);
    EXPECT_TRUE(question.contains("bank 2 (entries 32 to 47)") && question.contains("\n0 pixels will change colour"))
        << question.toStdString();
    EXPECT_EQ(std::pair(model().fourBit(), window().controlState(Control::GadgetFourBit)), std::pair(false, 0));

    switchDepth(true);
    ASSERT_TRUE(model().fourBit());
    EXPECT_EQ(std::pair(model().grid.cell(0, 0), model().grid.cell(15, 0)), std::pair(2, 3));
    EXPECT_EQ(shownCell(0, 0), paletteColour(34));
    EXPECT_TRUE(window().control(Control::GadgetBank)->isEnabled());

    // A colour outside the bank chooses nothing; one inside paints its value. The bank's
    // transparent entry is marked as 0xE3 is on an 8-bit sheet.
    chooseOnChart(35);
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T35");
    const int before = program().state.leftColour;
    chooseOnChart(200);
    EXPECT_TRUE(window().statusText().endsWith("is not in bank 2 (entries 32 to 47)")) << window().statusText().toStdString();
    EXPECT_EQ(program().state.leftColour, before);
    chooseOnChart(40);
    ASSERT_EQ(program().state.leftColour, 40);
    clickCell(1, 1);
    EXPECT_EQ(model().grid.cell(1, 1), 8);
    EXPECT_EQ(shownCell(1, 1), paletteColour(40));
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:1:Y1:40");
    window().setControlState(Control::GadgetFill, 1);
    clickCell(12, 12);  // the transparent right half
    window().setControlState(Control::GadgetFill, 0);
    EXPECT_EQ(std::pair(model().grid.cell(15, 15), model().grid.cell(7, 15)), std::pair(8, 2));
    window().setControlState(Control::GadgetDropper, 1);
    clickCell(0, 5, false);
    EXPECT_EQ(program().state.rightColour, 34);
    // Transformations move values and their bank colours (four turns come round again).
    press(Control::GadgetRotate);
    EXPECT_EQ(std::pair(model().grid.cell(14, 1), shownCell(14, 1)), std::pair(8, paletteColour(40)));
    for (int turn = 0; turn < 3; ++turn) press(Control::GadgetRotate);

    // 128 sprites, saved as packed 128-byte sprites and read back the same.
    for (int n = 0; n < 130; ++n) press(Control::GadgetAddSprite);
    EXPECT_EQ(std::pair(model().spriteCount, text(Control::GadgetSpriteCount)), std::pair(128, QString("127")));
    const Bytes sprite1 = sprite(1);
    dialogs.answerSaveFile(path("four.spr"));
    app::saveAllSprites(program());
    const Bytes file = readBytes(path("four.spr"));
    ASSERT_EQ(file.size(), 128u * 128u);
    EXPECT_EQ(std::vector<int>(file.begin(), file.begin() + 9), (std::vector<int>{0x22, 0x22, 0x22, 0x22, 0x88, 0x88,
                                                                                  0x88, 0x88, 0x28}));
    app::loadSpriteSheet(program(), path("four.spr"), true);
    EXPECT_EQ(std::pair(sprite(1), model().spriteCount), std::pair(sprite1, 128));
    // The file list's preview unpacks the file too (cell (4, 0) of sprite 0, 2 x 2 a cell),
    // and sprite 100 is an animation frame.
    app::drawFilePreview(program(), path("four.spr"));
    EXPECT_EQ(pixel(Control::GadgetSheetCanvas, 9, 1), paletteColour(34));
    program().state.animationFrame = 100;
    app::showAnimationFrame(program());
    EXPECT_FALSE(window().label(Control::GadgetAnimationImage)->pixmap().isNull());

    // Another bank: the same values in that bank's colours, the mouse colours follow.
    typeInto(Control::GadgetBank, "5");
    EXPECT_EQ(std::pair(model().bank, sprite(1)), std::pair(5, sprite1));
    EXPECT_EQ(std::pair(shownCell(1, 1), shownCell(15, 15)), std::pair(paletteColour(88), paletteColour(88)));
    EXPECT_EQ(std::pair(program().state.leftColour, program().state.rightColour), std::pair(88, 82));
    // "51" is bank 5 on the way, then refused: the box shows the bank again.
    typeInto(Control::GadgetBank, "51");
    EXPECT_EQ(std::tuple(model().bank, text(Control::GadgetBank), window().statusText()),
              std::tuple(5, QString("5"), QString("The bank is a number from 0 to 15")));

    // Back to 8-bit exactly, sprites 65 to 128 kept aside and restored by switching again;
    // a frame past 64 moves onto 64.
    app::setSpin(program(), Control::GadgetAnimFrame, 100);
    EXPECT_TRUE(switchDepth(true).contains("Sprites 65 to 128 are kept aside"));
    ASSERT_FALSE(model().fourBit());
    EXPECT_EQ(text(Control::GadgetAnimFrame), "64");
    EXPECT_EQ(std::tuple(model().grid.cell(1, 1), model().grid.cell(0, 0), model().grid.cell(15, 0), model().spriteCount),
              std::tuple(88, 82, 88, 64));
    EXPECT_EQ(shownCell(1, 1), paletteColour(88));
    EXPECT_TRUE(switchDepth(true).contains("Sprites 65 to 128, kept aside, come back."));
    EXPECT_EQ(std::pair(sprite(1), model().spriteCount), std::pair(sprite1, 128));
}

}  // namespace
