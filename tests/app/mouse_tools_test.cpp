// The canvas mouse tools driven with event records, checked against the grid,
// the chosen colours, the control texts and the undo history.
#include "app/mouse_tools.h"
#include "session_fixture.h"

using namespace testing_support;
using toolkit::CanvasEvent;

namespace {

constexpr int TRANSPARENT = 0xE3;

CanvasEvent event(Type type, int x, int y, bool left = false, bool right = false) {
    return {type, x, y, left, right, false};
}

class MouseTools : public SessionTest {
protected:
    int cell(int c, int r) { return model().grid.cell(c, r); }
    int state(Control id) { return window().controlState(id); }
    // A chosen colour: its index, screen colour and index text ("T227" for the transparent one).
    using Choice = std::tuple<int, int, QString>;
    Choice left() {
        return {program().state.leftColour, program().state.leftColourRgb, text(Control::GadgetLeftColourIndex)};
    }
    Choice right() {
        return {program().state.rightColour, program().state.rightColourRgb, text(Control::GadgetRightColourIndex)};
    }
    Choice entry(int index) { return {index, paletteColour(index), index == 0xE3 ? "T227" : QString::number(index)}; }
    void editor(Type t, int x, int y, bool l = false, bool r = false) {
        app::editorCanvasEvent(program(), event(t, x, y, l, r));
    }
    void onPalette(Type t, int x, int y, bool l = false, bool r = false) {
        app::paletteCanvasEvent(program(), event(t, x, y, l, r));
    }
    // Paints palette canvas half-cells (20 x 14 each) from (hx, hy) in one colour.
    void paintHalfCells(int hx, int hy, int w, int h, int colour) {
        canvas(Control::GadgetPaletteCanvas).fillBox(hx * 20, hy * 14, w * 20, h * 14, colour);
    }
};

TEST_F(MouseTools, EditorPositionsClampAndEveryReleaseStoresASnapshot) {
    chooseLeft(40);
    editor(Type::LeftDown, 320, 0, true);
    EXPECT_EQ(cell(15, 0), 40);
    for (int y = 265; y <= 305; y += 20) editor(Type::Move, 900, y, true);  // far past the edge, still captured
    for (int y = 13; y < 16; ++y) EXPECT_EQ(cell(15, y), 40) << y;
    EXPECT_EQ(cell(15, 12), TRANSPARENT);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:15:Y15:227");

    const model::SpriteGrid before = model().grid;
    editor(Type::LeftDown, -5, 30, true);  // truncation alone would give column 0
    editor(Type::Move, 30, -1, true);
    editor(Type::RightDown, -19, -19, false, true);
    EXPECT_EQ(model().grid, before);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:15:Y15:227");

    // Every release stores a snapshot, changed or not; presses and moves store none.
    chooseLeft(TRANSPARENT);  // cell (2, 2) is transparent: the click changes nothing
    const int start = model().history.undoPosition();
    editor(Type::LeftDown, 50, 50, true);
    editor(Type::Move, 55, 50, true);
    EXPECT_EQ(model().history.undoPosition(), start) << "presses and moves store nothing";
    editor(Type::LeftUp, 55, 50);
    EXPECT_EQ(model().history.undoPosition(), start + 256);

    chooseLeft(77);
    app::showRightColour(program(), 9);
    editor(Type::LeftDown, 50, 50, true);
    editor(Type::LeftUp, 400, -30);  // released outside the canvas
    editor(Type::RightDown, 5, 5, false, true);
    editor(Type::RightUp, 5, 5);
    EXPECT_EQ(cell(0, 0), 9) << "the right button paints the right colour";
    EXPECT_EQ(canvas(Control::GadgetEditorCanvas).readPixel(10, 10), paletteColour(9));
    EXPECT_EQ(model().history.undoPosition(), start + 768);
    EXPECT_TRUE(model().undo());
    EXPECT_EQ(cell(2, 2), 77);
}

TEST_F(MouseTools, PaletteChoosesTheEntryOfThePixelElseTheCellUnderItAndFillsSlots) {
    paintHalfCells(6, 8, 2, 2, toolkit::rgbColour(1, 2, 3));  // no entry's colour, on the cell of column 3, row 4
    window().setControlState(Control::GadgetDropper, 1);
    onPalette(Type::LeftDown, 6 * 20 + 3, 9 * 14 + 3, true);  // its lower half
    EXPECT_EQ(program().state.leftColour, 3 + 4 * 16);
    onPalette(Type::RightDown, 7 * 20 + 19, 8 * 14, false, true);  // its upper half
    EXPECT_EQ(program().state.rightColour, 3 + 4 * 16);
    EXPECT_EQ(state(Control::GadgetDropper), 1) << "only a colour found ends a pick";

    paintHalfCells(10, 20, 1, 1, paletteColour(200));
    onPalette(Type::LeftDown, 10 * 20 + 5, 20 * 14 + 5, true);
    EXPECT_EQ(left(), entry(200));
    EXPECT_EQ(state(Control::GadgetDropper), 0);

    paintHalfCells(0, 0, 2, 2, paletteColour(TRANSPARENT));
    onPalette(Type::RightDown, 5, 5, false, true);
    EXPECT_EQ(right(), entry(TRANSPARENT));
    onPalette(Type::Move, 5, 5, true);  // a left drag
    EXPECT_EQ(left(), entry(TRANSPARENT));

    // A double click also fills the selected slot; a left press on a slot chooses it.
    program().state.selectedSlot = 3;
    paintHalfCells(12, 12, 1, 1, paletteColour(120));
    onPalette(Type::LeftDoubleClick, 12 * 20 + 4, 12 * 14 + 4, true);
    palette::PaletteEntry expected = program().palette[120];
    expected.slot = 3;
    EXPECT_EQ(program().colourSlots[3], expected);
    EXPECT_EQ(program().state.leftColour, 120);
    EXPECT_EQ(canvas(Control::GadgetSlotCanvas).readPixel(60, 60), paletteColour(120)) << "slot 3: row 1, right";

    program().colourSlots[5] = program().palette[66];
    window().setControlState(Control::GadgetDropper, 1);
    app::slotCanvasEvent(program(), event(Type::LeftDown, 45, 85, true));  // row 2, right
    const palette::RgbColour c = program().palette.colour(66);
    EXPECT_EQ(program().state.selectedSlot, 5);
    EXPECT_EQ(left(), entry(66));
    EXPECT_EQ(text(Control::GadgetRgbLabel), QStringLiteral("RGB:%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue));
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    app::slotCanvasEvent(program(), event(Type::RightDown, 45, 5, false, true));
    EXPECT_EQ(program().state.selectedSlot, 5) << "only a left press chooses a slot";
}

TEST_F(MouseTools, RightDragOnTheImportCanvasWritesTheGrabCorner) {
    window().setControlText(Control::GadgetResizeWidth, "64");
    window().setControlText(Control::GadgetResizeHeight, "48");
    const auto drag = [&](int x, int y, bool left, bool right) {
        app::importCanvasEvent(program(), event(Type::Move, x, y, left, right));
    };
    drag(100, 50, false, true);
    EXPECT_EQ(text(Control::GadgetGrabX) + "," + text(Control::GadgetGrabY), "100,50");
    EXPECT_EQ(std::pair(state(Control::GadgetResizeWidthSlider), state(Control::GadgetResizeHeightSlider)), std::pair(64, 48));
    drag(512, 60, false, true);  // past the picture
    drag(120, -1, false, true);
    drag(130, 70, true, false);  // a left drag does nothing
    EXPECT_EQ(text(Control::GadgetGrabX) + "," + text(Control::GadgetGrabY), "100,50");
    drag(511, 383, false, true);
    EXPECT_EQ(text(Control::GadgetGrabX) + "," + text(Control::GadgetGrabY), "511,383");
}

// A wall of index 0 whose cells touch by their corners only; entry 200 a copy of
// entry 12 with priority, as Next palettes hold them. The fill stays on its side of
// the wall and writes its region alone; either button's dropper (winning over the
// fill) picks the cell's own index, not the colour's lowest, and paints nothing.
TEST_F(MouseTools, FillStopsAtCornerWallsAndASharedColourGoesByTheCellsIndex) {
    constexpr int LOW = 12, HIGH = 200;
    std::vector<palette::PaletteEntry> entries = program().palette.entries();
    entries[HIGH] = entries[LOW];
    entries[HIGH].paletteIndex = HIGH;
    entries[HIGH].priority = true;
    program().palette = palette::Palette(std::move(entries));
    for (int i = 0; i < 16; ++i) model().grid.cell(i, 15 - i) = 0;  // the wall: x + y == 15
    // One region of the shared colour with both indices, and both beyond the wall.
    for (const auto& [x, y, index] : {std::tuple(2, 2, LOW), std::tuple(3, 2, HIGH), std::tuple(13, 4, HIGH),
                                      std::tuple(12, 5, LOW)})
        model().grid.cell(x, y) = index;
    app::drawEditorGrid(program());
    const auto fill = [&](int index, int column, int row) {
        chooseLeft(index);
        window().setControlState(Control::GadgetFill, 1);
        clickCell(column, row);
    };

    // The region takes the left index though it already shows its colour; nothing else changes.
    model::SpriteGrid expected = model().grid;
    expected.cell(2, 2) = HIGH;
    fill(HIGH, 2, 2);
    EXPECT_EQ(model().grid, expected);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x + y < 15; ++x)
            if (expected.cell(x, y) == TRANSPARENT) expected.cell(x, y) = LOW;
    fill(LOW, 0, 0);
    EXPECT_EQ(model().grid, expected);
    EXPECT_EQ(shownCell(0, 0), paletteColour(LOW));

    for (const auto& [column, row, leftButton, picked] :
         {std::tuple(3, 2, true, HIGH), std::tuple(13, 4, false, HIGH), std::tuple(1, 1, false, LOW),
          std::tuple(12, 9, true, TRANSPARENT)}) {
        window().setControlState(Control::GadgetDropper, 1);
        clickCell(column, row, leftButton);
        EXPECT_EQ(leftButton ? left() : right(), entry(picked)) << column << "," << row;
        EXPECT_EQ(state(Control::GadgetDropper), 0);
    }
    EXPECT_EQ(model().grid, expected);
    EXPECT_EQ(window().statusText(), "Ready");
}

TEST_F(MouseTools, AnimationStepsThroughItsFramesAndAZeroDelayKeepsTheInterval) {
    window().setControlText(Control::GadgetAnimFrame, "2");
    window().setControlText(Control::GadgetAnimCount, "3");
    program().state.animationFrame = 0;
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        commands().animationTick();
        frames.push_back(program().state.animationFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 2, 3}));  // only the upper end is checked
    window().setControlText(Control::GadgetAnimDelay, "0");  // typing 40 sets 40: the command rows
    commands().handleControl(Control::GadgetAnimDelay, ui::ControlEvent::Change);
    EXPECT_EQ(program().animationTimer->interval(), 150);
}

}  // namespace
