#include "toolkit/drawing.h"

#include "toolkit/colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace toolkit {
namespace {

constexpr QRgb RGB_MASK = 0x00FFFFFF;
constexpr QRgb OPAQUE = 0xFF000000;
constexpr int TABLE_SIZE = 256;

bool indexed(const QImage& image) { return image.format() == QImage::Format_Indexed8; }

QRgb* row(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }
const QRgb* row(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }

// Colour of a pixel known to lie inside the image, as an opaque QRgb.
QRgb colourAt(const QImage& image, int x, int y) {
    if (indexed(image)) {
        const int entry = image.constScanLine(y)[x];
        return entry < image.colorCount() ? image.color(entry) | OPAQUE : OPAQUE;
    }
    return row(image, y)[x] | OPAQUE;
}

// Drops the table entries no pixel uses and renumbers the pixels, so colours
// drawn over long ago stop taking room. Pixels inside `covered`, which the
// drawing under way paints over, do not count as uses.
void dropUnusedEntries(QImage& image, QList<QRgb>& table, const QRect& covered) {
    std::array<bool, TABLE_SIZE> used{};
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        const bool crossed = y >= covered.top() && y <= covered.bottom() && !covered.isEmpty();
        for (int x = 0; x < image.width(); ++x) {
            if (crossed && x == covered.left()) x = covered.right() + 1;
            if (x < image.width()) used[line[x]] = true;
        }
    }
    std::array<uchar, TABLE_SIZE> renumbered{};
    QList<QRgb> kept;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        if (!used[static_cast<std::size_t>(i)]) continue;
        renumbered[static_cast<std::size_t>(i)] = static_cast<uchar>(kept.size());
        kept.push_back(table[i]);
    }
    if (kept.size() == table.size()) return;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) line[x] = renumbered[line[x]];
    }
    table = kept;
    image.setColorTable(table);
}

// The table entry of an opaque colour, or -1.
int entryOf(const QImage& image, QRgb value) {
    const QList<QRgb> table = image.colorTable();  // shares the image's table
    const auto it = std::find(table.cbegin(), table.cend(), value);
    return it == table.cend() ? -1 : static_cast<int>(it - table.cbegin());
}

// An indexed image's table as (colour, entry) pairs sorted by colour, for
// looking up many colours at once.
using TableIndex = std::vector<std::pair<QRgb, int>>;

TableIndex tableIndex(const QImage& image) {
    TableIndex index;
    for (int i = 0; i < image.colorCount(); ++i) index.emplace_back(image.color(i), i);
    std::sort(index.begin(), index.end());
    return index;
}

int lookUp(const TableIndex& index, QRgb value) {
    const auto it = std::lower_bound(index.begin(), index.end(), std::pair<QRgb, int>(value, -1));
    return it != index.end() && it->first == value ? it->second : -1;
}

// Makes sure an indexed image's table holds every one of `colours` (opaque
// QRgbs). When 256 entries cannot hold them with the colours still on show
// outside `covered` (the area the caller is about to paint completely), the
// image becomes 32-bit, keeping every pixel. Returns whether the image is
// (still) indexed; a 32-bit image stays as it is and gets false.
bool holdColours(QImage& image, std::span<const QRgb> colours, const QRect& covered = QRect()) {
    if (!indexed(image)) return false;
    std::vector<QRgb> missing;
    if (colours.size() <= 4) {
        for (const QRgb colour : colours) {
            if (entryOf(image, colour) < 0 && std::find(missing.begin(), missing.end(), colour) == missing.end())
                missing.push_back(colour);
        }
    } else {
        const TableIndex index = tableIndex(image);
        for (const QRgb colour : colours) {
            if (lookUp(index, colour) < 0) missing.push_back(colour);
        }
        std::sort(missing.begin(), missing.end());
        missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
    }
    if (missing.empty()) return true;
    QList<QRgb> table = image.colorTable();
    if (table.size() + static_cast<qsizetype>(missing.size()) > TABLE_SIZE) {
        dropUnusedEntries(image, table, covered.intersected(image.rect()));
        if (table.size() + static_cast<qsizetype>(missing.size()) > TABLE_SIZE) {
            image.convertTo(QImage::Format_RGB32);
            return false;
        }
    }
    for (const QRgb colour : missing) table.push_back(colour);
    image.setColorTable(table);
    return true;
}

// What a drawing call writes for one colour: its table entry on an indexed
// image, its 32-bit value otherwise. Made before any pixel changes.
struct Ink {
    QRgb rgb;
    int entry;  // -1: write rgb
};

Ink inkFor(QImage& image, int colour, const QRect& covered = QRect()) {
    const QRgb rgb = toQRgb(colour);
    if (holdColours(image, std::span<const QRgb>(&rgb, 1), covered)) return {rgb, entryOf(image, rgb)};
    return {rgb, -1};
}

void fillSpan(QImage& image, int y, int left, int right, const Ink& ink) {
    if (ink.entry >= 0) {
        uchar* line = image.scanLine(y);
        std::fill(line + left, line + right + 1, static_cast<uchar>(ink.entry));
    } else {
        QRgb* line = row(image, y);
        std::fill(line + left, line + right + 1, ink.rgb);
    }
}

void plot(QImage& image, int x, int y, const Ink& ink) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) fillSpan(image, y, x, x, ink);
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
    return fromQRgb(colourAt(image, x, y));
}

QRect fillBox(QImage& image, int x, int y, int w, int h, int colour) {
    if (w <= 0 || h <= 0) return {};
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    if (area.isEmpty()) return area;
    const Ink ink = inkFor(image, colour, area);
    for (int j = area.top(); j <= area.bottom(); ++j) fillSpan(image, j, area.left(), area.right(), ink);
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
    const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    const QRect changed = box.intersected(image.rect());
    if (changed.isEmpty()) return changed;
    const Ink ink = inkFor(image, colour);
    // Bresenham over integers: exact and independent of any paint engine.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (;;) {
        plot(image, x, y, ink);
        if (x == x2 && y == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    return changed;
}

QRect line(QImage& image, int x, int y, int w, int h, int colour) {
    const int x2 = w > 0 ? x + w - 1 : (w < 0 ? x + w + 1 : x);
    const int y2 = h > 0 ? y + h - 1 : (h < 0 ? y + h + 1 : y);
    return lineBetween(image, x, y, x2, y2, colour);
}

QRect fillBoxGrid(QImage& image, int x, int y, int box, int side, std::span<const int> colours) {
    if (box <= 0 || side <= 0 || static_cast<std::size_t>(side) * static_cast<std::size_t>(side) > colours.size()) return {};
    const QRect area = QRect(x, y, side * box, side * box).intersected(image.rect());
    if (area.isEmpty()) return {};
    const std::size_t cells = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    std::vector<QRgb> rgb(cells);
    for (std::size_t i = 0; i < cells; ++i) rgb[i] = toQRgb(colours[i]);
    // Row by row over the clipped area: each pixel takes the box it lies in.
    auto fill = [&](auto rowAt, const auto& values) {
        for (int j = area.top(); j <= area.bottom(); ++j) {
            const std::size_t cellRow = static_cast<std::size_t>((j - y) / box) * static_cast<std::size_t>(side);
            auto* out = rowAt(j);
            for (int i = area.left(); i <= area.right(); ++i) out[i] = values[cellRow + static_cast<std::size_t>((i - x) / box)];
        }
    };
    if (holdColours(image, rgb, area)) {
        const TableIndex index = tableIndex(image);
        std::vector<uchar> entries(cells);
        for (std::size_t i = 0; i < cells; ++i) entries[i] = static_cast<uchar>(lookUp(index, rgb[i]));
        fill([&image](int j) { return image.scanLine(j); }, entries);
    } else {
        fill([&image](int j) { return row(image, j); }, rgb);
    }
    return area;
}

QSize textSize(const QString& str, const QFont& font) {
    const QFontMetrics metrics(aliasedFont(font));
    return {metrics.horizontalAdvance(str), metrics.height()};
}

QRect drawText(QImage& image, int x, int y, const QString& str, int front, int back, const QFont& font) {
    const QFont f = aliasedFont(font);
    const QSize size = textSize(str, f);
    if (!indexed(image)) {
        fillBox(image, x, y, size.width(), size.height(), back);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(f);
        painter.setPen(QColor(toQRgb(front)));
        painter.drawText(x, y + QFontMetrics(f).ascent(), str);
        return QRect(QPoint(x, y), size).intersected(image.rect());
    }
    // Qt cannot paint on an indexed image. The text goes on a clear 32-bit sheet
    // with room around its box for glyphs reaching past it; every pixel drawn
    // there is then copied, the same pixels a 32-bit image would have got.
    const int margin = std::max(size.height(), 1);
    QImage sheet(size.width() + 2 * margin, size.height() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    drawText(sheet, margin, margin, str, front, back, font);
    const QRect area = QRect(x - margin, y - margin, sheet.width(), sheet.height()).intersected(image.rect());
    std::vector<QRgb> drawn;
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const QRgb* in = row(sheet, j - y + margin);
        for (int i = area.left(); i <= area.right(); ++i) {
            const QRgb p = in[i - x + margin];
            if (qAlpha(p) == 255 && (drawn.empty() || drawn.back() != p)) drawn.push_back(p);
        }
    }
    const QRect box = QRect(QPoint(x, y), size).intersected(image.rect());
    if (!holdColours(image, drawn, box)) return drawText(image, x, y, str, front, back, font);
    const TableIndex index = tableIndex(image);
    for (int j = area.top(); j <= area.bottom(); ++j) {
        const QRgb* in = row(sheet, j - y + margin);
        uchar* out = image.scanLine(j);
        for (int i = area.left(); i <= area.right(); ++i) {
            const QRgb p = in[i - x + margin];
            if (qAlpha(p) == 255) out[i] = static_cast<uchar>(lookUp(index, p));
        }
    }
    return box;
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
    auto underGlyph = [&](int i, int j) { return (row(mask, j - y)[i - x] & RGB_MASK) != 0; };
    if (indexed(image)) {
        // Each table entry under a glyph turns into the entry of its flipped colour.
        std::vector<QRgb> flipped;
        std::array<bool, TABLE_SIZE> flips{};
        for (int j = area.top(); j <= area.bottom(); ++j) {
            const uchar* line = image.constScanLine(j);
            for (int i = area.left(); i <= area.right(); ++i) {
                if (underGlyph(i, j) && !flips[line[i]]) {
                    flips[line[i]] = true;
                    flipped.push_back(colourAt(image, i, j) ^ flip);
                }
            }
        }
        if (holdColours(image, flipped)) {
            const TableIndex index = tableIndex(image);
            std::array<uchar, TABLE_SIZE> turned{};
            for (int e = 0; e < image.colorCount(); ++e) {
                const int target = lookUp(index, (image.color(e) | OPAQUE) ^ flip);
                turned[static_cast<std::size_t>(e)] = static_cast<uchar>(target < 0 ? e : target);
            }
            for (int j = area.top(); j <= area.bottom(); ++j) {
                uchar* line = image.scanLine(j);
                for (int i = area.left(); i <= area.right(); ++i) {
                    if (underGlyph(i, j)) line[i] = turned[line[i]];
                }
            }
            return area;
        }
    }
    for (int j = area.top(); j <= area.bottom(); ++j) {
        QRgb* line = row(image, j);
        for (int i = area.left(); i <= area.right(); ++i) {
            if (underGlyph(i, j)) line[i] ^= flip;
        }
    }
    return area;
}

namespace {

// Four-connected span fill over pixels of type P (table entries or QRgbs),
// comparing them through `key`.
template <typename P, typename Key>
int spanFill(QImage& image, int x, int y, P value, Key key, QRect& touched) {
    auto at = [&](int i, int j) { return reinterpret_cast<P*>(image.scanLine(j)) + i; };
    const auto target = key(*at(x, y));
    const int width = image.width(), height = image.height();
    auto matches = [&](int i, int j) { return key(*at(i, j)) == target; };
    // Seeds are the leftmost pixel of a run still to fill. A seed whose pixel
    // was painted meanwhile is skipped, so no span is entered twice.
    std::vector<std::pair<int, int>> seeds{{x, y}};
    int count = 0;
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!matches(sx, sy)) continue;
        int left = sx, right = sx;
        while (left > 0 && matches(left - 1, sy)) --left;
        while (right < width - 1 && matches(right + 1, sy)) ++right;
        std::fill(at(left, sy), at(right, sy) + 1, value);
        count += right - left + 1;
        touched |= QRect(left, sy, right - left + 1, 1);
        for (const int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height) continue;
            for (int i = left; i <= right; ++i) {
                if (matches(i, ny) && (i == left || !matches(i - 1, ny))) seeds.emplace_back(i, ny);
            }
        }
    }
    return count;
}

}  // namespace

QRect floodFill4(QImage& image, int x, int y, int colour, int* changed) {
    if (changed) *changed = 0;
    if (readPixel(image, x, y) < 0 || readPixel(image, x, y) == (colour & 0xFFFFFF)) return {};
    // The ink comes first: finding it room may renumber the table.
    const Ink ink = inkFor(image, colour);
    QRect touched;
    int count = 0;
    if (ink.entry >= 0) {
        count = spanFill<uchar>(image, x, y, static_cast<uchar>(ink.entry), [](uchar p) { return p; }, touched);
    } else {
        count = spanFill<QRgb>(image, x, y, ink.rgb, [](QRgb p) { return p & RGB_MASK; }, touched);
    }
    if (changed) *changed = count;
    return touched;
}

QRect drawImageScaled(QImage& image, const QImage& picture, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0 || picture.isNull()) return {};
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    if (area.isEmpty()) return area;
    auto sampled = [&](int i, int j) {
        return row(source, sampleIndex(j - y, h, source.height()))[sampleIndex(i - x, w, source.width())] | OPAQUE;
    };
    if (indexed(image)) {
        // The picture's colours, gathered until they are known to be too many for a table.
        std::vector<QRgb> colours;
        for (int j = area.top(); j <= area.bottom() && colours.size() <= static_cast<std::size_t>(TABLE_SIZE); ++j) {
            for (int i = area.left(); i <= area.right(); ++i) {
                const QRgb p = sampled(i, j);
                if (colours.empty() || colours.back() != p) colours.push_back(p);
            }
            std::sort(colours.begin(), colours.end());
            colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
        }
        if (colours.size() > static_cast<std::size_t>(TABLE_SIZE)) image.convertTo(QImage::Format_RGB32);
        if (holdColours(image, colours, area)) {
            const TableIndex index = tableIndex(image);
            for (int j = area.top(); j <= area.bottom(); ++j) {
                uchar* dst = image.scanLine(j);
                QRgb last = 0;
                uchar entry = 0;
                for (int i = area.left(); i <= area.right(); ++i) {
                    const QRgb p = sampled(i, j);
                    if (i == area.left() || p != last) entry = static_cast<uchar>(lookUp(index, last = p));
                    dst[i] = entry;
                }
            }
            return area;
        }
    }
    for (int j = area.top(); j <= area.bottom(); ++j) {
        QRgb* dst = row(image, j);
        for (int i = area.left(); i <= area.right(); ++i) dst[i] = sampled(i, j);
    }
    return area;
}

QImage copyArea(const QImage& image, int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    QImage copy(w, h, QImage::Format_RGB32);
    copy.fill(Qt::black);
    const QRect area = QRect(x, y, w, h).intersected(image.rect());
    for (int j = area.top(); j <= area.bottom(); ++j) {
        QRgb* out = row(copy, j - y) + (area.left() - x);
        if (indexed(image)) {
            for (int i = area.left(); i <= area.right(); ++i) *out++ = colourAt(image, i, j);
        } else {
            const QRgb* src = row(image, j);
            std::copy(src + area.left(), src + area.right() + 1, out);
        }
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
