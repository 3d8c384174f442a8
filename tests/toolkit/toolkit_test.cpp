// The toolkit layer: the number rule, file dialog filters, the canvas's drawing,
// fill and pixel reads, its mouse reports through Qt's own routing, and pictures
// from QImages.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <array>
#include <climits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "toolkit/canvas.h"
#include "toolkit/colour.h"
#include "toolkit/dialogs.h"
#include "toolkit/picture_image.h"
#include "toolkit/text_number.h"

namespace {

using toolkit::CanvasEvent;
using Type = toolkit::CanvasEvent::Type;

constexpr int WHITE = toolkit::rgbColour(255, 255, 255);
constexpr int RED = toolkit::rgbColour(255, 0, 0);
constexpr int BLUE = toolkit::rgbColour(0, 0, 255);

TEST(TextToNumber, ReadsTheRule) {
    const std::pair<std::string, int> cases[] = {
        {"12", 12}, {"  12", 12}, {"\t \t7", 7}, {"-5", -5}, {"+5", 5}, {"$FF", 255}, {"$ff", 255},
        {"-$10", -16}, {"%101", 5}, {"%102", 2}, {"12abc", 12}, {"$1G", 1}, {"1 2", 1}, {"007", 7},
        {"", 0}, {"   ", 0}, {"+", 0}, {"-", 0}, {"$", 0}, {"%", 0}, {"abc", 0}, {"0x10", 0}, {"- 5", 0},
        {"\n5", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", INT_MAX},
        {"-99999999999999", INT_MIN}, {"$FFFFFFFFFFFF", INT_MAX}, {"%" + std::string(40, '1'), INT_MAX},
        {std::string(10000, '9'), INT_MAX}, {"-" + std::string(10000, '9'), INT_MIN}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(toolkit::textToNumber(std::string_view(text)), value) << '"' << text.substr(0, 40) << '"';
        EXPECT_EQ(toolkit::textToNumber(QString::fromStdString(text)), value) << '"' << text.substr(0, 40) << '"';
    }
    EXPECT_EQ(toolkit::textToNumber(QString::fromUtf8("42\u00e9")), 42);
    EXPECT_EQ(toolkit::textToNumber(QString::fromUtf8("\u00a012")), 0);  // a no-break space is not skipped
}

TEST(FileDialogFilter, ReadsAsQtFilters) {
    EXPECT_EQ(toolkit::toQtFilter(" images |*.bmp;*.png;*.jpg;*.gif"), "images (*.bmp *.png *.jpg *.gif)");
    EXPECT_EQ(toolkit::toQtFilter("Sprites|*.spr|All|*.*"), "Sprites (*.spr);;All (*.*)");
    EXPECT_EQ(toolkit::toQtFilter(".asm"), "*.asm");
}

TEST(Canvas, BoxesAreClippedAndPixelsReadExactly) {
    toolkit::Canvas canvas(14, 12, {.sunken = true});  // a 10 x 8 surface
    canvas.setBackground(WHITE);
    canvas.fillBox(7, -2, 5, 4, RED);
    canvas.fillBox(0, 0, 0, 5, BLUE);
    canvas.fillBox(3, 3, 1, 1, toolkit::rgbColour(1, 2, 3));
    for (int y = -1; y <= 8; ++y)
        for (int x = -1; x <= 10; ++x) {
            const bool outside = x < 0 || y < 0 || x >= 10 || y >= 8;
            const int expected = outside ? -1 : x >= 7 && y < 2 ? RED : x == 3 && y == 3 ? 0x030201 : WHITE;
            EXPECT_EQ(canvas.readPixel(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(canvas.image().pixel(3, 3) & 0xFFFFFF, 0x010203u);  // red in the low byte of the screen form
}

// A plain four-connected fill, cell by cell, to check the span fill against.
int referenceFill(QImage& image, int x, int y, int target, int colour) {
    if (target == colour || toolkit::readPixel(image, x, y) != target) return 0;
    image.setPixel(x, y, toolkit::toQRgb(colour));
    int changed = 1;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        changed += referenceFill(image, x + dx, y + dy, target, colour);
    return changed;
}

void expectSamePixels(const toolkit::Canvas& canvas, const QImage& expected, const std::string& where) {
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(canvas.readPixel(x, y), toolkit::readPixel(expected, x, y)) << where << " at " << x << "," << y;
}

TEST(Canvas, FloodFillMatchesAFourConnectedReferenceOnRandomPictures) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 30);
        toolkit::Canvas canvas(w, h);
        QImage expected(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int colour = random() % 3 ? WHITE : RED;
                canvas.fillBox(x, y, 1, 1, colour);
                expected.setPixel(x, y, toolkit::toQRgb(colour));
            }
        const int sx = static_cast<int>(random() % w), sy = static_cast<int>(random() % h);
        const int changed = referenceFill(expected, sx, sy, toolkit::readPixel(expected, sx, sy), BLUE);
        ASSERT_EQ(canvas.floodFill4(sx, sy, BLUE), changed) << "round " << round;
        expectSamePixels(canvas, expected, "round " + std::to_string(round));
    }
}

// A canvas keeps one byte a pixel while it shows at most 256 colours. Every
// drawing must leave the same pixels a 32-bit image gets, through colours
// drawn over and forgotten, past 256 colours at once, and back after a clear.
TEST(Canvas, DrawsWhatAThirtyTwoBitImageDrawsWhileKeepingOneBytePerPixel) {
    std::mt19937 random(99);
    const int w = 90, h = 70;
    toolkit::Canvas canvas(w, h);
    QImage plain(w, h, QImage::Format_RGB32);
    plain.fill(Qt::white);
    const QFont font = QGuiApplication::font();
    auto anyColour = [&] { return static_cast<int>(random() & 0xFFFFFF); };
    QImage manyColours(30, 20, QImage::Format_RGB32);  // 600 colours
    const auto coord = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n + 20)) - 10; };
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) manyColours.setPixel(x, y, qRgb(x * 8, y * 12, (x + y) % 256));
    for (int step = 0; step < 400; ++step) {
        const int x = coord(w) % (w - 30), y = coord(h) % (h - 20), colour = anyColour();
        const std::string where = "step " + std::to_string(step);
        switch (random() % 8) {
        case 0: {
            const int bw = coord(40), bh = coord(40);
            canvas.fillBox(x, y, bw, bh, colour);
            toolkit::fillBox(plain, x, y, bw, bh, colour);
            break;
        }
        case 1: {
            const int bw = coord(40), bh = coord(40);
            canvas.outlineBox(x, y, bw, bh, colour);
            toolkit::outlineBox(plain, x, y, bw, bh, colour);
            break;
        }
        case 2: {
            const int x2 = coord(w), y2 = coord(h);
            canvas.lineBetween(x, y, x2, y2, colour);
            toolkit::lineBetween(plain, x, y, x2, y2, colour);
            break;
        }
        case 3: {
            const QString text = QStringLiteral("Tg%1").arg(step);
            const int back = anyColour();
            canvas.text(x, y, text, colour, back, font);
            toolkit::drawText(plain, x, y, text, colour, back, font);
            break;
        }
        case 4:
            canvas.xorText(x, y, QStringLiteral("%1").arg(step), colour, font);
            toolkit::xorText(plain, x, y, QStringLiteral("%1").arg(step), colour, font);
            break;
        case 5: {
            const int fx = static_cast<int>(random() % w), fy = static_cast<int>(random() % h);
            EXPECT_EQ(canvas.floodFill4(fx, fy, colour), [&] {
                int changed = 0;
                toolkit::floodFill4(plain, fx, fy, colour, &changed);
                return changed;
            }()) << where;
            break;
        }
        case 6: {
            std::array<int, 16> grid{};
            for (int& c : grid) c = anyColour();
            toolkit::fillBoxGrid(canvas.image(), x, y, 5, 4, grid);
            toolkit::fillBoxGrid(plain, x, y, 5, 4, grid);
            break;
        }
        default: {
            // Mostly a picture of a few colours, now and then one of 600.
            QImage picture = random() % 4 ? manyColours.copy(0, 0, 3, 2) : manyColours;
            const int pw = coord(60), ph = coord(40);
            canvas.drawImageScaled(picture, x, y, pw, ph);
            toolkit::drawImageScaled(plain, picture, x, y, pw, ph);
            break;
        }
        }
        expectSamePixels(canvas, plain, where);
        if (step % 100 == 99) {
            // 600 colours at once need four bytes a pixel; a clear starts the
            // surface over at one.
            canvas.drawImageScaled(manyColours, x, y, 30, 20);
            toolkit::drawImageScaled(plain, manyColours, x, y, 30, 20);
            expectSamePixels(canvas, plain, where + ", 600 colours");
            EXPECT_EQ(canvas.image().format(), QImage::Format_RGB32);
            canvas.setBackground(colour);
            plain.fill(toolkit::toQRgb(colour));
            EXPECT_EQ(canvas.image().format(), QImage::Format_Indexed8);
        }
    }
    expectSamePixels(canvas, canvas.copyArea(0, 0, w, h), "the copy");
}

TEST(Canvas, ForgottenColoursMakeRoomForNewOnes) {
    toolkit::Canvas canvas(40, 40);
    // 2,000 colours over time, at most 17 on show at once.
    for (int round = 0; round < 125; ++round)
        for (int i = 0; i < 16; ++i) canvas.fillBox(i * 2, 0, 2, 40, toolkit::rgbColour(round, i, 7));
    EXPECT_EQ(canvas.image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(canvas.readPixel(31, 39), toolkit::rgbColour(124, 15, 7));
    EXPECT_EQ(canvas.readPixel(39, 0), WHITE);

    // A picture of 200 colours drawn over one of 200 others: the colours painted
    // over make room, they do not push the surface past 256.
    for (int picture = 0; picture < 2; ++picture) {
        QImage colours(20, 10, QImage::Format_RGB32);
        for (int i = 0; i < 200; ++i) colours.setPixel(i % 20, i / 20, qRgb(i, picture * 100, 9));
        canvas.drawImageScaled(colours, 5, 5, 20, 10);
    }
    EXPECT_EQ(canvas.image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(canvas.readPixel(5 + 19, 5 + 9), toolkit::rgbColour(199, 100, 9));
    EXPECT_EQ(canvas.readPixel(31, 39), toolkit::rgbColour(124, 15, 7));

    // With all 256 entries in use, a box over ten colours frees their entries and
    // only theirs: every column beside it keeps its colour.
    toolkit::Canvas full(256, 2);
    for (int i = 0; i < 256; ++i) full.fillBox(i, 0, 1, 2, toolkit::rgbColour(i, 1, 2));
    full.fillBox(0, 0, 10, 2, RED);
    EXPECT_EQ(full.image().format(), QImage::Format_Indexed8);
    for (int i = 10; i < 256; ++i) ASSERT_EQ(full.readPixel(i, 1), toolkit::rgbColour(i, 1, 2)) << i;
}

TEST(Canvas, ShowsExactlyItsPixels) {
    toolkit::Canvas canvas(24, 20, {.sunken = true});
    for (int i = 0; i < 20; ++i) canvas.fillBox(i, 0, 1, 16, toolkit::rgbColour(i * 12, 255 - i, i % 3 * 100));
    canvas.text(1, 2, QStringLiteral("A"), RED, BLUE, QGuiApplication::font());
    const QImage shown = canvas.grab().toImage();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(toolkit::readPixel(shown, x + toolkit::Canvas::SUNKEN_EDGE, y + toolkit::Canvas::SUNKEN_EDGE),
                      canvas.readPixel(x, y))
                << x << "," << y;
}

void send(QObject* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), QPointF(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Sent to the top-level window, as the window system does, so Qt's own routing
// decides who gets each event.
TEST(CanvasEvents, ADragLeavingTheCanvasIsStillReportedToIt) {
    QWidget window;
    window.resize(600, 400);
    auto* canvas = new toolkit::Canvas(321, 321, {.sunken = true, .captured = true}, &window);
    canvas->move(20, 20);
    auto* neighbour = new toolkit::Canvas(100, 100, {}, &window);
    neighbour->move(400, 20);
    window.show();
    using Seen = std::vector<std::tuple<Type, int, int, bool>>;
    Seen onCanvas, onNeighbour;
    for (auto [source, seen] : {std::pair{canvas, &onCanvas}, {neighbour, &onNeighbour}})
        QObject::connect(source, &toolkit::Canvas::canvasEvent,
                         [seen](const CanvasEvent& e) { seen->emplace_back(e.type, e.x, e.y, e.left); });
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);

    send(handle, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton);
    send(handle, QEvent::MouseMove, {450, 50}, Qt::NoButton, Qt::LeftButton);  // over the neighbour
    send(handle, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);     // above and left of the canvas
    send(handle, QEvent::MouseButtonRelease, {450, 50}, Qt::LeftButton, Qt::NoButton);
    send(handle, QEvent::MouseMove, {450, 50}, Qt::NoButton, Qt::NoButton);  // free again

    // Positions count from the surface inside the 2-pixel sunken edge.
    EXPECT_EQ(onCanvas, (Seen{{Type::LeftDown, 8, 18, true}, {Type::Move, 428, 28, true},
                              {Type::Move, -17, -17, true}, {Type::LeftUp, 428, 28, false}}));
    EXPECT_EQ(onNeighbour, (Seen{{Type::Move, 50, 30, false}}));
}

// Found while fuzzing: a picture of 59 million pixels was once held twice while it
// became a picture. The conversion now works in bands of rows; it must keep every
// format's colours across band edges.
TEST(ImageToPicture, EveryFormatsColoursAcrossBandEdges) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_RGB16, QImage::Format_Indexed8,
                                  QImage::Format_Grayscale8, QImage::Format_Mono, QImage::Format_RGBA8888})
        for (int height : {1, 63, 64, 65, 130}) {
            std::mt19937 random(static_cast<unsigned>(format * 1000 + height));
            QImage image(7, height, QImage::Format_ARGB32);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 7; ++x) image.setPixel(x, y, random());
            image = image.convertToFormat(format);
            const QImage expected = image.convertToFormat(QImage::Format_ARGB32);  // what the format means
            const imaging::Picture picture = toolkit::imageToPicture(image);
            ASSERT_EQ(picture.rgb.size(), std::size_t(picture.width == 7 && picture.height == height) * 21 * height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 7; ++x) {
                    const std::uint8_t* got = picture.pixel(x, y);
                    ASSERT_EQ(qRgb(got[0], got[1], got[2]), expected.pixel(x, y) | 0xFF000000u)
                        << "format " << format << ", height " << height << " at " << x << ", " << y;
                }
        }
    EXPECT_TRUE(toolkit::imageToPicture(QImage()).empty());
}

}  // namespace
