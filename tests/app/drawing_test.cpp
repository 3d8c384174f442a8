#include "app/colour.h"
#include "app/drawing.h"

#include <QFont>
#include <gtest/gtest.h>

#include <queue>
#include <random>
#include <set>
#include <utility>

namespace {

constexpr int WHITE = app::rgbColour(255, 255, 255);
constexpr int BLACK = 0;
constexpr int RED = app::rgbColour(255, 0, 0);
constexpr int BLUE = app::rgbColour(0, 0, 255);

QImage blank(int w, int h, int colour = WHITE) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(app::toQRgb(colour));
    return image;
}

// The set of pixels of one colour.
std::set<std::pair<int, int>> pixelsOf(const QImage& image, int colour) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (app::readPixel(image, x, y) == colour) out.insert({x, y});
    return out;
}

TEST(Colour, ScreenFormKeepsRedInTheLowByte) {
    EXPECT_EQ(app::rgbColour(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(app::toQRgb(0x563412), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(app::fromQRgb(qRgba(0x12, 0x34, 0x56, 0x80)), 0x563412);
    EXPECT_EQ(app::fromQRgb(app::toQRgb(0xABCDEF)), 0xABCDEF);
}

TEST(Drawing, FillBoxIsExactAndClipped) {
    QImage image = blank(10, 8);
    const QRect changed = app::fillBox(image, 7, -2, 5, 4, RED);
    EXPECT_EQ(changed, QRect(7, 0, 3, 2));
    EXPECT_EQ(pixelsOf(image, RED).size(), 6u);
    EXPECT_EQ(app::readPixel(image, 7, 0), RED);
    EXPECT_EQ(app::readPixel(image, 9, 1), RED);
    EXPECT_EQ(app::readPixel(image, 6, 0), WHITE);
    EXPECT_EQ(app::readPixel(image, 7, 2), WHITE);
    EXPECT_EQ(app::readPixel(image, 10, 0), -1);
    EXPECT_EQ(app::readPixel(image, -1, 3), -1);
    EXPECT_TRUE(app::fillBox(image, 0, 0, 0, 5, RED).isEmpty());
    EXPECT_TRUE(app::fillBox(image, 0, 0, 5, -1, RED).isEmpty());
}

TEST(Drawing, OutlineBoxIsTheOnePixelBorder) {
    QImage image = blank(12, 12);
    app::outlineBox(image, 2, 3, 5, 4, BLACK);
    std::set<std::pair<int, int>> expected;
    for (int x = 2; x <= 6; ++x) expected.insert({x, 3}), expected.insert({x, 6});
    for (int y = 3; y <= 6; ++y) expected.insert({2, y}), expected.insert({6, y});
    EXPECT_EQ(pixelsOf(image, BLACK), expected);

    QImage one = blank(3, 3);
    app::outlineBox(one, 1, 1, 1, 1, BLACK);
    EXPECT_EQ(pixelsOf(one, BLACK), (std::set<std::pair<int, int>>{{1, 1}}));
}

TEST(Drawing, LinesByLengthIncludeBothEnds) {
    QImage image = blank(40, 40);
    app::line(image, 3, 5, 32, 1, BLACK);
    auto black = pixelsOf(image, BLACK);
    EXPECT_EQ(black.size(), 32u);
    EXPECT_TRUE(black.count({3, 5}) && black.count({34, 5}));

    image = blank(40, 40);
    app::line(image, 5, 3, 1, 32, BLACK);
    black = pixelsOf(image, BLACK);
    EXPECT_EQ(black.size(), 32u);
    EXPECT_TRUE(black.count({5, 3}) && black.count({5, 34}));

    image = blank(40, 40);
    app::line(image, 10, 10, -4, 1, BLACK);
    EXPECT_EQ(pixelsOf(image, BLACK), (std::set<std::pair<int, int>>{{7, 10}, {8, 10}, {9, 10}, {10, 10}}));

    // A lattice line that starts on the last column only shows its first pixel.
    image = blank(21, 21);
    app::line(image, 20, 0, 20, 1, BLACK);
    EXPECT_EQ(pixelsOf(image, BLACK), (std::set<std::pair<int, int>>{{20, 0}}));
}

TEST(Drawing, LineBetweenDiagonal) {
    QImage image = blank(10, 10);
    app::lineBetween(image, 7, 7, 2, 2, RED);
    std::set<std::pair<int, int>> expected;
    for (int i = 2; i <= 7; ++i) expected.insert({i, i});
    EXPECT_EQ(pixelsOf(image, RED), expected);
}

// Straightforward breadth-first reference fill to check the span fill against.
QImage referenceFill(QImage image, int x, int y, int colour) {
    const int target = app::readPixel(image, x, y);
    if (target == colour) return image;
    std::queue<std::pair<int, int>> todo;
    todo.push({x, y});
    while (!todo.empty()) {
        const auto [px, py] = todo.front();
        todo.pop();
        if (app::readPixel(image, px, py) != target) continue;
        image.setPixel(px, py, app::toQRgb(colour));
        todo.push({px + 1, py});
        todo.push({px - 1, py});
        todo.push({px, py + 1});
        todo.push({px, py - 1});
    }
    return image;
}

TEST(Drawing, FloodFillDoesNotCrossDiagonals) {
    // A staircase of black pixels: the white pixels above it touch those
    // below it only at corners, so a fill from above stays above.
    QImage image = blank(6, 6);
    for (int i = 0; i < 6; ++i) image.setPixel(i, 5 - i, app::toQRgb(BLACK));
    int changed = 0;
    app::floodFill4(image, 0, 0, RED, &changed);
    EXPECT_EQ(changed, 15);  // the triangle above the staircase
    EXPECT_EQ(app::readPixel(image, 5, 5), WHITE);
    EXPECT_EQ(app::readPixel(image, 1, 5), WHITE);
    EXPECT_EQ(app::readPixel(image, 0, 4), RED);
}

TEST(Drawing, FloodFillReachesTheCanvasEdges) {
    QImage image = blank(68, 68);
    int changed = 0;
    const QRect area = app::floodFill4(image, 30, 30, BLUE, &changed);
    EXPECT_EQ(changed, 68 * 68);
    EXPECT_EQ(area, image.rect());
    app::floodFill4(image, 0, 0, BLUE, &changed);
    EXPECT_EQ(changed, 0);  // already that colour
    app::floodFill4(image, 68, 0, RED, &changed);
    EXPECT_EQ(changed, 0);  // outside
}

TEST(Drawing, FloodFillMatchesReferenceOnRandomPictures) {
    std::mt19937 random(1234);
    const int colours[] = {WHITE, BLACK, RED};
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 30);
        QImage image = blank(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, app::toQRgb(colours[random() % (round % 2 ? 2 : 3)]));
        const int sx = static_cast<int>(random() % w), sy = static_cast<int>(random() % h);
        const QImage expected = referenceFill(image, sx, sy, BLUE);
        app::floodFill4(image, sx, sy, BLUE);
        ASSERT_EQ(image, expected) << "round " << round;
    }
}

TEST(Drawing, XorTextTwiceRestoresThePicture) {
    QImage image = blank(80, 40);
    app::fillBox(image, 0, 0, 40, 40, RED);
    const QImage before = image;
    const QFont font;
    const QRect area = app::xorText(image, 5, 5, QStringLiteral("63"), WHITE, font);
    ASSERT_FALSE(area.isEmpty());
    EXPECT_NE(image, before);
    // Only pixels inside the text's rectangle change, and only to inverses.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int now = app::readPixel(image, x, y), was = app::readPixel(before, x, y);
            if (now != was) {
                EXPECT_TRUE(area.contains(x, y));
                EXPECT_EQ(now, was ^ WHITE);
            }
        }
    app::xorText(image, 5, 5, QStringLiteral("63"), WHITE, font);
    EXPECT_EQ(image, before);
}

TEST(Drawing, TextUsesOnlyItsTwoColours) {
    QImage image = blank(60, 30, BLUE);
    const QRect area = app::drawText(image, 2, 3, QStringLiteral(" T"), WHITE, RED, QFont());
    ASSERT_FALSE(area.isEmpty());
    EXPECT_EQ(area.topLeft(), QPoint(2, 3));
    int front = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int c = app::readPixel(image, x, y);
            EXPECT_TRUE(c == WHITE || c == RED) << x << "," << y;
            front += c == WHITE;
        }
    EXPECT_GT(front, 0);
    EXPECT_EQ(app::readPixel(image, 1, 3), BLUE);
}

TEST(Drawing, DrawImageScaledSamplesNearest) {
    QImage picture = blank(2, 2);
    picture.setPixel(1, 0, app::toQRgb(RED));
    picture.setPixel(0, 1, app::toQRgb(BLUE));
    QImage image = blank(10, 10, BLACK);
    app::drawImageScaled(image, picture, 1, 1, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(app::readPixel(image, 1 + x, 1 + y), app::readPixel(picture, x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(app::readPixel(image, 0, 0), BLACK);
    EXPECT_EQ(app::readPixel(image, 5, 5), BLACK);

    // Half size takes the pixel under each target pixel's centre.
    QImage big = blank(4, 4);
    big.setPixel(1, 1, app::toQRgb(RED));
    big.setPixel(3, 3, app::toQRgb(BLUE));
    QImage small = blank(2, 2, BLACK);
    app::drawImageScaled(small, big, 0, 0, 2, 2);
    EXPECT_EQ(app::readPixel(small, 0, 0), RED);
    EXPECT_EQ(app::readPixel(small, 1, 1), BLUE);
}

TEST(Drawing, CopyAreaAndDrawBackRoundTrip) {
    QImage image = blank(20, 20);
    app::fillBox(image, 4, 4, 3, 2, RED);
    const QImage part = app::copyArea(image, 3, 3, 6, 6);
    EXPECT_EQ(app::readPixel(part, 1, 1), RED);
    QImage other = blank(20, 20);
    app::drawImageScaled(other, part, 3, 3, 6, 6);
    EXPECT_EQ(other, image);
    // Outside the image reads black.
    const QImage edge = app::copyArea(image, 18, 18, 4, 4);
    EXPECT_EQ(app::readPixel(edge, 1, 1), WHITE);
    EXPECT_EQ(app::readPixel(edge, 2, 2), BLACK);
}

class ResizeNearest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ResizeNearest, KeepsEveryColourFlat) {
    const auto [w, h] = GetParam();
    QImage picture = blank(5, 3);
    app::fillBox(picture, 0, 0, 2, 3, RED);  // a left band of red
    const QImage resized = app::resizeNearest(picture, w, h);
    ASSERT_EQ(resized.size(), QSize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = app::readPixel(resized, x, y);
            EXPECT_TRUE(c == RED || c == WHITE);
            EXPECT_EQ(c, (2 * x + 1) * 5 < 2 * 2 * w ? RED : WHITE) << x;  // centre of x falls in the band
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeNearest,
                         ::testing::Values(std::pair{1, 1}, std::pair{5, 3}, std::pair{10, 6}, std::pair{250, 1},
                                           std::pair{3, 7}, std::pair{550, 388}));

TEST(Drawing, ResizeNearestKeepsAlphaAndRejectsEmptySizes) {
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 40));
    const QImage resized = app::resizeNearest(picture, 3, 3);
    EXPECT_TRUE(resized.hasAlphaChannel());
    EXPECT_EQ(resized.pixel(2, 2), qRgba(10, 20, 30, 40));
    EXPECT_TRUE(app::resizeNearest(picture, 0, 3).isNull());
}

}  // namespace
