#include "app/canvas.h"
#include "app/colour.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using app::CanvasEvent;
using Type = CanvasEvent::Type;

constexpr int WHITE = app::rgbColour(255, 255, 255);
constexpr int GREY = app::rgbColour(40, 40, 40);

// Collects what a canvas reports.
struct Recorder {
    std::vector<CanvasEvent> events;
    explicit Recorder(app::Canvas& canvas) {
        QObject::connect(&canvas, &app::Canvas::canvasEvent, [this](const CanvasEvent& e) { events.push_back(e); });
    }
};

void send(QObject* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), QPointF(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST(Canvas, SurfaceIsTheClientArea) {
    app::Canvas plain(321, 321);
    EXPECT_EQ(plain.image().size(), QSize(321, 321));
    EXPECT_EQ(plain.size(), QSize(321, 321));
    EXPECT_EQ(plain.image().format(), QImage::Format_RGB32);

    app::Canvas sunken(68, 68, {.sunken = true});
    EXPECT_EQ(sunken.size(), QSize(68, 68));
    EXPECT_EQ(sunken.image().size(), QSize(64, 64));
    EXPECT_EQ(sunken.surfaceWidth(), 64);
}

TEST(Canvas, DrawsIntoItsImage) {
    app::Canvas canvas(100, 60, {.sunken = true});
    canvas.setBackground(GREY);
    EXPECT_EQ(canvas.readPixel(0, 0), GREY);
    canvas.fillBox(10, 10, 20, 20, app::rgbColour(1, 2, 3));
    canvas.outlineBox(10, 10, 21, 21, 0);
    EXPECT_EQ(canvas.readPixel(11, 11), app::rgbColour(1, 2, 3));
    EXPECT_EQ(canvas.readPixel(30, 30), 0);
    EXPECT_EQ(canvas.readPixel(31, 31), GREY);
    EXPECT_EQ(canvas.readPixel(96, 0), -1);  // beyond the 96-pixel client width
    EXPECT_EQ(canvas.floodFill4(11, 11, WHITE), 19 * 19);
    EXPECT_EQ(canvas.copyArea(11, 11, 2, 2).pixel(1, 1), app::toQRgb(WHITE));
    const QImage shrunk = app::resizeNearest(canvas.image(), 48, 28);
    EXPECT_EQ(shrunk.size(), QSize(48, 28));
}

TEST(Canvas, ShowsItsImageInsideTheSunkenEdge) {
    app::Canvas canvas(40, 32, {.sunken = true});
    canvas.setBackground(GREY);
    canvas.fillBox(0, 0, 1, 1, WHITE);
    canvas.fillBox(35, 27, 1, 1, app::rgbColour(255, 0, 0));
    const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(40, 32));
    EXPECT_EQ(app::fromQRgb(shown.pixel(2, 2)), WHITE);
    EXPECT_EQ(app::fromQRgb(shown.pixel(3, 2)), GREY);
    EXPECT_EQ(app::fromQRgb(shown.pixel(37, 29)), app::rgbColour(255, 0, 0));
    EXPECT_NE(app::fromQRgb(shown.pixel(0, 0)), GREY);  // the edge, not the image
}

TEST(CanvasEvents, TranslationOfEachKind) {
    struct Row {
        QEvent::Type qtType;
        Qt::MouseButton button;
        Qt::MouseButtons held;
        Type expected;
    };
    const Row rows[] = {
        {QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Type::Move},
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Type::LeftDown},
        {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Type::LeftUp},
        {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, Type::RightDown},
        {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Type::RightUp},
        {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Type::LeftDoubleClick},
        {QEvent::MouseButtonDblClick, Qt::RightButton, Qt::RightButton, Type::RightDown},
        {QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, Type::MiddleDown},
        {QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, Type::MiddleUp},
    };
    for (const Row& row : rows) {
        QMouseEvent event(row.qtType, QPointF(12.7, -0.5), QPointF(12.7, -0.5), row.button, row.held, Qt::NoModifier);
        const auto record = app::toCanvasEvent(event, row.qtType, QPoint(2, 2));
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->type, row.expected);
        EXPECT_EQ(record->x, 10);
        EXPECT_EQ(record->y, -3);  // floor(-0.5) - 2
        EXPECT_EQ(record->left, row.held.testFlag(Qt::LeftButton));
        EXPECT_EQ(record->right, row.held.testFlag(Qt::RightButton));
        EXPECT_EQ(record->middle, row.held.testFlag(Qt::MiddleButton));
    }
    QMouseEvent back(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::BackButton, Qt::BackButton,
                     Qt::NoModifier);
    EXPECT_FALSE(app::toCanvasEvent(back, QEvent::MouseButtonPress).has_value());
    EXPECT_FALSE(app::toCanvasEvent(back, QEvent::Wheel).has_value());
}

TEST(CanvasEvents, ReportsPositionsRelativeToTheSurfaceWithHeldButtons) {
    app::Canvas canvas(68, 68, {.sunken = true});
    Recorder recorder(canvas);
    send(&canvas, QEvent::MouseMove, {10, 10}, Qt::NoButton, Qt::NoButton);
    send(&canvas, QEvent::MouseButtonPress, {2, 3}, Qt::LeftButton, Qt::LeftButton);
    send(&canvas, QEvent::MouseButtonPress, {2, 3}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    send(&canvas, QEvent::MouseButtonRelease, {2, 3}, Qt::LeftButton, Qt::RightButton);
    ASSERT_EQ(recorder.events.size(), 4u);
    EXPECT_EQ(recorder.events[0].type, Type::Move);
    EXPECT_EQ(recorder.events[0].x, 8);
    EXPECT_FALSE(recorder.events[0].left || recorder.events[0].right || recorder.events[0].middle);
    EXPECT_EQ(recorder.events[1].type, Type::LeftDown);
    EXPECT_EQ(recorder.events[1].x, 0);
    EXPECT_EQ(recorder.events[1].y, 1);
    EXPECT_TRUE(recorder.events[1].left);
    EXPECT_TRUE(recorder.events[2].left && recorder.events[2].right);
    EXPECT_EQ(recorder.events[3].type, Type::LeftUp);
    EXPECT_FALSE(recorder.events[3].left);
    EXPECT_TRUE(recorder.events[3].right);
}

// Drives the canvas through its top-level window, as the window system does,
// so Qt's own routing decides who gets each event.
TEST(CanvasEvents, DragLeavingTheCanvasIsStillReported) {
    QWidget window;
    window.resize(600, 400);
    auto* canvas = new app::Canvas(321, 321, {.captured = true}, &window);
    canvas->move(20, 20);
    auto* neighbour = new app::Canvas(100, 100, {}, &window);
    neighbour->move(400, 20);
    window.show();
    ASSERT_NE(window.windowHandle(), nullptr);
    Recorder onCanvas(*canvas);
    Recorder onNeighbour(*neighbour);
    QWindow* handle = window.windowHandle();

    send(handle, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton);
    send(handle, QEvent::MouseMove, {450, 50}, Qt::NoButton, Qt::LeftButton);  // over the neighbour
    send(handle, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);     // above and left of the canvas
    send(handle, QEvent::MouseButtonRelease, {450, 50}, Qt::LeftButton, Qt::NoButton);
    send(handle, QEvent::MouseMove, {450, 50}, Qt::NoButton, Qt::NoButton);  // free again

    ASSERT_EQ(onCanvas.events.size(), 4u);
    EXPECT_EQ(onCanvas.events[0].type, Type::LeftDown);
    EXPECT_EQ(onCanvas.events[0].x, 10);
    EXPECT_EQ(onCanvas.events[0].y, 20);
    EXPECT_EQ(onCanvas.events[1].type, Type::Move);
    EXPECT_EQ(onCanvas.events[1].x, 430);
    EXPECT_TRUE(onCanvas.events[1].left);
    EXPECT_EQ(onCanvas.events[2].x, -15);
    EXPECT_EQ(onCanvas.events[2].y, -15);
    EXPECT_EQ(onCanvas.events[3].type, Type::LeftUp);
    EXPECT_FALSE(onCanvas.events[3].left);
    ASSERT_EQ(onNeighbour.events.size(), 1u);
    EXPECT_EQ(onNeighbour.events[0].type, Type::Move);
    EXPECT_EQ(onNeighbour.events[0].x, 50);
}

}  // namespace
