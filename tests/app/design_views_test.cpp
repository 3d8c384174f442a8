// The "Design" page's views, checked by reading back the pixels they drew.
#include "views_fixture.h"

#include <QImage>

#include <array>
#include <vector>

namespace {

using namespace views_test;
using ui::Control;

class DesignViewsTest : public ViewsTest {};

TEST_F(DesignViewsTest, FreshSheetShowsTransparentCellsInsideTheLattice) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, x * 20 + 10, y * 20 + 10), MAGENTA) << x << "," << y;
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, x * 20 + 1, y * 20 + 19), MAGENTA) << x << "," << y;
        }
    for (int k = 0; k <= 320; k += 20)  // 17 black lines each way, the last on 320
        for (int t = 0; t <= 320; ++t) {
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, k, t), BLACK) << k << "," << t;
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, t, k), BLACK) << t << "," << k;
        }
    EXPECT_EQ(canvas(Control::GadgetPreviewCanvas).image().size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(pixel(Control::GadgetPreviewCanvas, x, y), MAGENTA);
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImages[1], 63, 63), MAGENTA);
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImages[2], 10, 10), WHITE);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 15, 15), MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 16, 5), DARK_GREY);
}

// Hidden transparency is white in the grid, the preview and the sprite's image.
TEST_F(DesignViewsTest, HiddenTransparencyDrawsWhiteButKeepsOtherColours) {
    program.model.grid.cell(3, 4) = 5;
    program.model.currentSprite = 64;
    program.state.showTransparent = 0;
    app::drawEditorGrid(program);
    EXPECT_EQ(text(Control::GadgetSpriteNumber), "63");
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 10, 10), WHITE);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 3 * 20 + 10, 4 * 20 + 10), paletteColour(5));
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 20, 10), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPreviewCanvas, 0, 0), WHITE);
    EXPECT_EQ(pixel(Control::GadgetPreviewCanvas, 3 * 4 + 3, 4 * 4 + 3), paletteColour(5));
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImages[64], 0, 0), WHITE);
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImages[64], 3 * 4, 4 * 4), paletteColour(5));
}

TEST_F(DesignViewsTest, ColourCountReadsTheSpritesInUseAndNeverCountsZero) {
    app::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
    program.model.sheet.bytes.fill(0);
    app::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :0");
    program.model.sheet.bytes[256] = 9;  // sprite 2: outside the one sprite in use
    program.model.sheet.bytes[3] = 4;
    app::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
    program.model.spriteCount = 2;
    app::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :2");
}

TEST_F(DesignViewsTest, PaletteChartRowsStartWhereTheyShould) {
    const std::array<int, 16> rowStarts{0, 33, 66, 99, 132, 165, 198, 231, 32, 65, 98, 131, 164, 197, 230, 32};
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 17; ++c) {
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c + 16, 24 * r + 12), paletteColour(rowStarts[r] + c))
                << "cell " << c << "," << r;
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c, 24 * r + 12), BLACK);
        }
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 20, 387), paletteColour(32));  // the last row's 28 pixels
}

TEST_F(DesignViewsTest, ChosenColoursAndSlotsShowTheirColours) {
    app::showLeftColour(program, 0xE3);
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    EXPECT_EQ(pixel(Control::GadgetLeftColourSwatch, 0, 0), MAGENTA);
    app::showRightColour(program, 7);
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "7");
    EXPECT_EQ(pixel(Control::GadgetRightColourSwatch, 5, 5), paletteColour(7));
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");  // it follows the left colour only

    for (int i = 0; i < 16; ++i) program.colourSlots[static_cast<std::size_t>(i)].red = 10 * i;
    program.state.selectedSlot = 3;
    app::drawColourSlots(program);
    for (int i = 0; i < 16; ++i) {
        const auto& slot = program.colourSlots[static_cast<std::size_t>(i)];
        EXPECT_EQ(pixel(Control::GadgetSlotCanvas, (i % 2) * 40 + 20, (i / 2) * 40 + 20),
                  toolkit::rgbColour(slot.red, slot.green, slot.blue)) << i;
    }
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 40, 60), WHITE);  // slot 3's outline
}

TEST_F(DesignViewsTest, PalettePictureFillsTheCanvasWithATwoPixelMargin) {
    const QImage before = canvas(Control::GadgetPaletteCanvas).image();
    program.state.palettePictureIndex = 1;
    app::showPalettePicture(program);  // no picture there: nothing is drawn
    EXPECT_EQ(canvas(Control::GadgetPaletteCanvas).image(), before);
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    picture.setPixel(99, 49, qRgb(0, 0, 255));
    program.views.palettePictures[1] = picture;
    app::showPalettePicture(program);
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 1, 100), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 2, 2), toolkit::rgbColour(0, 255, 0));
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 549, 387), toolkit::rgbColour(0, 0, 255));
}

}  // namespace
