#pragma once
// A canvas is the program's drawing surface: a fixed-size widget that owns a
// QImage, draws into it with the primitives below (colours 0x00BBGGRR, see
// colour.h) and shows it, repainting only what changed. Reading a pixel reads
// the image, never the screen, so picking and filling do not depend on the
// window system or on screen scaling.
//
// Mouse input: every press, release, move (also with no button held) and
// double click is turned into a CanvasEvent and sent out through the Qt signal
// canvasEvent(). Connect to it; the tools never see Qt's mouse events.
// While a button is held the canvas keeps receiving events even when the
// pointer leaves it (Qt's implicit grab), with positions outside its area.
//
// Keyboard input: with the keyboard option the canvas takes the focus, shows it
// with a focus frame around the widget, and reports the arrow keys as
// CanvasEvents of Type::Key; every other key goes on as usual (Tab moves on).
//
// Layout: construct with the control's outer size as the window places it.
// With the sunken option the widget draws a 2-pixel sunken edge inside that
// size and the image is the client area within it (68 x 68 gives 64 x 64);
// event positions are relative to the image's top-left pixel either way.
#include "toolkit/canvas_event.h"
#include "toolkit/drawing.h"  // the same primitives on plain images, and resizeNearest

#include <QFrame>
#include <QImage>
#include <QRect>

class QFont;
class QPaintEvent;
class QMouseEvent;
class QKeyEvent;
class QFocusEvent;

namespace toolkit {

struct CanvasOptions {
    bool sunken = false;    // sunken client edge
    bool captured = false;  // keeps the mouse while a button is held (always true in Qt; recorded for the window)
    bool keyboard = false;  // takes the focus (Tab or a click) and reports its arrow keys as Type::Key events
    bool fullColour = false;  // a 32-bit surface from the start, for pictures written straight into image()
};

class Canvas : public QFrame {
    Q_OBJECT
public:
    static constexpr int SUNKEN_EDGE = 2;

    Canvas(int width, int height, CanvasOptions options = {}, QWidget* parent = nullptr);

    // The drawing surface: one byte a pixel (Format_Indexed8) while it shows at
    // most 256 colours, Format_RGB32 after that or with the fullColour option.
    // Draw on it with the primitives of drawing.h, which take either; code that
    // writes 32-bit rows into it directly needs the fullColour option. Direct
    // writers must call markDirty() with the rectangle they changed.
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    int surfaceWidth() const { return image_.width(); }
    int surfaceHeight() const { return image_.height(); }
    const CanvasOptions& options() const { return options_; }

    void markDirty(const QRect& rect);
    void markAllDirty();

    // Fills the whole surface with one colour.
    void setBackground(int colour);

    // Drawing; everything is clipped to the surface and marks its rectangle dirty.
    // A box with a width or height of 0 or less draws nothing.
    void fillBox(int x, int y, int w, int h, int colour);
    // The one-pixel border of the w x h box: columns x and x+w-1, rows y and y+h-1.
    void outlineBox(int x, int y, int w, int h, int colour);
    // A line from (x, y) spanning w columns and h rows, both ends included:
    // line(x, y, 32, 1, c) is 32 pixels to the right, line(x, y, 1, 32, c)
    // 32 pixels down. Negative lengths run left or up; 0 counts as 1.
    void line(int x, int y, int w, int h, int colour);
    // A line between two points, both ends included.
    void lineBetween(int x1, int y1, int x2, int y2, int colour);
    // Text with its top-left corner at (x, y), on an opaque box of the back
    // colour as large as the text. Drawn without anti-aliasing so every pixel
    // is one of the two colours. Returns the rectangle covered.
    QRect text(int x, int y, const QString& str, int front, int back, const QFont& font);
    // Text in exclusive-or mode: each pixel under a glyph becomes
    // pixel XOR colour (white inverts), the rest stays untouched; drawing the
    // same text twice restores the picture. Returns the rectangle of the text.
    QRect xorText(int x, int y, const QString& str, int colour, const QFont& font);
    // Colour at (x, y), or -1 outside the surface.
    int readPixel(int x, int y) const;
    // Four-connected flood fill of the one-colour region holding (x, y),
    // bounded by the surface's edges. Returns the number of pixels changed
    // (0 when the start is outside or already has the colour).
    int floodFill4(int x, int y, int colour);
    // Draws a picture resized to w x h with nearest-neighbour sampling.
    void drawImageScaled(const QImage& picture, int x, int y, int w, int h);
    // Draws a picture at its own size.
    void drawImage(const QImage& picture, int x, int y);
    // Copies a w x h area into a new RGB32 image; pixels outside the surface are black.
    QImage copyArea(int x, int y, int w, int h) const;

signals:
    void canvasEvent(const toolkit::CanvasEvent& event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void report(QMouseEvent* event);
    QPoint clientOrigin() const;
    void fillSurface(QRgb value);

    CanvasOptions options_;
    QImage image_;
};

}  // namespace toolkit
