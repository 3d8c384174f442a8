#include "toolkit/drawing.h"

#include "toolkit/colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <utility>
#include <vector>

namespace toolkit {
namespace {

constexpr QRgb RGB_MASK = 0x00FFFFFF;

QRgb* row(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }
const QRgb* row(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }

void plot(QImage& image, int x, int y, QRgb value) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) row(image, y)[x] = value;
}

// Text is drawn without anti-aliasing so every pixel is exactly one colour,
// which picking by exact colour relies on.
QFont aliasedFont(const QFont& font) {
    QFont f(font);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// Source pixel under the centre of target pixel i of n, for a source of size m.
int sampleIndex(int i, int n, int m) {
    return static_cast<int>((2 * static_cast<std::int64_t>(i) + 1) * m / (2 * static_cast<std::int64_t>(n)));
}

}  // namespace

int readPixel(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
    return fromQRgb(row(image, y)[x]);
}

QRect fillBox(QImage& image, int x, int y, int w, int h, int colour) {
    if (w <= 0 || h <= 0) return {};
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    const QRgb value = toQRgb(colour);
    for (int j = area.top(); j <= area.bottom(); ++j) {
        QRgb* line = row(image, j);
        std::fill(line + area.left(), line + area.right() + 1, value);
    }
    return area;
}

QRect outlineBox(QImage& image, int x, int y, int w, int h, int colour) {
    if (w <= 0 || h <= 0) return {};
    fillBox(image, x, y, w, 1, colour);
    fillBox(image, x, y + h - 1, w, 1, colour);
    fillBox(image, x, y, 1, h, colour);
    fillBox(image, x + w - 1, y, 1, h, colour);
    return QRect(x, y, w, h).intersected(image.rect());
}

QRect lineBetween(QImage& image, int x1, int y1, int x2, int y2, int colour) {
    const QRgb value = toQRgb(colour);
    // Bresenham over integers: exact and independent of any paint engine.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (;;) {
        plot(image, x, y, value);
        if (x == x2 && y == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    return box.intersected(image.rect());
}

QRect line(QImage& image, int x, int y, int w, int h, int colour) {
    const int x2 = w > 0 ? x + w - 1 : (w < 0 ? x + w + 1 : x);
    const int y2 = h > 0 ? y + h - 1 : (h < 0 ? y + h + 1 : y);
    return lineBetween(image, x, y, x2, y2, colour);
}

QSize textSize(const QString& str, const QFont& font) {
    const QFontMetrics metrics(aliasedFont(font));
    return {metrics.horizontalAdvance(str), metrics.height()};
}

QRect drawText(QImage& image, int x, int y, const QString& str, int front, int back, const QFont& font) {
    const QFont f = aliasedFont(font);
    const QSize size = textSize(str, f);
    fillBox(image, x, y, size.width(), size.height(), back);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(f);
    painter.setPen(QColor(toQRgb(front)));
    painter.drawText(x, y + QFontMetrics(f).ascent(), str);
    return QRect(QPoint(x, y), size).intersected(image.rect());
}

QRect xorText(QImage& image, int x, int y, const QString& str, int colour, const QFont& font) {
    const QSize size = textSize(str, font);
    if (size.isEmpty()) return {};
    // Render the glyphs white on black into a mask, then flip the pixels under them.
    QImage mask(size, QImage::Format_RGB32);
    mask.fill(Qt::black);
    drawText(mask, 0, 0, str, rgbColour(255, 255, 255), 0, font);
    const QRect area = QRect(QPoint(x, y), size).intersected(image.rect());
    const QRgb flip = toQRgb(colour) & RGB_MASK;
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const QRgb* m = row(mask, j - y);
        QRgb* line = row(image, j);
        for (int i = area.left(); i <= area.right(); ++i) {
            if ((m[i - x] & RGB_MASK) != 0) line[i] ^= flip;
        }
    }
    return area;
}

QRect floodFill4(QImage& image, int x, int y, int colour, int* changed) {
    if (changed) *changed = 0;
    if (readPixel(image, x, y) < 0) return {};
    const QRgb target = row(image, y)[x] & RGB_MASK;
    const QRgb value = toQRgb(colour);
    if (target == (value & RGB_MASK)) return {};
    const int width = image.width(), height = image.height();
    auto matches = [&](int i, int j) { return (row(image, j)[i] & RGB_MASK) == target; };

    // Seeds are the leftmost pixel of a run still to fill. A seed whose pixel
    // was painted meanwhile is skipped, so no span is entered twice.
    std::vector<std::pair<int, int>> seeds{{x, y}};
    int count = 0;
    QRect touched;
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!matches(sx, sy)) continue;
        int left = sx, right = sx;
        while (left > 0 && matches(left - 1, sy)) --left;
        while (right < width - 1 && matches(right + 1, sy)) ++right;
        QRgb* line = row(image, sy);
        std::fill(line + left, line + right + 1, value);
        count += right - left + 1;
        touched |= QRect(left, sy, right - left + 1, 1);
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height) continue;
            for (int i = left; i <= right; ++i) {
                if (matches(i, ny) && (i == left || !matches(i - 1, ny))) seeds.emplace_back(i, ny);
            }
        }
    }
    if (changed) *changed = count;
    return touched;
}

QRect drawImageScaled(QImage& image, const QImage& picture, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0 || picture.isNull()) return {};
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const QRgb* src = row(source, sampleIndex(j - y, h, source.height()));
        QRgb* dst = row(image, j);
        for (int i = area.left(); i <= area.right(); ++i) {
            dst[i] = src[sampleIndex(i - x, w, source.width())] | 0xFF000000u;
        }
    }
    return area;
}

QImage copyArea(const QImage& image, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    QImage copy(w, h, QImage::Format_RGB32);
    copy.fill(Qt::black);
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const QRgb* src = row(image, j);
        std::copy(src + area.left(), src + area.right() + 1, row(copy, j - y) + (area.left() - x));
    }
    return copy;
}

QImage resizeNearest(const QImage& picture, int w, int h) {
    if (w <= 0 || h <= 0 || picture.isNull()) return {};
    const QImage::Format format = picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage source = picture.convertToFormat(format);
    QImage result(w, h, format);
    for (int j = 0; j < h; ++j) {
        const QRgb* src = row(source, sampleIndex(j, h, source.height()));
        QRgb* dst = row(result, j);
        for (int i = 0; i < w; ++i) dst[i] = src[sampleIndex(i, w, source.width())];
    }
    return result;
}

}  // namespace toolkit
