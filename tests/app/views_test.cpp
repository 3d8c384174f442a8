// The views, checked by reading back the pixels they drew: the "Design" page's grid,
// preview, chart, colours and slots, the sheet and file previews, the animation box
// and the grab preview, on a program with a real window, the default palette and a
// freshly reset sheet, as start-up leaves it.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/program.h"
#include "app/redraw.h"
#include "palette/palette_file.h"
#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "ui/window_main.h"

namespace {

using ui::Control;

inline constexpr int MAGENTA = toolkit::rgbColour(255, 0, 255);
inline constexpr int WHITE = toolkit::rgbColour(255, 255, 255);
inline constexpr int BLACK = 0;
inline constexpr int DARK_GREY = toolkit::rgbColour(40, 40, 40);

class Views : public ::testing::Test {
protected:
    void SetUp() override {
        program.window = &window;
        program.views.window = &window;
        auto loaded = palette::loadPalette(std::filesystem::path(VIROROR_RESOURCES) / "rgb9spreada.pal");
        ASSERT_TRUE(loaded.ok());
        program.palette = loaded->palette;
        program.colourSlots = loaded->colourSlots;
        program.model.resetSheet();
        app::clearDesignViews(program);
        setLayout("16", "64", "0");
    }

    toolkit::Canvas& canvas(ui::Control id) { return *window.canvas(id); }
    int pixel(ui::Control id, int x, int y) { return canvas(id).readPixel(x, y); }
    int paletteColour(int index) const {
        const palette::RgbColour c = program.palette.colour(index);
        return toolkit::rgbColour(c.red, c.green, c.blue);
    }
    QString text(ui::Control id) const { return window.controlText(id); }
    void setLayout(const QString& width, const QString& count, const QString& offset, bool showValues = false) {
        window.setControlText(Control::GadgetSheetWidth, width);
        window.setControlText(Control::GadgetSheetCount, count);
        window.setControlText(Control::GadgetSheetOffset, offset);
        window.setControlState(Control::GadgetShowValues, showValues ? 1 : 0);
        app::drawSheetPreview(program);
    }
    int sheetPixel(int x, int y) { return pixel(Control::GadgetSheetCanvas, x, y); }
    void fillSheetSprite(int index, std::uint8_t value) {
        std::fill_n(program.model.sheet.bytes.begin() + index * 256, 256, value);
    }

    ui::WindowMain window;
    app::Program program;
};

TEST_F(Views, FreshSheetShowsTransparentCellsInsideTheLattice) {
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
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImage(1), 63, 63), MAGENTA);
    EXPECT_EQ(toolkit::readPixel(program.views.spriteImage(2), 10, 10), WHITE);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 15, 15), MAGENTA);
    EXPECT_EQ(pixel(Control::GadgetActualSizeCanvas, 16, 5), DARK_GREY);
}

TEST_F(Views, ColourCountReadsTheSpritesInUseAndNeverCountsZero) {
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

TEST_F(Views, ChosenColoursAndSlotsShowTheirColours) {
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

// Count, offset and width choose the sprites and their places.
TEST_F(Views, LayoutFieldsChooseTheSprites) {
    fillSheetSprite(3, 9);
    setLayout("16", "1", "3");
    EXPECT_EQ(sheetPixel(31, 31), paletteColour(9));
    EXPECT_EQ(sheetPixel(33, 1), DARK_GREY);

    fillSheetSprite(100, 12);  // past sprite 64: the room beyond the sheet
    setLayout("16", "64", "63");
    EXPECT_EQ(sheetPixel(0, 0), MAGENTA);
    EXPECT_EQ(sheetPixel((37 % 16) * 32, (37 / 16) * 32), paletteColour(12));

    setLayout("2", "3", "0");
    EXPECT_EQ(sheetPixel(64 + 5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(5, 32 + 5), MAGENTA);

    setLayout("0", "3", "0");  // width 0 starts on the second row and never wraps
    EXPECT_EQ(sheetPixel(5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(2 * 32 + 5, 32 + 5), MAGENTA);

    fillSheetSprite(1, 9);
    setLayout("16", "4", "-2");  // the sprites before sprite 1 keep their places, empty
    EXPECT_EQ(sheetPixel(32 + 5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(96 + 5, 5), paletteColour(9));
}

TEST_F(Views, FilePreviewReadsTheFileAndLeavesTheSheet) {
    QTemporaryDir dir;
    const QString path = dir.filePath("short.spr");
    std::vector<char> bytes(300, 9);
    std::fill_n(bytes.begin(), 256, 7);
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), 300);
    const auto sheet = program.model.sheet.bytes;
    app::drawFilePreview(program, path);
    EXPECT_EQ(sheetPixel(31, 31), paletteColour(7));
    EXPECT_EQ(sheetPixel(32 + 2 * 11, 2 * 2), paletteColour(9));  // byte 299: row 2, column 11
    EXPECT_EQ(sheetPixel(32 + 2 * 12, 2 * 2), paletteColour(0));  // past the end: 0
    EXPECT_EQ(sheetPixel(64 + 5, 5), paletteColour(0));
    EXPECT_EQ(program.model.sheet.bytes, sheet);
    app::drawFilePreview(program, dir.path());  // a folder: every sprite in entry 0's colour
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

    app::drawGrabPreview(program, 0, 0, 1, 1);
    EXPECT_EQ(grabPixel(10, 6), RED);  // picture (5, 3) doubled
    EXPECT_EQ(grabPixel(11, 7), RED);
    EXPECT_EQ(grabPixel(12, 7), DARK_GREY);
    EXPECT_EQ(grabPixel(40, 40), PINK);
    for (int k = 0; k < 127; ++k) {
        EXPECT_EQ(grabPixel(k, 32), BLACK) << k;
        EXPECT_EQ(grabPixel(32, k), BLACK) << k;
    }
    canvas(Control::GadgetGrabCanvas).fillBox(100, 100, 2, 2, MARK);
    app::drawGrabPreview(program, 16, 0, 1, 1);  // same count, corner moved: nothing cleared
    EXPECT_EQ(grabPixel(10, 10), BLUE);
    EXPECT_EQ(grabPixel(100, 100), MARK);
    app::drawGrabPreview(program, 0, 0, 2, 1);  // a new count clears the old blocks
    EXPECT_EQ(grabPixel(100, 100), PINK);
    EXPECT_EQ(grabPixel(40, 10), BLUE);

    app::drawGrabPreview(program, INT_MAX, INT_MIN, 1000000, -3);  // typed values clamped
    EXPECT_EQ(program.views.grabAcross, 16);
    EXPECT_EQ(program.views.grabDown, 0);
}

}  // namespace
