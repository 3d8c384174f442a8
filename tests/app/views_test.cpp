// The views, checked by reading back the pixels they drew: the "Design" page's grid,
// preview, chart, colours and slots, the sheet and file previews, the animation box
// and the grab preview, on a program with a real window, the default palette and a
// freshly reset sheet, as start-up leaves them.
#include <climits>
#include <tuple>

#include "session_fixture.h"

using namespace testing_support;

namespace {

constexpr int MAGENTA = toolkit::rgbColour(255, 0, 255), WHITE = toolkit::rgbColour(255, 255, 255);
constexpr int BLACK = 0, DARK_GREY = toolkit::rgbColour(40, 40, 40);

class Views : public SessionTest {
protected:
    void setLayout(const QString& width, const QString& count, const QString& offset) {
        window().setControlText(Control::GadgetSheetWidth, width);
        window().setControlText(Control::GadgetSheetCount, count);
        window().setControlText(Control::GadgetSheetOffset, offset);
        window().setControlState(Control::GadgetShowValues, 0);
        app::drawSheetPreview(program());
    }
    int sheetPixel(int x, int y) { return pixel(Control::GadgetSheetCanvas, x, y); }
    void fillSheetSprite(int index, std::uint8_t value) {
        std::fill_n(model().sheet.bytes.begin() + index * 256, 256, value);
    }
};

TEST_F(Views, FreshSheetShowsTransparentCellsInsideTheLattice) {
    for (int y = 0; y <= 320; ++y)  // 17 black lines each way, the last on 320
        for (int x = 0; x <= 320; ++x)
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, x, y), x % 20 && y % 20 ? MAGENTA : BLACK) << x << "," << y;
    EXPECT_EQ(canvas(Control::GadgetPreviewCanvas).image().size(), QSize(64, 64));
    for (int i = 0; i < 64 * 64; ++i) ASSERT_EQ(pixel(Control::GadgetPreviewCanvas, i % 64, i / 64), MAGENTA) << i;
    EXPECT_EQ(toolkit::readPixel(program().views.spriteImage(1), 63, 63), MAGENTA);
    EXPECT_EQ(toolkit::readPixel(program().views.spriteImage(2), 10, 10), WHITE);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 15, 15), MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 16, 5), DARK_GREY);
}

TEST_F(Views, ColourCountReadsTheSpritesInUseAndNeverCountsZero) {
    model().sheet.bytes.fill(0);
    model().sheet.bytes[256] = 9;  // sprite 2: outside the one sprite in use
    model().sheet.bytes[3] = 4;
    for (int sprites : {1, 2}) {
        model().spriteCount = sprites;
        app::countColours(program());
        EXPECT_EQ(text(Control::GadgetColourCount), QStringLiteral("Colours :%1").arg(sprites));
    }
}

TEST_F(Views, PaletteChartRowsStartWhereTheyShould) {
    const std::array<int, 16> rowStarts{0, 33, 66, 99, 132, 165, 198, 231, 32, 65, 98, 131, 164, 197, 230, 32};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 17; ++c) {
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c + 16, 24 * r + 12), paletteColour(rowStarts[r] + c))
                << "cell " << c << "," << r;
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c, 24 * r + 12), BLACK);
        }
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 20, 387), paletteColour(32));  // the last row's 28 pixels
}

// The mouse tools test the chosen colours' texts; here their swatches and the slots.
TEST_F(Views, ChosenColoursAndSlotsShowTheirColours) {
    app::showLeftColour(program(), 0xE3);
    app::showRightColour(program(), 7);
    EXPECT_EQ(pixel(Control::GadgetLeftColourSwatch, 0, 0), MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetRightColourSwatch, 5, 5), paletteColour(7));
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");  // it follows the left colour only

    for (int i = 0; i < 16; ++i) program().colourSlots[static_cast<std::size_t>(i)].red = 10 * i;
    program().state.selectedSlot = 3;
    app::drawColourSlots(program());
    for (int i = 0; i < 16; ++i) {
        const auto& slot = program().colourSlots[static_cast<std::size_t>(i)];
        EXPECT_EQ(pixel(Control::GadgetSlotCanvas, (i % 2) * 40 + 20, (i / 2) * 40 + 20),
                  toolkit::rgbColour(slot.red, slot.green, slot.blue)) << i;
    }
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 40, 60), WHITE);  // slot 3's outline
}

// Count, offset and width choose the sprites and their places: width 0 starts on the
// second row and never wraps, sprites before sprite 1 keep their places, empty, and
// past sprite 64 lies the room beyond the sheet.
TEST_F(Views, LayoutFieldsChooseTheSprites) {
    fillSheetSprite(1, 9);
    fillSheetSprite(3, 9);
    fillSheetSprite(100, 12);
    struct Case { const char *width, *count, *offset; int x, y, colour; };
    for (const Case& c : {Case{"16", "1", "3", 31, 31, paletteColour(9)}, Case{"16", "1", "3", 33, 1, DARK_GREY},
                          Case{"16", "64", "63", 0, 0, MAGENTA}, Case{"16", "64", "63", 5 * 32, 2 * 32, paletteColour(12)},
                          Case{"2", "3", "0", 64 + 5, 5, DARK_GREY}, Case{"2", "3", "0", 5, 32 + 5, MAGENTA},
                          Case{"0", "3", "0", 5, 5, DARK_GREY}, Case{"0", "3", "0", 2 * 32 + 5, 32 + 5, MAGENTA},
                          Case{"16", "4", "-2", 32 + 5, 5, DARK_GREY}, Case{"16", "4", "-2", 96 + 5, 5, paletteColour(9)}}) {
        setLayout(c.width, c.count, c.offset);
        EXPECT_EQ(sheetPixel(c.x, c.y), c.colour) << c.width << " " << c.count << " " << c.offset << " at " << c.x;
    }
}

TEST_F(Views, FilePreviewReadsTheFileAndLeavesTheSheet) {
    Bytes bytes(300, 9);
    std::fill_n(bytes.begin(), 256, 7);
    writeBytes(path("short.spr"), bytes);
    setLayout("16", "64", "0");  // values not shown
    const auto sheet = model().sheet.bytes;
    app::drawFilePreview(program(), path("short.spr"));
    EXPECT_EQ(sheetPixel(31, 31), paletteColour(7));
    EXPECT_EQ(sheetPixel(32 + 2 * 11, 2 * 2), paletteColour(9));  // byte 299: row 2, column 11
    EXPECT_EQ(sheetPixel(32 + 2 * 12, 2 * 2), paletteColour(0));  // past the end: 0
    EXPECT_EQ(sheetPixel(64 + 5, 5), paletteColour(0));
    EXPECT_EQ(model().sheet.bytes, sheet);
    app::drawFilePreview(program(), dir.path());  // a folder: every sprite in entry 0's colour
    EXPECT_EQ(sheetPixel(15 * 32 + 5, 3 * 32 + 5), paletteColour(0));
}

TEST_F(Views, GrabPreviewClearsOnlyWhenTheBlockCountChanges) {
    constexpr int PINK = toolkit::rgbColour(255, 170, 170), MARK = toolkit::rgbColour(0, 200, 0);
    constexpr int RED = toolkit::rgbColour(250, 1, 2), BLUE = toolkit::rgbColour(1, 2, 250);
    auto grabPixel = [&](int x, int y) { return pixel(Control::GadgetGrabCanvas, x, y); };
    toolkit::Canvas& import = canvas(Control::GadgetImportCanvas);
    import.setBackground(DARK_GREY);
    import.fillBox(16, 0, 16, 16, BLUE);
    import.fillBox(5, 3, 1, 1, RED);

    app::drawGrabPreview(program(), 0, 0, 1, 1);  // picture (5, 3) doubled, outside the block pink
    EXPECT_EQ(std::tuple(grabPixel(10, 6), grabPixel(11, 7), grabPixel(12, 7), grabPixel(40, 40)),
              std::tuple(RED, RED, DARK_GREY, PINK));
    for (int k = 0; k < 127; ++k) EXPECT_TRUE(grabPixel(k, 32) == BLACK && grabPixel(32, k) == BLACK) << k;
    canvas(Control::GadgetGrabCanvas).fillBox(100, 100, 2, 2, MARK);
    app::drawGrabPreview(program(), 16, 0, 1, 1);  // same count, corner moved: nothing cleared
    EXPECT_EQ(std::pair(grabPixel(10, 10), grabPixel(100, 100)), std::pair(BLUE, MARK));
    app::drawGrabPreview(program(), 0, 0, 2, 1);  // a new count clears the old blocks
    EXPECT_EQ(std::pair(grabPixel(100, 100), grabPixel(40, 10)), std::pair(PINK, BLUE));

    app::drawGrabPreview(program(), INT_MAX, INT_MIN, 1000000, -3);  // typed values clamped
    EXPECT_EQ(std::pair(program().views.grabAcross, program().views.grabDown), std::pair(16, 0));
}

}  // namespace
