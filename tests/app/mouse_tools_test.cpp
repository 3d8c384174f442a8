// The canvas mouse tools driven with event records (and once through Qt's own
// mouse routing), checked against the grid, the canvases' pixels, the control
// texts and the undo history.
#include "app/canvas.h"
#include "app/colour.h"
#include "app/mouse_tools.h"
#include "app/program.h"
#include "palette/palette_file.h"
#include "ui/views.h"
#include "ui/window_main.h"

#include <QAbstractButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using app::CanvasEvent;
using ui::Control;
using Type = CanvasEvent::Type;

constexpr int ZOOM = 20;
constexpr int TRANSPARENT = 0xE3;
constexpr int BLACK = 0;

CanvasEvent event(Type type, int x, int y, bool left = false, bool right = false, bool middle = false) {
    CanvasEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.left = left;
    e.right = right;
    e.middle = middle;
    return e;
}

class MouseTools : public ::testing::Test {
protected:
    void SetUp() override {
        program.window = &window;
        auto loaded = palette::loadPalette(std::filesystem::path(VIROROR_RESOURCES) / "rgb9spreada.pal");
        ASSERT_TRUE(loaded.has_value());
        program.palette = loaded->palette;
        program.colourSlots = loaded->colourSlots;
        program.model.resetSheet();
        ui::clearDesignViews(program);
        ui::drawColourSlots(program);
    }

    int screen(int index) const {
        const palette::RgbColour c = program.palette.colour(index);
        return app::rgbColour(c.red, c.green, c.blue);
    }
    app::Canvas& canvas(Control id) { return *window.canvas(id); }
    int editorPixel(int x, int y) { return canvas(Control::GadgetEditorCanvas).readPixel(x, y); }
    // Centre pixel of a grid cell on the editor and its block on the 4x preview.
    int cellPixel(int c, int r) { return editorPixel(c * ZOOM + ZOOM / 2, r * ZOOM + ZOOM / 2); }
    int previewPixel(int c, int r) { return canvas(Control::GadgetPreviewCanvas).readPixel(c * 4 + 1, r * 4 + 1); }
    int cell(int c, int r) const { return program.model.grid.cell(c, r); }
    QString text(Control id) const { return window.controlText(id); }
    int state(Control id) const { return window.controlState(id); }

    void chooseLeft(int index) {
        ui::showLeftColour(program, index);
        program.state.leftColour = index;
    }
    // Left press and release on a cell, as a click with the pen.
    void clickLeft(int c, int r) {
        app::editorCanvasEvent(program, event(Type::LeftDown, c * ZOOM + 5, r * ZOOM + 5, true));
        app::editorCanvasEvent(program, event(Type::LeftUp, c * ZOOM + 5, r * ZOOM + 5));
    }
    void clickRight(int c, int r) {
        app::editorCanvasEvent(program, event(Type::RightDown, c * ZOOM + 5, r * ZOOM + 5, false, true));
        app::editorCanvasEvent(program, event(Type::RightUp, c * ZOOM + 5, r * ZOOM + 5));
    }
    // Paints the palette canvas area of half-cells hx..hx+w-1, hy..hy+h-1 in one colour.
    void paintPaletteHalfCells(int hx, int hy, int w, int h, int colour) {
        canvas(Control::GadgetPaletteCanvas).fillBox(hx * 20, hy * 14, w * 20, h * 14, colour);
    }

    ui::WindowMain window;
    app::Program program;
};

// ---- Editor canvas: pen

TEST_F(MouseTools, PenPaintsWithBothButtonsCellByCell) {
    chooseLeft(5);
    ui::showRightColour(program, 9);

    app::editorCanvasEvent(program, event(Type::LeftDown, 25, 45, true));   // cell (1, 2)
    app::editorCanvasEvent(program, event(Type::Move, 65, 45, true));       // drag to (3, 2)
    app::editorCanvasEvent(program, event(Type::LeftUp, 65, 45));
    app::editorCanvasEvent(program, event(Type::RightDown, 5, 5, false, true));  // cell (0, 0)
    app::editorCanvasEvent(program, event(Type::Move, 5, 25, false, true));      // drag to (0, 1)
    app::editorCanvasEvent(program, event(Type::RightUp, 5, 25));

    EXPECT_EQ(cell(1, 2), 5);
    EXPECT_EQ(cell(3, 2), 5);
    EXPECT_EQ(cell(2, 2), TRANSPARENT) << "a quick drag skips the cells between events";
    EXPECT_EQ(cell(0, 0), 9);
    EXPECT_EQ(cell(0, 1), 9);
    for (auto [c, r, index] : {std::tuple{1, 2, 5}, {3, 2, 5}, {0, 0, 9}, {0, 1, 9}, {2, 2, TRANSPARENT}}) {
        EXPECT_EQ(cellPixel(c, r), screen(index)) << c << "," << r;
        EXPECT_EQ(editorPixel(c * ZOOM + 1, r * ZOOM + 1), screen(index));
        EXPECT_EQ(previewPixel(c, r), screen(index)) << "the 4x preview follows each painted cell";
    }
    // The painted cell keeps its black outline on all four sides.
    EXPECT_EQ(editorPixel(ZOOM, 2 * ZOOM + 5), BLACK);
    EXPECT_EQ(editorPixel(2 * ZOOM, 2 * ZOOM + 5), BLACK);
    EXPECT_EQ(editorPixel(ZOOM + 5, 2 * ZOOM), BLACK);
    EXPECT_EQ(editorPixel(ZOOM + 5, 3 * ZOOM), BLACK);
    // The grid reaches the sheet only when stored; the count reads the sheet.
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
    EXPECT_EQ(program.model.sheet.sprite(1)[0], TRANSPARENT);
}

TEST_F(MouseTools, CursorTextReadsTheCellBeforeTheToolsRun) {
    chooseLeft(12);
    app::editorCanvasEvent(program, event(Type::Move, 3 * ZOOM + 7, 12 * ZOOM + 19));
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:3:Y12:227");
    app::editorCanvasEvent(program, event(Type::LeftDown, 3 * ZOOM + 7, 12 * ZOOM + 19, true));
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:3:Y12:227") << "written before the pen paints";
    app::editorCanvasEvent(program, event(Type::Move, 3 * ZOOM + 7, 12 * ZOOM + 19));
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:3:Y12:12");
}

TEST_F(MouseTools, BorderLineAndCapturedDragsLandOnTheLastCell) {
    chooseLeft(40);
    app::editorCanvasEvent(program, event(Type::LeftDown, 320, 0, true));
    EXPECT_EQ(cell(15, 0), 40);
    app::editorCanvasEvent(program, event(Type::Move, 900, 320, true));  // far past the corner, still captured
    EXPECT_EQ(cell(15, 15), 40);
    EXPECT_EQ(text(Control::GadgetCursorInfo), "X:15:Y15:227");
}

TEST_F(MouseTools, PositionsLeftOfOrAboveTheCanvasAreIgnored) {
    chooseLeft(40);
    app::editorCanvasEvent(program, event(Type::Move, 30, 30));
    const QString cursor = text(Control::GadgetCursorInfo);
    const model::SpriteGrid before = program.model.grid;
    app::editorCanvasEvent(program, event(Type::LeftDown, -5, 30, true));
    app::editorCanvasEvent(program, event(Type::Move, 30, -1, true));
    app::editorCanvasEvent(program, event(Type::RightDown, -19, -19, false, true));
    EXPECT_EQ(program.model.grid, before);
    EXPECT_EQ(text(Control::GadgetCursorInfo), cursor);
    EXPECT_EQ(cellPixel(0, 0), screen(TRANSPARENT));
}

// ---- Editor canvas: undo snapshots on release

TEST_F(MouseTools, EveryReleaseStoresASnapshotChangedOrNot) {
    chooseLeft(TRANSPARENT);  // the grid is all transparent: the click changes nothing
    const int start = program.model.history.undoPosition();
    clickLeft(4, 4);
    EXPECT_EQ(program.model.history.undoPosition(), start + 256);

    app::editorCanvasEvent(program, event(Type::Move, 50, 50));
    app::editorCanvasEvent(program, event(Type::Move, 50, 50, true));
    EXPECT_EQ(program.model.history.undoPosition(), start + 256) << "moves store nothing";

    chooseLeft(77);
    app::editorCanvasEvent(program, event(Type::LeftDown, 50, 50, true));
    app::editorCanvasEvent(program, event(Type::LeftUp, 400, -30));  // released outside after a drag
    EXPECT_EQ(program.model.history.undoPosition(), start + 512);
    const auto snapshot = program.model.history.snapshot(2);
    EXPECT_EQ(snapshot[2 * 16 + 2], 77);

    clickRight(0, 0);
    EXPECT_EQ(program.model.history.undoPosition(), start + 768);

    EXPECT_TRUE(program.model.undo());
    EXPECT_EQ(cell(0, 0), TRANSPARENT);
    EXPECT_EQ(cell(2, 2), 77);
}

// ---- Editor canvas: fill

TEST_F(MouseTools, FillTakesTheFourConnectedRegionOfTheShownColour) {
    // A wall of colour 1 with a transparent pocket (0,0) (1,0) (1,1); (2,2) touches
    // the pocket only at a corner, (5,5) is a separate transparent cell.
    program.model.grid.fill(1);
    for (auto [c, r] : {std::pair{0, 0}, {1, 0}, {1, 1}, {2, 2}, {5, 5}}) program.model.grid.cell(c, r) = TRANSPARENT;
    ui::drawEditorGrid(program);
    chooseLeft(7);
    window.setControlState(Control::GadgetFill, 1);

    app::editorCanvasEvent(program, event(Type::LeftDown, 0 * ZOOM + 3, 0 * ZOOM + 3, true));

    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            const bool pocket = (r == 0 && c <= 1) || (c == 1 && r == 1);
            const bool apart = (c == 2 && r == 2) || (c == 5 && r == 5);
            const int expected = pocket ? 7 : apart ? TRANSPARENT : 1;
            ASSERT_EQ(cell(c, r), expected) << c << "," << r;
            ASSERT_EQ(cellPixel(c, r), screen(expected)) << "the grid is redrawn from the filled preview";
        }
    }
    EXPECT_EQ(window.statusText(), "Ready");
    EXPECT_EQ(state(Control::GadgetFill), 1) << "the fill stays on until the user releases it";
}

// ---- Editor canvas: dropper

TEST_F(MouseTools, RightClickWithTheDropperPicksAndPaintsNothing) {
    program.model.grid.cell(4, 4) = 33;
    ui::drawEditorGrid(program);
    ui::showRightColour(program, 9);
    const model::SpriteGrid before = program.model.grid;

    window.setControlState(Control::GadgetDropper, 1);
    clickRight(4, 4);
    EXPECT_EQ(program.state.rightColour, 33);
    EXPECT_EQ(program.state.rightColourRgb, screen(33));
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "33");
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(window.statusText(), "Ready");
    EXPECT_EQ(program.model.grid, before);

    window.setControlState(Control::GadgetDropper, 1);
    clickRight(9, 9);
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "T227");
    EXPECT_EQ(program.model.grid, before);
}

TEST_F(MouseTools, LeftClickWithTheDropperSetsTheLeftColourAndReleasesIt) {
    program.model.grid.cell(2, 3) = 50;
    ui::drawEditorGrid(program);
    chooseLeft(9);
    window.setControlState(Control::GadgetDropper, 1);
    window.setControlState(Control::GadgetFill, 1);  // the dropper wins over the fill
    const model::SpriteGrid before = program.model.grid;

    app::editorCanvasEvent(program, event(Type::LeftDown, 2 * ZOOM + 10, 3 * ZOOM + 10, true));
    EXPECT_EQ(program.state.leftColour, 50);
    EXPECT_EQ(program.state.leftColourRgb, screen(50));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "50");
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(state(Control::GadgetFill), 1);
    EXPECT_EQ(program.model.grid, before);
    EXPECT_EQ(window.statusText(), "Ready");
}

// ---- Palette canvas

TEST_F(MouseTools, PaletteClickOnAColourNoEntryHasUsesTheCellUnderIt) {
    const int foreign = app::rgbColour(1, 2, 3);
    ASSERT_FALSE(palette::findPaletteIndex(program.palette, 1, 2, 3).has_value());
    paintPaletteHalfCells(6, 8, 2, 2, foreign);  // the 40 x 28 cell of column 3, row 4
    window.setControlState(Control::GadgetDropper, 1);

    app::paletteCanvasEvent(program, event(Type::LeftDown, 6 * 20 + 3, 9 * 14 + 3, true));  // lower half
    EXPECT_EQ(program.state.leftColour, 3 + 4 * 16);
    EXPECT_EQ(state(Control::GadgetDropper), 1) << "only a colour found ends a pick";
    app::paletteCanvasEvent(program, event(Type::RightDown, 7 * 20 + 19, 8 * 14, false, true));  // upper half
    EXPECT_EQ(program.state.rightColour, 3 + 4 * 16);
}

TEST_F(MouseTools, PaletteClickPicksTheExactColourAndEndsAPick) {
    paintPaletteHalfCells(10, 20, 1, 1, screen(200));
    window.setControlState(Control::GadgetDropper, 1);
    app::paletteCanvasEvent(program, event(Type::LeftDown, 10 * 20 + 5, 20 * 14 + 5, true));
    EXPECT_EQ(program.state.leftColour, 200);
    EXPECT_EQ(program.state.leftColourRgb, screen(200));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "200");
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(window.statusText(), "Ready");

    // On the chart drawn at start-up: row 3 starts at entry 99, column 5 shows 104.
    ui::drawPaletteChart(program);
    app::paletteCanvasEvent(program, event(Type::LeftDown, 175, 90, true));
    EXPECT_EQ(program.state.leftColour, 104);
}

TEST_F(MouseTools, TransparentIndexShowsWithATUnderBothSwatches) {
    paintPaletteHalfCells(0, 0, 2, 2, screen(TRANSPARENT));
    paintPaletteHalfCells(2, 0, 2, 2, screen(17));
    app::paletteCanvasEvent(program, event(Type::RightDown, 5, 5, false, true));
    EXPECT_EQ(program.state.rightColour, TRANSPARENT);
    EXPECT_EQ(program.state.rightColourRgb, screen(TRANSPARENT));
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "T227");
    EXPECT_EQ(canvas(Control::GadgetRightColourSwatch).readPixel(3, 3), screen(TRANSPARENT));
    app::paletteCanvasEvent(program, event(Type::Move, 45, 5, true));  // left held, dragged over 17
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "17");
    app::paletteCanvasEvent(program, event(Type::Move, 5, 5, true));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");
    EXPECT_EQ(program.state.rightColour, TRANSPARENT) << "the left drag leaves the right colour";
}

TEST_F(MouseTools, DoubleClickFillsTheSelectedSlotAndChoosesTheLeftColour) {
    program.state.selectedSlot = 3;
    paintPaletteHalfCells(12, 12, 1, 1, screen(120));
    app::paletteCanvasEvent(program, event(Type::LeftDoubleClick, 12 * 20 + 4, 12 * 14 + 4, true));

    const palette::PaletteEntry& slot = program.colourSlots[3];
    const palette::PaletteEntry& entry = program.palette[120];
    EXPECT_EQ(slot.paletteIndex, 120);
    EXPECT_EQ(slot.slot, 3);
    EXPECT_EQ(app::rgbColour(slot.red, slot.green, slot.blue), screen(120));
    EXPECT_EQ(slot.nextColourByte, entry.nextColourByte);
    EXPECT_EQ(slot.nextBlueBit, entry.nextBlueBit);
    EXPECT_EQ(program.state.leftColour, 120);
    EXPECT_EQ(canvas(Control::GadgetSlotCanvas).readPixel(60, 60), screen(120)) << "slot 3 is right of row 1";

    // A middle drag over a colour no entry has leaves the slot alone.
    const palette::PaletteEntry kept = slot;
    paintPaletteHalfCells(14, 14, 1, 1, app::rgbColour(1, 2, 3));
    app::paletteCanvasEvent(program, event(Type::Move, 14 * 20 + 4, 14 * 14 + 4, false, false, true));
    EXPECT_EQ(program.colourSlots[3], kept);
}

// ---- Slot canvas

TEST_F(MouseTools, SlotClickMakesItsColourTheLeftColour) {
    program.colourSlots[5] = program.palette[66];
    program.colourSlots[5].paletteIndex = 66;
    program.colourSlots[6].paletteIndex = TRANSPARENT;
    window.setControlState(Control::GadgetDropper, 1);

    app::slotCanvasEvent(program, event(Type::LeftDown, 45, 85, true));  // row 2, right column
    const palette::RgbColour c = program.palette.colour(66);
    EXPECT_EQ(program.state.selectedSlot, 5);
    EXPECT_EQ(program.state.leftColour, 66);
    EXPECT_EQ(program.state.leftColourRgb, screen(66));
    EXPECT_EQ(text(Control::GadgetRgbLabel), QStringLiteral("RGB:%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "66");
    EXPECT_EQ(canvas(Control::GadgetLeftColourSwatch).readPixel(2, 2), screen(66));
    EXPECT_EQ(state(Control::GadgetDropper), 0);
    EXPECT_EQ(canvas(Control::GadgetSlotCanvas).readPixel(40, 80), app::rgbColour(255, 255, 255))
        << "the selected slot is outlined white";

    app::slotCanvasEvent(program, event(Type::LeftDown, 5, 125, true));
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    app::slotCanvasEvent(program, event(Type::RightDown, 45, 5, false, true));
    app::slotCanvasEvent(program, event(Type::Move, 45, 5, true));
    EXPECT_EQ(program.state.selectedSlot, 6) << "only a left press chooses a slot";
}

// ---- Import canvas

TEST_F(MouseTools, RightDragOnTheImportCanvasMovesTheGrabCorner) {
    window.setControlText(Control::GadgetGrabX, "10");
    window.setControlText(Control::GadgetGrabY, "20");
    window.setControlText(Control::GadgetResizeWidth, "64");
    window.setControlText(Control::GadgetResizeHeight, "48");

    app::importCanvasEvent(program, event(Type::Move, 100, 50, false, true));
    EXPECT_EQ(text(Control::GadgetGrabX), "100");
    EXPECT_EQ(text(Control::GadgetGrabY), "50");
    EXPECT_EQ(state(Control::GadgetResizeWidthSlider), 64);
    EXPECT_EQ(state(Control::GadgetResizeHeightSlider), 48);

    app::importCanvasEvent(program, event(Type::Move, 512, 60, false, true));  // past the picture
    app::importCanvasEvent(program, event(Type::Move, 120, -1, false, true));
    app::importCanvasEvent(program, event(Type::Move, 130, 70, true));  // left drag does nothing
    EXPECT_EQ(text(Control::GadgetGrabX), "100");
    EXPECT_EQ(text(Control::GadgetGrabY), "50");
    app::importCanvasEvent(program, event(Type::RightDown, 511, 383, false, true));
    EXPECT_EQ(text(Control::GadgetGrabX), "511");
    EXPECT_EQ(text(Control::GadgetGrabY), "383");
}

// ---- Through Qt's mouse routing

TEST_F(MouseTools, QtMouseEventsOnTheEditorCanvasPaintAndStoreSnapshots) {
    app::Canvas* editor = window.canvas(Control::GadgetEditorCanvas);
    QObject::connect(editor, &app::Canvas::canvasEvent,
                     [this](const CanvasEvent& e) { app::editorCanvasEvent(program, e); });
    chooseLeft(5);
    ui::showRightColour(program, 9);
    const int start = program.model.history.undoPosition();

    QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseMove(editor, QPoint(70, 30));
    QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, QPoint(70, 30));
    QTest::mousePress(editor, Qt::RightButton, Qt::NoModifier, QPoint(310, 310));
    QTest::mouseRelease(editor, Qt::RightButton, Qt::NoModifier, QPoint(310, 310));

    EXPECT_EQ(cell(1, 1), 5);
    EXPECT_EQ(cell(3, 1), 5);
    EXPECT_EQ(cell(15, 15), 9);
    EXPECT_EQ(cellPixel(3, 1), screen(5));
    EXPECT_EQ(cellPixel(15, 15), screen(9));
    EXPECT_EQ(program.model.history.undoPosition(), start + 512);
}

}  // namespace
