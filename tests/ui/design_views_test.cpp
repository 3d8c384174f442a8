// The "Design" page's views, checked by reading back the pixels they drew.
#include "views_fixture.h"

#include <QImage>

#include <array>
#include <vector>

namespace {

using views_test::BLACK;
using views_test::DARK_GREY;
using views_test::MAGENTA;
using views_test::WHITE;
using ui::Control;

class DesignViewsTest : public views_test::ViewsTest {};

TEST_F(DesignViewsTest, FreshSheetShowsTransparentCellsInsideTheLattice) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, x * 20 + 10, y * 20 + 10), MAGENTA) << x << "," << y;
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, x * 20 + 1, y * 20 + 19), MAGENTA) << x << "," << y;
        }
    }
    // 17 black lines each way, the last on column and row 320.
    for (int k = 0; k <= 320; k += 20) {
        for (int t = 0; t <= 320; ++t) {
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, k, t), BLACK) << k << "," << t;
            ASSERT_EQ(pixel(Control::GadgetEditorCanvas, t, k), BLACK) << t << "," << k;
        }
    }
    EXPECT_EQ(text(Control::GadgetSpriteNumber), "0");

    // The 4x preview, the sprite's own picture and the 1:1 picture.
    const QImage& preview = canvas(Control::GadgetPreviewCanvas).image();
    EXPECT_EQ(preview.size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) ASSERT_EQ(app::readPixel(preview, x, y), MAGENTA);
    }
    EXPECT_EQ(app::readPixel(program.spriteImages[1], 63, 63), MAGENTA);
    for (int n : {0, 2, 64}) {
        ASSERT_EQ(program.spriteImages[static_cast<std::size_t>(n)].size(), QSize(64, 64));
        EXPECT_EQ(app::readPixel(program.spriteImages[static_cast<std::size_t>(n)], 10, 10), WHITE) << n;
    }
    EXPECT_TRUE(program.spriteImages[65].isNull());
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 15, 15), MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 16, 5), DARK_GREY);
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 79, 319), BLACK);
}

TEST_F(DesignViewsTest, HiddenTransparencyDrawsWhiteEverywhereButKeepsOtherColours) {
    program.model.grid.cell(3, 4) = 5;
    program.state.showTransparent = 0;
    ui::drawEditorGrid(program);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 10, 10), WHITE);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 3 * 20 + 10, 4 * 20 + 10), paletteColour(5));
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 20, 10), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPreviewCanvas, 0, 0), WHITE);
    EXPECT_EQ(pixel(Control::GadgetPreviewCanvas, 3 * 4 + 3, 4 * 4 + 3), paletteColour(5));
    EXPECT_EQ(app::readPixel(program.spriteImages[1], 0, 0), WHITE);
    EXPECT_EQ(app::readPixel(program.spriteImages[1], 3 * 4, 4 * 4), paletteColour(5));
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 3, 4), paletteColour(5));

    // The sprite number follows the current sprite; its image is the one drawn.
    program.model.currentSprite = 64;
    ui::drawEditorGrid(program);
    EXPECT_EQ(text(Control::GadgetSpriteNumber), "63");
    EXPECT_EQ(app::readPixel(program.spriteImages[64], 3 * 4, 4 * 4), paletteColour(5));
}

TEST_F(DesignViewsTest, PenCellIsABoxWithABlackOutline) {
    const int colour = app::rgbColour(10, 200, 30);
    ui::drawEditorCell(program, 2, 3, colour);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 50, 70), colour);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 40, 70), BLACK);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 60, 70), BLACK);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 50, 80), BLACK);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 61, 70), MAGENTA);
}

TEST_F(DesignViewsTest, ColourCountReadsTheSpritesInUseAndNeverCountsZero) {
    ui::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
    EXPECT_TRUE(program.colourUse.markers[0xE3]);

    program.model.sheet.bytes.fill(0);
    ui::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :0");

    // Sprite 2 is outside the one sprite in use until the count grows.
    program.model.sheet.bytes[256] = 9;
    program.model.sheet.bytes[3] = 4;
    ui::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :1");
    program.model.spriteCount = 2;
    ui::countColours(program);
    EXPECT_EQ(text(Control::GadgetColourCount), "Colours :2");
    EXPECT_EQ(program.colourUse.count, 2);

}

TEST_F(DesignViewsTest, PaletteChartRowsStartWhereTheyShould) {
    const std::array<int, 16> rowStarts{0, 33, 66, 99, 132, 165, 198, 231, 32, 65, 98, 131, 164, 197, 230, 32};
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 17; ++c) {
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c + 16, 24 * r + 12), paletteColour(rowStarts[r] + c))
                << "cell " << c << "," << r;
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c, 24 * r + 12), BLACK);
            ASSERT_EQ(pixel(Control::GadgetPaletteCanvas, 32 * c + 16, 24 * r), BLACK);
        }
    }
    // Right of the 17th column, and the last row's 28 pixels.
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 546, 100), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 20, 387), paletteColour(32));
}

TEST_F(DesignViewsTest, PaletteChartMarksTheTransparentColour) {
    // Entry 5 (row 0, column 5) takes the transparent colour; 227 is not on the chart.
    std::vector<palette::PaletteEntry> entries;
    for (int i = 0; i < 256; ++i) entries.push_back(palette::makePaletteEntry(i, 100, 50, i));
    entries[5] = palette::makePaletteEntry(255, 0, 255, 5);
    program.palette = palette::Palette(entries);
    ui::drawPaletteChart(program);

    const int x = 5 * 32, y = 0;
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, x + 1, y + 12), BLACK);   // outline, left
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, x + 8, y + 1), BLACK);    // outline, top
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, x + 4, y + 20), MAGENTA);
    int white = 0;
    for (int j = y + 6; j < y + 24; ++j) {
        for (int i = x + 12; i < x + 32; ++i) white += pixel(Control::GadgetPaletteCanvas, i, j) == WHITE;
    }
    EXPECT_GT(white, 3) << "the \" T\" text";
    // Its neighbour has no outline.
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 4 * 32 + 1, 12), paletteColour(4));
}

TEST_F(DesignViewsTest, LeftAndRightColourTexts) {
    ui::showLeftColour(program, 0xE3);
    EXPECT_EQ(text(Control::GadgetRgbLabel), "RGB:255,0,255");
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "T227");
    EXPECT_EQ(program.state.leftColourRgb, MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetLeftColourSwatch, 0, 0), MAGENTA);

    ui::showLeftColour(program, 7);
    EXPECT_EQ(text(Control::GadgetLeftColourIndex), "7");

    ui::showRightColour(program, 0xE3);
    EXPECT_EQ(text(Control::GadgetRightColourIndex), "T227");
    EXPECT_EQ(program.state.rightColour, 0xE3);
    EXPECT_EQ(program.state.rightColourRgb, MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetRightColourSwatch, 5, 5), MAGENTA);
    EXPECT_NE(text(Control::GadgetRgbLabel), "RGB:255,0,255");  // it follows the left colour only
}

TEST_F(DesignViewsTest, ColourSlotsInTwoColumnsWithTheSelectedOneOutlined) {
    for (int i = 0; i < 16; ++i) {
        auto& slot = program.colourSlots[static_cast<std::size_t>(i)];
        slot.red = 10 * i;
        slot.green = 7;
        slot.blue = 200;
    }
    program.state.selectedSlot = 3;
    ui::drawColourSlots(program);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(pixel(Control::GadgetSlotCanvas, (i % 2) * 40 + 20, (i / 2) * 40 + 20), app::rgbColour(10 * i, 7, 200));
    }
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 40, 60), WHITE);  // slot 3's left edge
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 79, 79), WHITE);
    EXPECT_EQ(pixel(Control::GadgetSlotCanvas, 0, 60), app::rgbColour(20, 7, 200));
}

TEST_F(DesignViewsTest, ReadBackTakesTheLowestIndexAndKeepsUnknownColours) {
    program.model.grid.cell(2, 2) = 9;
    ui::drawEditorGrid(program);
    // A colour in no palette entry, then a fill of the magenta region.
    const int unknown = app::rgbColour(1, 2, 3);
    ASSERT_FALSE(palette::findPaletteIndex(program.palette, 1, 2, 3).has_value());
    canvas(Control::GadgetPreviewCanvas).fillBox(8, 8, 4, 4, unknown);
    canvas(Control::GadgetPreviewCanvas).floodFill4(0, 0, paletteColour(7));
    ui::readBackPreview(program);
    EXPECT_EQ(program.model.grid.cell(2, 2), 9);
    EXPECT_EQ(program.model.grid.cell(0, 0), 7);
    EXPECT_EQ(program.model.grid.cell(15, 15), 7);
    EXPECT_EQ(pixel(Control::GadgetEditorCanvas, 310, 310), paletteColour(7));
    EXPECT_EQ(pixel(Control::GadgetPreviewCanvas, 9, 9), paletteColour(9));  // redrawn from the grid
}

TEST_F(DesignViewsTest, ReadBackTakesWhatThePreviewShows) {
    // Hidden transparency reads back as the first white entry.
    program.state.showTransparent = 0;
    ui::drawEditorGrid(program);
    ui::readBackPreview(program);
    EXPECT_EQ(program.model.grid.cell(4, 4), *palette::findPaletteIndex(program.palette, 255, 255, 255));

    // Two entries of one colour: the lower index wins, fill or no fill.
    std::vector<palette::PaletteEntry> entries = program.palette.entries();
    entries[20] = palette::makePaletteEntry(entries[10].red, entries[10].green, entries[10].blue, 20);
    program.palette = palette::Palette(entries);
    program.model.grid.fill(20);
    ui::drawEditorGrid(program);
    ui::readBackPreview(program);
    EXPECT_EQ(program.model.grid.cell(7, 7), 10);
}

TEST_F(DesignViewsTest, PalettePictureFillsTheCanvasWithATwoPixelMargin) {
    const QImage before = canvas(Control::GadgetPaletteCanvas).image();
    program.state.palettePictureIndex = 1;  // no picture there: nothing is drawn
    ui::showPalettePicture(program);
    EXPECT_EQ(canvas(Control::GadgetPaletteCanvas).image(), before);

    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    for (int y = 0; y < 50; ++y) {
        for (int x = 50; x < 100; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
    }
    program.palettePictures[1] = picture;
    ui::showPalettePicture(program);
    EXPECT_EQ(program.palettePictures[1].size(), QSize(550, 388));
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 1, 100), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 100, 1), BLACK);
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 2, 2), app::rgbColour(0, 255, 0));
    EXPECT_EQ(pixel(Control::GadgetPaletteCanvas, 549, 387), app::rgbColour(0, 0, 255));
}

}  // namespace
