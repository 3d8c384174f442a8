#include "toolkit/canvas.h"

#include "toolkit/colour.h"
#include "toolkit/drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace toolkit {

namespace {
constexpr int FOCUS_LINE = 2;  // width of the focus frame a keyboard canvas shows
}  // namespace

Canvas::Canvas(int width, int height, CanvasOptions options, QWidget* parent)
    : QFrame(parent), options_(options) {
    setFixedSize(width, height);
    if (options_.sunken) {
        // A panel's frame is exactly its line width, so the client area is
        // the outer size less SUNKEN_EDGE on every side.
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(SUNKEN_EDGE);
    }
    const int edge = frameWidth();
    image_ = QImage(std::max(0, width - 2 * edge), std::max(0, height - 2 * edge),
                    options_.fullColour ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    fillSurface(toQRgb(rgbColour(255, 255, 255)));
    // Moves without a button held are reported too (cursor position texts).
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (options_.keyboard) setFocusPolicy(Qt::StrongFocus);
}

QPoint Canvas::clientOrigin() const { return {frameWidth(), frameWidth()}; }

void Canvas::markDirty(const QRect& rect) {
    const QRect area = rect.intersected(image_.rect());
    if (!area.isEmpty()) update(area.translated(clientOrigin()));
}

void Canvas::markAllDirty() { update(); }

void Canvas::fillSurface(QRgb value) {
    if (options_.fullColour) {
        image_.fill(value);
        return;
    }
    // One colour needs one table entry, whatever the surface held before.
    if (image_.format() != QImage::Format_Indexed8) image_ = QImage(image_.size(), QImage::Format_Indexed8);
    image_.setColorTable({value});
    image_.fill(0);
}

void Canvas::setBackground(int colour) {
    fillSurface(toQRgb(colour));
    markAllDirty();
}

void Canvas::fillBox(int x, int y, int w, int h, int colour) { markDirty(toolkit::fillBox(image_, x, y, w, h, colour)); }

void Canvas::outlineBox(int x, int y, int w, int h, int colour) {
    markDirty(toolkit::outlineBox(image_, x, y, w, h, colour));
}

void Canvas::line(int x, int y, int w, int h, int colour) { markDirty(toolkit::line(image_, x, y, w, h, colour)); }

void Canvas::lineBetween(int x1, int y1, int x2, int y2, int colour) {
    markDirty(toolkit::lineBetween(image_, x1, y1, x2, y2, colour));
}

QRect Canvas::text(int x, int y, const QString& str, int front, int back, const QFont& font) {
    const QRect area = drawText(image_, x, y, str, front, back, font);
    markDirty(area);
    return area;
}

QRect Canvas::xorText(int x, int y, const QString& str, int colour, const QFont& font) {
    const QRect area = toolkit::xorText(image_, x, y, str, colour, font);
    markDirty(area);
    return area;
}

int Canvas::readPixel(int x, int y) const { return toolkit::readPixel(image_, x, y); }

int Canvas::floodFill4(int x, int y, int colour) {
    int changed = 0;
    markDirty(toolkit::floodFill4(image_, x, y, colour, &changed));
    return changed;
}

void Canvas::drawImageScaled(const QImage& picture, int x, int y, int w, int h) {
    markDirty(toolkit::drawImageScaled(image_, picture, x, y, w, h));
}

void Canvas::drawImage(const QImage& picture, int x, int y) {
    drawImageScaled(picture, x, y, picture.width(), picture.height());
}

QImage Canvas::copyArea(int x, int y, int w, int h) const { return toolkit::copyArea(image_, x, y, w, h); }

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPoint origin = clientOrigin();
    const QRect target = event->rect().intersected(image_.rect().translated(origin));
    if (!target.isEmpty()) painter.drawImage(target, image_, target.translated(-origin));
    if (frameWidth() > 0) drawFrame(&painter);
    // The focus shows on the screen only; the image keeps its pixels.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), FOCUS_LINE, Qt::DotLine));
        painter.drawRect(rect().adjusted(FOCUS_LINE / 2, FOCUS_LINE / 2, -FOCUS_LINE / 2 - 1, -FOCUS_LINE / 2 - 1));
    }
}

// Qt grabs the mouse for the widget under a press until every button is up,
// so a drag that leaves the canvas keeps arriving here: that is the
// "captured" behaviour, positions outside included.
void Canvas::mousePressEvent(QMouseEvent* event) { report(event); }
void Canvas::mouseReleaseEvent(QMouseEvent* event) { report(event); }
void Canvas::mouseMoveEvent(QMouseEvent* event) { report(event); }
void Canvas::mouseDoubleClickEvent(QMouseEvent* event) { report(event); }

void Canvas::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    // Arrow keys come with the keypad modifier on some platforms; any other modifier
    // leaves the key to the window (Ctrl+Left steps between sprites).
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!options_.keyboard || !arrow || !plain) {
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    CanvasEvent record;
    record.type = CanvasEvent::Type::Key;
    record.key = key;
    emit canvasEvent(record);
}

void Canvas::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void Canvas::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void Canvas::report(QMouseEvent* event) {
    event->accept();
    if (const auto record = toCanvasEvent(*event, event->type(), clientOrigin())) emit canvasEvent(*record);
}

}  // namespace toolkit
