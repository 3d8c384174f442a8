// The canvas mouse tools driven with event records (and once through Qt's mouse
// routing and the command table), checked against the grid, the canvases'
// pixels, the control texts and the undo history.
#include "app/canvas.h"
#include "app/colour.h"
#include "app/mouse_tools.h"
#include "session_fixture.h"
#include "ui/views.h"

#include <QTest>

namespace {

using app::CanvasEvent;
using ui::Control;
using Type = CanvasEvent::Type;

constexpr int ZOOM = 20;
constexpr int TRANSPARENT = 0xE3;
constexpr int BLACK = 0;
const int FOREIGN = app::rgbColour(1, 2, 3);  // in no palette entry (checked below)

CanvasEvent event(Type type, int x, int y, bool left = false, bool right = false, bool middle = false) {
    return CanvasEvent{type, x, y, left, right, middle};
}

class MouseTools : public testing_support::SessionTest {
protected:
    int screen(int index) {
        const palette::RgbColour c = program().palette.colour(index);
        return app::rgbColour(c.red, c.green, c.blue);
    }
    app::Canvas& canvas(Control id) { return *window().canvas(id); }
    // Inside a cell on the editor, and inside its block on the 4x preview.
    int cellPixel(int c, int r) { return canvas(Control::GadgetEditorCanvas).readPixel(c * ZOOM + 10, r * ZOOM + 10); }
    int previewPixel(int c, int r) { return canvas(Control::GadgetPreviewCanvas).readPixel(c * 4 + 1, r * 4 + 1); }
    int cell(int c, int r) { return model().grid.cell(c, r); }
    QString text(Control id) { return window().controlText(id); }
    int state(Control id) { return window().controlState(id); }

    void editor(Type type, int x, int y, bool left = false, bool right = false) {
        app::editorCanvasEvent(program(), event(type, x, y, left, right));
    }
    void chooseLeft(int index) {
        ui::showLeftColour(program(), index);
        program().state.leftColour = index;
    }
    void setGrid(std::initializer_list<std::tuple<int, int, int>> cells, int rest = TRANSPARENT) {
        model().grid.fill(rest);
        for (auto [c, r, v] : cells) model().grid.cell(c, r) = v;
        ui::drawEditorGrid(program());
    }
    // Paints palette canvas half-cells hx..hx+w-1, hy..hy+h-1 (20 x 14 each) in one colour.
    void paintHalfCells(int hx, int hy, int w, int h, int colour) {
        canvas(Control::GadgetPaletteCanvas).fillBox(hx * 20, hy * 14, w * 20, h * 14, colour);
    }
};

// ---- Editor canvas

TEST_F(MouseTools, PenPaintsOneCellPerEventWithEachButtonsColour) {
    chooseLeft(5);
    ui::showRightColour(program(), 9);
    editor(Type::Move, 25, 45);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:1:Y2:227");
    editor(Type::LeftDown, 25, 45, true);  // cell (1, 2)
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:1:Y2:227") << "the cursor text is read before the pen paints";
    editor(Type::Move, 65, 45, true);  // dragged to (3, 2), skipping (2, 2)
    editor(Type::LeftUp, 65, 45);
    editor(Type::RightDown, 5, 5, false, true);  // cell (0, 0)
    editor(Type::Move, 5, 25, false, true);      // dragged to (0, 1)
    editor(Type::RightUp, 5, 25);
    editor(Type::Move, 65, 45);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:3:Y2:5");

    for (auto [c, r, index] : {std::tuple{1, 2, 5}, {3, 2, 5}, {0, 0, 9}, {0, 1, 9}, {2, 2, TRANSPARENT}}) {
        EXPECT_EQ(cell(c, r), index) << c << "," << r;
        EXPECT_EQ(cellPixel(c, r), screen(index)) << c << "," << r;
        EXPECT_EQ(previewPixel(c, r), screen(index)) << c << "," << r;
    }
    // The painted cell has its black outline on all four sides.
    const app::Canvas& grid = canvas(Control::GadgetEditorCanvas);
    for (auto [x, y] : {std::pair{20, 45}, {40, 45}, {25, 40}, {25, 60}}) EXPECT_EQ(grid.readPixel(x, y), BLACK);
    // The count reads the sheet, which the pen does not write.
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
}

TEST_F(MouseTools, BorderAndFarPositionsActOnTheLastCellNegativeOnesOnNothing) {
    chooseLeft(40);
    editor(Type::LeftDown, 320, 0, true);
    EXPECT_EQ(cell(15, 0), 40);
    editor(Type::Move, 900, 320, true);  // far past the corner, still captured
    EXPECT_EQ(cell(15, 15), 40);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:15:Y15:227");

    const model::SpriteGrid before = model().grid;
    editor(Type::LeftDown, -5, 30, true);  // truncation alone would give column 0
    editor(Type::Move, 30, -1, true);
    editor(Type::RightDown, -19, -19, false, true);
    EXPECT_EQ(model().grid, before);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:15:Y15:227");
}

TEST_F(MouseTools, EveryReleaseStoresASnapshotChangedOrNot) {
    chooseLeft(TRANSPARENT);  // the grid is all transparent: the click changes nothing
    const int start = model().history.undoPosition();
    editor(Type::LeftDown, 50, 50, true);
    editor(Type::Move, 55, 50, true);
    EXPECT_EQ(model().history.undoPosition(), start) << "presses and moves store nothing";
    editor(Type::LeftUp, 55, 50);
    EXPECT_EQ(model().history.undoPosition(), start + 256);

    chooseLeft(77);
    editor(Type::LeftDown, 50, 50, true);
    editor(Type::LeftUp, 400, -30);  // a drag released outside the canvas
    editor(Type::RightDown, 5, 5, false, true);
    editor(Type::RightUp, 5, 5);
    EXPECT_EQ(model().history.undoPosition(), start + 768);
    EXPECT_EQ(model().history.snapshot(2)[2 * 16 + 2], 77);

    EXPECT_TRUE(model().undo());
    EXPECT_EQ(cell(2, 2), 77);
    EXPECT_EQ(cell(0, 0), TRANSPARENT);
}

TEST_F(MouseTools, FillTakesTheFourConnectedCellsOfTheShownColour) {
    // A wall of 1 around a transparent pocket (0,0) (1,0) (1,1); (2,2) touches it
    // only at a corner and (5,5) lies apart.
    setGrid({{0, 0, TRANSPARENT}, {1, 0, TRANSPARENT}, {1, 1, TRANSPARENT}, {2, 2, TRANSPARENT}, {5, 5, TRANSPARENT}}, 1);
    chooseLeft(7);
    window().setControlState(Control::GadgetFill, 1);
    editor(Type::LeftDown, 3, 3, true);

    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            const bool pocket = (r == 0 && c <= 1) || (c == 1 && r == 1);
            const bool apart = (c == 2 && r == 2) || (c == 5 && r == 5);
            const int expected = pocket ? 7 : apart ? TRANSPARENT : 1;
            ASSERT_EQ(cell(c, r), expected) << c << "," << r;
            ASSERT_EQ(cellPixel(c, r), screen(expected)) << c << "," << r;
        }
    }
    EXPECT_EQ(window().statusText(), "Ready");
    EXPECT_EQ(state(Control::GadgetFill), 1) << "the fill stays on until the user releases it";
}

TEST_F(MouseTools, DropperPicksWithEitherButtonPaintsNothingAndSwitchesOff) {
    setGrid({{4, 4, 33}, {2, 3, 50}});
    const model::SpriteGrid before = model().grid;

    window().setControlState(Control::GadgetDropper, 1);
    editor(Type::RightDown, 4 * ZOOM + 10, 4 * ZOOM + 10, false, true);
    editor(Type::RightUp, 4 * ZOOM + 10, 4 * ZOOM + 10);
    EXPECT_EQ(program().state.rightColour, 33);
    EXPECT_EQ(program().state.rightColourRgb, screen(33));
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "33");
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(window().statusText(), "Ready");

    window().setControlState(Control::GadgetDropper, 1);
    editor(Type::RightDown, 9 * ZOOM, 9 * ZOOM, false, true);
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "T227");

    window().setControlState(Control::GadgetDropper, 1);
    window().setControlState(Control::GadgetFill, 1);  // the dropper wins over the fill
    editor(Type::LeftDown, 2 * ZOOM + 10, 3 * ZOOM + 10, true);
    EXPECT_EQ(program().state.leftColour, 50);
    EXPECT_EQ(program().state.leftColourRgb, screen(50));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "50");
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(model().grid, before);
}

// ---- Palette canvas

TEST_F(MouseTools, PaletteClickChoosesTheEntryOfThePixelElseTheCellUnderIt) {
    ASSERT_FALSE(palette::findPaletteIndex(program().palette, 1, 2, 3));
    paintHalfCells(6, 8, 2, 2, FOREIGN);  // the 40 x 28 cell of column 3, row 4
    window().setControlState(Control::GadgetDropper, 1);
    app::paletteCanvasEvent(program(), event(Type::LeftDown, 6 * 20 + 3, 9 * 14 + 3, true));  // lower half
    EXPECT_EQ(program().state.leftColour, 3 + 4 * 16);
    app::paletteCanvasEvent(program(), event(Type::RightDown, 7 * 20 + 19, 8 * 14, false, true));  // upper half
    EXPECT_EQ(program().state.rightColour, 3 + 4 * 16);
    EXPECT_EQ(state(Control::GadgetDropper), 1) << "only a colour found ends a pick";

    paintHalfCells(10, 20, 1, 1, screen(200));
    app::paletteCanvasEvent(program(), event(Type::LeftDown, 10 * 20 + 5, 20 * 14 + 5, true));
    EXPECT_EQ(program().state.leftColour, 200);
    EXPECT_EQ(program().state.leftColourRgb, screen(200));
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(window().statusText(), "Ready");

    // On the chart: row 3 starts at entry 99, so its column 5 shows entry 104.
    ui::drawPaletteChart(program());
    app::paletteCanvasEvent(program(), event(Type::LeftDown, 175, 90, true));
    EXPECT_EQ(program().state.leftColour, 104);
}

TEST_F(MouseTools, TransparentIndexShowsAsT227UnderBothSwatches) {
    paintHalfCells(0, 0, 2, 2, screen(TRANSPARENT));
    paintHalfCells(2, 0, 2, 2, screen(17));
    app::paletteCanvasEvent(program(), event(Type::RightDown, 5, 5, false, true));
    EXPECT_EQ(program().state.rightColour, TRANSPARENT);
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "T227");
    EXPECT_EQ(canvas(Control::GadgetRightColourSwatch).readPixel(3, 3), screen(TRANSPARENT));
    app::paletteCanvasEvent(program(), event(Type::Move, 45, 5, true));  // left drag over entry 17
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "17");
    app::paletteCanvasEvent(program(), event(Type::Move, 5, 5, true));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");
    EXPECT_EQ(program().state.rightColour, TRANSPARENT);
}

TEST_F(MouseTools, DoubleClickFillsTheSelectedSlotAndChoosesTheLeftColour) {
    program().state.selectedSlot = 3;
    paintHalfCells(12, 12, 1, 1, screen(120));
    app::paletteCanvasEvent(program(), event(Type::LeftDoubleClick, 12 * 20 + 4, 12 * 14 + 4, true));

    const palette::PaletteEntry& slot = program().colourSlots[3];
    EXPECT_EQ(slot.paletteIndex, 120);
    EXPECT_EQ(slot.slot, 3);
    EXPECT_EQ(app::rgbColour(slot.red, slot.green, slot.blue), screen(120));
    EXPECT_EQ(slot.nextColourByte, program().palette[120].nextColourByte);
    EXPECT_EQ(slot.nextBlueBit, program().palette[120].nextBlueBit);
    EXPECT_EQ(program().state.leftColour, 120);
    EXPECT_EQ(canvas(Control::GadgetSlotCanvas).readPixel(60, 60), screen(120)) << "slot 3: row 1, right";

    // A middle drag over a colour no entry has leaves the slot alone.
    const palette::PaletteEntry kept = slot;
    paintHalfCells(14, 14, 1, 1, FOREIGN);
    app::paletteCanvasEvent(program(), event(Type::Move, 14 * 20 + 4, 14 * 14 + 4, false, false, true));
    EXPECT_EQ(program().colourSlots[3], kept);
}

// ---- Slot and import canvases

TEST_F(MouseTools, SlotPressMakesTheSlotsColourTheLeftColour) {
    program().colourSlots[5] = program().palette[66];
    program().colourSlots[6].paletteIndex = TRANSPARENT;
    window().setControlState(Control::GadgetDropper, 1);

    app::slotCanvasEvent(program(), event(Type::LeftDown, 45, 85, true));  // row 2, right
    const palette::RgbColour c = program().palette.colour(66);
    EXPECT_EQ(program().state.selectedSlot, 5);
    EXPECT_EQ(program().state.leftColour, 66);
    EXPECT_EQ(program().state.leftColourRgb, screen(66));
    EXPECT_EQ(text(Control::GadgetRgbLabel), QStringLiteral("RGB:%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "66");
    EXPECT_EQ(canvas(Control::GadgetLeftColourSwatch).readPixel(2, 2), screen(66));
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(canvas(Control::GadgetSlotCanvas).readPixel(40, 80), app::rgbColour(255, 255, 255)) << "outlined";

    app::slotCanvasEvent(program(), event(Type::LeftDown, 5, 125, true));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    app::slotCanvasEvent(program(), event(Type::RightDown, 45, 5, false, true));
    app::slotCanvasEvent(program(), event(Type::Move, 45, 5, true));
    EXPECT_EQ(program().state.selectedSlot, 6) << "only a left press chooses a slot";
}

TEST_F(MouseTools, RightDragOnTheImportCanvasMovesTheGrabCorner) {
    window().setControlText(Control::GadgetResizeWidth, "64");
    window().setControlText(Control::GadgetResizeHeight, "48");
    auto importEvent = [&](Type type, int x, int y, bool left, bool right) {
        app::importCanvasEvent(program(), event(type, x, y, left, right));
    };
    importEvent(Type::Move, 100, 50, false, true);
    EXPECT_EQ(text(Control::GadgetGrabX), "100");
    EXPECT_EQ(text(Control::GadgetGrabY), "50");
    EXPECT_EQ(state(Control::GadgetResizeWidthSlider), 64);
    EXPECT_EQ(state(Control::GadgetResizeHeightSlider), 48);

    importEvent(Type::Move, 512, 60, false, true);  // past the picture
    importEvent(Type::Move, 120, -1, false, true);
    importEvent(Type::Move, 130, 70, true, false);  // a left drag does nothing
    EXPECT_EQ(text(Control::GadgetGrabX), "100");
    EXPECT_EQ(text(Control::GadgetGrabY), "50");
    importEvent(Type::RightDown, 511, 383, false, true);
    EXPECT_EQ(text(Control::GadgetGrabX), "511");
    EXPECT_EQ(text(Control::GadgetGrabY), "383");
}

// ---- Through Qt's mouse routing and the command table

TEST_F(MouseTools, QtMouseEventsOnTheEditorCanvasPaintAndStoreSnapshots) {
    app::Canvas* grid = window().canvas(Control::GadgetEditorCanvas);
    chooseLeft(5);
    ui::showRightColour(program(), 9);
    const int start = model().history.undoPosition();

    QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseMove(grid, QPoint(70, 30));
    QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, QPoint(70, 30));
    QTest::mousePress(grid, Qt::RightButton, Qt::NoModifier, QPoint(310, 310));
    QTest::mouseRelease(grid, Qt::RightButton, Qt::NoModifier, QPoint(310, 310));

    EXPECT_EQ(cell(1, 1), 5);
    EXPECT_EQ(cell(3, 1), 5);
    EXPECT_EQ(cell(15, 15), 9);
    EXPECT_EQ(cellPixel(3, 1), screen(5));
    EXPECT_EQ(cellPixel(15, 15), screen(9));
    EXPECT_EQ(model().history.undoPosition(), start + 512);
}

}  // namespace
