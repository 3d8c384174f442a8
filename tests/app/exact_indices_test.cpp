// Two palette entries sharing a colour (entry 200 a copy of entry 12 with priority,
// as Next palettes hold them): the fill writes its region alone and the dropper
// picks the cell's own index, driven through the editor canvas.
#include "app/mouse_tools.h"
#include "session_fixture.h"

using namespace testing_support;

namespace {

constexpr int TRANSPARENT = 0xE3;
constexpr int LOW = 12;     // the shared colour's lowest index
constexpr int HIGH = 200;   // the same colour again
constexpr int WALL = 8;     // column of index 0 parting the grid

class ExactIndices : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        std::vector<palette::PaletteEntry> entries = program().palette.entries();
        entries[HIGH] = entries[LOW];
        entries[HIGH].paletteIndex = HIGH;
        entries[HIGH].priority = true;
        program().palette = palette::Palette(std::move(entries));
        for (const int other : {0, TRANSPARENT}) ASSERT_NE(program().palette.colour(other), program().palette.colour(LOW));

        for (int y = 0; y < 16; ++y) model().grid.cell(WALL, y) = 0;
        model().grid.cell(2, 2) = LOW;  // one region of the shared colour, two indices
        model().grid.cell(3, 2) = HIGH;
        model().grid.cell(10, 2) = HIGH;  // beyond the wall
        model().grid.cell(12, 5) = LOW;
        app::drawEditorGrid(program());
        app::drawSpritePreview(program());
    }
    void click(int column, int row, bool left) {
        const int x = column * 20 + 5, y = row * 20 + 5;
        app::editorCanvasEvent(program(), {left ? Type::LeftDown : Type::RightDown, x, y, left, !left, false});
        app::editorCanvasEvent(program(), {left ? Type::LeftUp : Type::RightUp, x, y, false, false, false});
    }
    void fillWith(int index, int column, int row) {
        app::showLeftColour(program(), index);
        program().state.leftColour = index;
        window().setControlState(Control::GadgetFill, 1);
        click(column, row, true);
        window().setControlState(Control::GadgetFill, 0);
    }
    int cell(int x, int y) { return model().grid.cell(x, y); }
};

TEST_F(ExactIndices, FillWritesItsRegionAloneAndTheDropperPicksTheCellsIndex) {
    // The region of the shared colour takes the left index, though it already shows it.
    fillWith(HIGH, 2, 2);
    EXPECT_EQ(std::pair(cell(2, 2), cell(3, 2)), std::pair(HIGH, HIGH));
    EXPECT_EQ(std::pair(cell(10, 2), cell(12, 5)), std::pair(HIGH, LOW)) << "outside the region nothing changes";

    // Filling the transparent left half with the lower index leaves every other cell alone.
    fillWith(LOW, 0, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int expected = x < WALL ? LOW : TRANSPARENT;
            if (x == WALL) expected = 0;
            if ((x == 3 && y == 2) || (x == 2 && y == 2) || (x == 10 && y == 2)) expected = HIGH;
            if (x == 12 && y == 5) expected = LOW;
            EXPECT_EQ(cell(x, y), expected) << x << "," << y;
        }
    }
    const palette::RgbColour shared = program().palette.colour(LOW);
    EXPECT_EQ(window().canvas(Control::GadgetEditorCanvas)->readPixel(3 * 20 + 5, 2 * 20 + 5),
              toolkit::rgbColour(shared.red, shared.green, shared.blue));

    // Both buttons' droppers pick the index the cell holds, not the colour's lowest.
    window().setControlState(Control::GadgetDropper, 1);
    click(3, 2, true);
    EXPECT_EQ(program().state.leftColour, HIGH);
    EXPECT_EQ(window().controlText(Control::GadgetLeftColourIndex), "200");
    window().setControlState(Control::GadgetDropper, 1);
    click(10, 2, false);
    EXPECT_EQ(program().state.rightColour, HIGH);
    window().setControlState(Control::GadgetDropper, 1);
    click(1, 1, false);
    EXPECT_EQ(program().state.rightColour, LOW);
    EXPECT_EQ(window().statusText(), "Ready");
}

}  // namespace
