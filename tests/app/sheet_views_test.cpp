// The sheet and file previews, the animation box and the grab preview.
#include "views_fixture.h"

#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>

#include <array>
#include <climits>
#include <fstream>
#include <vector>

namespace {

using namespace views_test;
using ui::Control;

class SheetViewsTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        setLayout("16", "64", "0");
    }
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
};

TEST_F(SheetViewsTest, StoresTheGridFirstAndLeavesIt) {
    program.model.currentSprite = 5;
    program.model.loadGrid();
    program.model.grid.cell(0, 0) = 7;
    const model::SpriteGrid grid = program.model.grid;
    app::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(4 * 32, 0), paletteColour(7));
    EXPECT_EQ(sheetPixel(4 * 32 + 2, 0), MAGENTA);
    EXPECT_EQ(sheetPixel(15 * 32 + 31, 3 * 32 + 31), MAGENTA);  // 16 x 4 sprites
    EXPECT_EQ(sheetPixel(10, 4 * 32 + 2), DARK_GREY);
    EXPECT_EQ(program.model.grid, grid);
    EXPECT_EQ(program.model.sheet.bytes[4 * 256], 7);
}

// Count, offset and width choose the sprites and their places.
TEST_F(SheetViewsTest, LayoutFieldsChooseTheSprites) {
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

TEST_F(SheetViewsTest, NumbersAreDrawnInExclusiveOrOnlyWhenAsked) {
    auto countOf = [&](int colour) {
        int n = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) n += sheetPixel(x, y) == colour;
        return n;
    };
    EXPECT_EQ(countOf(MAGENTA), 32 * 32);
    setLayout("16", "64", "0", true);
    const int inverted = countOf(toolkit::rgbColour(0, 255, 0));
    EXPECT_GT(inverted, 3);
    EXPECT_EQ(countOf(MAGENTA) + inverted, 32 * 32);
}

// Typed values outside the boxes' ranges never read outside the sheet or change it.
TEST_F(SheetViewsTest, OutOfRangeLayoutTextsAreSafe) {
    program.model.grid.cell(1, 1) = 3;
    program.model.storeGrid();
    const model::SpriteModel before = program.model;
    for (auto [width, count, offset] : {std::array{"99999", "99999", "99999"}, std::array{"-5", "-5", "-5"},
                                        std::array{"$FFFF", "$FFFF", "$FFFF"}, std::array{"1", "99999999999", "-99999999999"},
                                        std::array{"0", "99999", "-100"}, std::array{"-1", "200", "120"},
                                        std::array{"%1", "$7FFFFFFF", "$7FFFFFFF"}}) {
        setLayout(width, count, offset, true);
        EXPECT_EQ(program.model.grid, before.grid) << width << " " << count << " " << offset;
        EXPECT_EQ(program.model.sheet.bytes, before.sheet.bytes) << width << " " << count << " " << offset;
        app::drawFilePreview(program, "/nonexistent/file.spr");
    }
}

TEST_F(SheetViewsTest, FilePreviewReadsTheFileAndLeavesTheSheet) {
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

TEST_F(SheetViewsTest, AnimationShowsFramesOneToSixtyFourOnly) {
    QLabel* box = window.label(Control::GadgetAnimationImage);
    program.state.animationFrame = 64;
    app::showAnimationFrame(program);
    EXPECT_EQ(box->pixmap().toImage().pixel(5, 5), qRgb(255, 255, 255));  // sprite 64 not in use
    program.state.animationFrame = 1;
    app::showAnimationFrame(program);
    EXPECT_EQ(box->pixmap().toImage().pixel(5, 5), qRgb(255, 0, 255));
    for (int frame : {0, 65, 200, -1, INT_MAX}) {
        program.state.animationFrame = frame;
        app::showAnimationFrame(program);
        EXPECT_TRUE(box->pixmap().isNull()) << frame;
    }
}

TEST_F(SheetViewsTest, GrabPreviewClearsOnlyWhenTheBlockCountChanges) {
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
