// The sheet and file previews, the animation box and the grab preview.
#include "views_fixture.h"

#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>

#include <climits>
#include <fstream>
#include <vector>

namespace {

using views_test::BLACK;
using views_test::DARK_GREY;
using views_test::MAGENTA;
using ui::Control;

class SheetViewsTest : public views_test::ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        setLayout("16", "64", "0", false);
    }
    void setLayout(const QString& width, const QString& count, const QString& offset, bool showValues) {
        window.setControlText(Control::GadgetSheetWidth, width);
        window.setControlText(Control::GadgetSheetCount, count);
        window.setControlText(Control::GadgetSheetOffset, offset);
        window.setControlState(Control::GadgetShowValues, showValues ? 1 : 0);
    }
    int sheetPixel(int x, int y) { return pixel(Control::GadgetSheetCanvas, x, y); }
    void fillSheetSprite(int index, std::uint8_t value) {
        std::fill_n(program.model.sheet.bytes.begin() + index * 256, 256, value);
    }
};

TEST_F(SheetViewsTest, ShowsTheEditsOfTheCurrentSpriteAndKeepsTheGrid) {
    program.model.currentSprite = 5;
    program.model.loadGrid();
    program.model.grid.cell(0, 0) = 7;
    const model::SpriteGrid grid = program.model.grid;
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(4 * 32, 0), paletteColour(7));
    EXPECT_EQ(sheetPixel(4 * 32 + 2, 0), MAGENTA);
    EXPECT_EQ(sheetPixel(15 * 32 + 31, 3 * 32 + 31), MAGENTA);  // 16 x 4 sprites
    EXPECT_EQ(sheetPixel(10, 4 * 32 + 2), DARK_GREY);
    EXPECT_EQ(program.model.grid, grid);
    EXPECT_EQ(program.model.currentSprite, 5);
    EXPECT_EQ(program.model.sheet.bytes[4 * 256], 7);
}

TEST_F(SheetViewsTest, CountAndOffsetChooseTheSprites) {
    fillSheetSprite(3, 9);
    setLayout("16", "1", "3", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(31, 31), paletteColour(9));
    EXPECT_EQ(sheetPixel(33, 1), DARK_GREY);

    // Past sprite 64 the preview shows the room beyond the sheet.
    fillSheetSprite(100, 12);
    setLayout("16", "64", "63", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(0, 0), MAGENTA);
    EXPECT_EQ(sheetPixel(32, 0), paletteColour(0));
    EXPECT_EQ(sheetPixel((37 % 16) * 32, (37 / 16) * 32), paletteColour(12));

    setLayout("16", "0", "0", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(0, 0), DARK_GREY);
}

TEST_F(SheetViewsTest, RowsWrapWhenTheColumnReachesTheWidth) {
    setLayout("2", "3", "0", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(32 + 5, 5), MAGENTA);
    EXPECT_EQ(sheetPixel(64 + 5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(5, 32 + 5), MAGENTA);

    // Width 0 starts on the second row at once and never wraps again.
    setLayout("0", "3", "0", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(2 * 32 + 5, 32 + 5), MAGENTA);
    EXPECT_EQ(sheetPixel(3 * 32 + 5, 32 + 5), DARK_GREY);

    // A negative offset keeps the places of the sprites that do not exist.
    fillSheetSprite(1, 9);  // sprite 0 is the grid's, stored over by the preview
    setLayout("16", "4", "-2", false);
    ui::drawSheetPreview(program);
    EXPECT_EQ(sheetPixel(32 + 5, 5), DARK_GREY);
    EXPECT_EQ(sheetPixel(64 + 5, 5), MAGENTA);
    EXPECT_EQ(sheetPixel(96 + 5, 5), paletteColour(9));
}

TEST_F(SheetViewsTest, NumbersAreDrawnInExclusiveOrOnlyWhenAsked) {
    auto countOf = [&](int colour) {
        int n = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) n += sheetPixel(x, y) == colour;
        }
        return n;
    };
    ui::drawSheetPreview(program);
    EXPECT_EQ(countOf(MAGENTA), 32 * 32);
    setLayout("16", "64", "0", true);
    ui::drawSheetPreview(program);
    EXPECT_GT(countOf(app::rgbColour(0, 255, 0)), 3);  // magenta inverted under the "0"
    EXPECT_EQ(countOf(MAGENTA) + countOf(app::rgbColour(0, 255, 0)), 32 * 32);
}

// Values typed outside the spin boxes' ranges: never read outside the sheet.
class SheetPreviewOutOfRange : public SheetViewsTest,
                               public ::testing::WithParamInterface<std::array<const char*, 3>> {};

TEST_P(SheetPreviewOutOfRange, DrawsWithinTheSheetAndKeepsTheGrid) {
    const auto [width, count, offset] = GetParam();
    program.model.grid.cell(1, 1) = 3;
    const model::SpriteGrid grid = program.model.grid;
    const auto sheet = program.model.sheet.bytes;
    setLayout(width, count, offset, true);
    ui::drawSheetPreview(program);
    EXPECT_EQ(program.model.grid, grid);
    auto stored = sheet;
    stored[1 * 16 + 1] = 3;
    EXPECT_EQ(program.model.sheet.bytes, stored);
    ui::drawFilePreview(program, "/nonexistent/file.spr");
}

INSTANTIATE_TEST_SUITE_P(
    TypedValues, SheetPreviewOutOfRange,
    ::testing::Values(std::array<const char*, 3>{"99999", "99999", "99999"}, std::array<const char*, 3>{"-5", "-5", "-5"},
                      std::array<const char*, 3>{"$FFFF", "$FFFF", "$FFFF"},
                      std::array<const char*, 3>{"1", "99999999999", "-99999999999"},
                      std::array<const char*, 3>{"0", "99999", "-100"}, std::array<const char*, 3>{"-1", "200", "120"},
                      std::array<const char*, 3>{"%1", "$7FFFFFFF", "$7FFFFFFF"}));

TEST_F(SheetViewsTest, FilePreviewReadsTheFileAndLeavesTheSheet) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("short.spr");
    {
        std::vector<char> bytes(300, 9);
        std::fill_n(bytes.begin(), 256, 7);
        std::ofstream out(path.toStdString(), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const auto sheet = program.model.sheet.bytes;
    ui::drawFilePreview(program, path);
    EXPECT_EQ(sheetPixel(31, 31), paletteColour(7));
    EXPECT_EQ(sheetPixel(32 + 31, 2), paletteColour(9));      // bytes 256..271: row 0
    EXPECT_EQ(sheetPixel(32 + 2 * 11, 2 * 2), paletteColour(9));  // byte 299: row 2, column 11
    EXPECT_EQ(sheetPixel(32 + 2 * 12, 2 * 2), paletteColour(0));  // past the end: 0
    EXPECT_EQ(sheetPixel(64 + 5, 5), paletteColour(0));
    EXPECT_EQ(program.model.sheet.bytes, sheet);

    // A folder cannot be read as a file: every sprite in the colour of entry 0.
    ui::drawFilePreview(program, dir.path());
    EXPECT_EQ(sheetPixel(5, 5), paletteColour(0));
    EXPECT_EQ(sheetPixel(15 * 32 + 5, 3 * 32 + 5), paletteColour(0));
}

TEST_F(SheetViewsTest, AnimationShowsSpriteImagesOnly) {
    QLabel* box = window.label(Control::GadgetAnimationImage);
    ASSERT_NE(box, nullptr);
    program.state.animationFrame = 1;
    ui::showAnimationFrame(program);
    EXPECT_EQ(box->pixmap().size(), QSize(64, 64));
    EXPECT_EQ(box->pixmap().toImage().pixel(5, 5), qRgb(255, 0, 255));
    for (int frame : {0, 65, 127, 200, -1, INT_MAX}) {
        program.state.animationFrame = frame;
        ui::showAnimationFrame(program);
        EXPECT_TRUE(box->pixmap().isNull()) << frame;
    }
}

class GrabPreviewTest : public SheetViewsTest {
protected:
    int grabPixel(int x, int y) { return pixel(Control::GadgetGrabCanvas, x, y); }
    static constexpr int PINK = app::rgbColour(255, 170, 170);
    static constexpr int MARK = app::rgbColour(0, 200, 0);
};

TEST_F(GrabPreviewTest, ClearsOnlyWhenTheBlockCountChanges) {
    app::Canvas& import = canvas(Control::GadgetImportCanvas);
    import.setBackground(app::rgbColour(40, 40, 40));
    import.fillBox(16, 0, 16, 16, app::rgbColour(1, 2, 250));
    import.fillBox(5, 3, 1, 1, app::rgbColour(250, 1, 2));

    ui::drawGrabPreview(program, 0, 0, 1, 1);
    // (5, 3) of the picture becomes the 2 x 2 pixels at (10, 6).
    EXPECT_EQ(grabPixel(10, 6), app::rgbColour(250, 1, 2));
    EXPECT_EQ(grabPixel(11, 7), app::rgbColour(250, 1, 2));
    EXPECT_EQ(grabPixel(12, 7), app::rgbColour(40, 40, 40));
    EXPECT_EQ(grabPixel(9, 7), app::rgbColour(40, 40, 40));
    EXPECT_EQ(grabPixel(40, 40), PINK);
    for (int x = 0; x < 510; ++x) {
        for (int y : {0, 32, 64, 96}) ASSERT_EQ(grabPixel(x, y), BLACK) << x << "," << y;
    }
    for (int y = 0; y < 127; ++y) {
        for (int x = 0; x <= 480; x += 32) ASSERT_EQ(grabPixel(x, y), BLACK) << x << "," << y;
    }

    // Same size, corner moved: drawn over, nothing cleared.
    canvas(Control::GadgetGrabCanvas).fillBox(100, 100, 2, 2, MARK);
    ui::drawGrabPreview(program, 16, 0, 1, 1);
    EXPECT_EQ(grabPixel(10, 10), app::rgbColour(1, 2, 250));
    EXPECT_EQ(grabPixel(100, 100), MARK);

    // A new size clears the old blocks.
    ui::drawGrabPreview(program, 0, 0, 2, 1);
    EXPECT_EQ(grabPixel(100, 100), PINK);
    EXPECT_EQ(grabPixel(40, 10), app::rgbColour(1, 2, 250));
    EXPECT_EQ(program.state.grabAcross, 2);
    EXPECT_EQ(program.state.grabDown, 1);

    // No blocks: the grid still drawn.
    ui::drawGrabPreview(program, 0, 0, 0, 1);
    EXPECT_EQ(grabPixel(40, 10), PINK);
    EXPECT_EQ(grabPixel(32, 10), BLACK);
}

TEST_F(GrabPreviewTest, TypedValuesAreClampedToTheCanvas) {
    ui::drawGrabPreview(program, INT_MAX, INT_MIN, 1000000, -3);
    EXPECT_EQ(program.state.grabAcross, 16);
    EXPECT_EQ(program.state.grabDown, 0);
    ui::drawGrabPreview(program, INT_MIN, INT_MAX, -1, 1000000);
    EXPECT_EQ(program.state.grabAcross, 0);
    EXPECT_EQ(program.state.grabDown, 4);
    ui::drawGrabPreview(program, 500, 380, 16, 4);  // mostly past the picture: black
    EXPECT_EQ(grabPixel(480, 100), BLACK);
}

}  // namespace
