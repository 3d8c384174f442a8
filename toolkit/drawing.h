#pragma once
// Drawing primitives on 32-bit images (QImage::Format_RGB32 or ARGB32) and on
// indexed ones (Format_Indexed8), in the program's screen colours 0x00BBGGRR.
// Canvas uses them on its surface; views use them directly on off-screen images
// (sprite images, scratch pictures). Everything is clipped to the image; each
// function returns the rectangle it changed (empty when nothing was touched).
//
// An indexed image gets a table entry for every colour drawn on it; its table
// must be one these functions built (each entry a different opaque colour, every
// pixel naming an entry), as a Canvas's is. When a drawing needs more than 256
// colours at once with those still on show, the image turns into Format_RGB32
// with every pixel kept, and stays so; either way every pixel reads back as
// exactly the colour drawn.
#include <QImage>
#include <QRect>
#include <QString>

#include <span>

class QFont;

namespace toolkit {

// Colour of a pixel, or -1 outside the image.
int readPixel(const QImage& image, int x, int y);

QRect fillBox(QImage& image, int x, int y, int w, int h, int colour);
QRect outlineBox(QImage& image, int x, int y, int w, int h, int colour);
// Both ends included.
QRect lineBetween(QImage& image, int x1, int y1, int x2, int y2, int colour);
// From (x, y) spanning w columns and h rows (negative runs left/up, 0 counts as 1).
QRect line(QImage& image, int x, int y, int w, int h, int colour);

QRect drawText(QImage& image, int x, int y, const QString& str, int front, int back, const QFont& font);
QRect xorText(QImage& image, int x, int y, const QString& str, int colour, const QFont& font);

// A side x side grid of boxes of side `box` at (x, y), box (column c, row r) in
// colours[r * side + c].
QRect fillBoxGrid(QImage& image, int x, int y, int box, int side, std::span<const int> colours);
// Four-connected span fill; `changed` receives the number of pixels filled.
QRect floodFill4(QImage& image, int x, int y, int colour, int* changed = nullptr);

// Nearest-neighbour copy of `picture` into the w x h box at (x, y); alpha is ignored.
QRect drawImageScaled(QImage& image, const QImage& picture, int x, int y, int w, int h);

// A w x h RGB32 copy of the area at (x, y); outside the image is black.
QImage copyArea(const QImage& image, int x, int y, int w, int h);

// `picture` resized to w x h by nearest-neighbour sampling (each target
// pixel takes the source pixel under its centre). Keeps an alpha channel if
// the source has one; a null image for sizes of 0 or less.
QImage resizeNearest(const QImage& picture, int w, int h);

// The size of `str` as drawText lays it out.
QSize textSize(const QString& str, const QFont& font);

}  // namespace toolkit
