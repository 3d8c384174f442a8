#pragma once
// Screen colours of the program are plain ints laid out 0x00BBGGRR: red in
// the low byte, then green, then blue. These helpers move between that form
// and Qt's QRgb (0xAARRGGBB), which is what the canvases store.
#include <QRgb>

namespace toolkit {

// Builds a screen colour from its three components (each taken modulo 256).
constexpr int rgbColour(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

constexpr int redOf(int bbggrr) { return bbggrr & 0xFF; }
constexpr int greenOf(int bbggrr) { return (bbggrr >> 8) & 0xFF; }
constexpr int blueOf(int bbggrr) { return (bbggrr >> 16) & 0xFF; }

// Opaque QRgb of a screen colour.
inline QRgb toQRgb(int bbggrr) {
    return qRgb(redOf(bbggrr), greenOf(bbggrr), blueOf(bbggrr));
}

// Screen colour of a QRgb; the alpha byte is dropped.
inline int fromQRgb(QRgb rgb) {
    return rgbColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

}  // namespace toolkit
