// Draws the eighteen 24 x 24 toolbar icons as 8-bit grey-with-alpha PNGs: dark
// strokes and light fills on a transparent background, for light buttons.
//
//   make_icons <icons folder>
//
// Shapes are tested at 8 x 8 points per pixel and averaged, so edges come out
// smooth. Coordinates are in pixels, (0, 0) the top left corner of the icon.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "tools/png_writer.h"

namespace {

constexpr int SIZE = 24;
constexpr int SUB = 8;  // sub-samples per pixel side
constexpr int FINE = SIZE * SUB;

constexpr double INK = 48;     // strokes and solid parts
constexpr double PAPER = 250;  // page and bucket fills
constexpr double MID = 150;    // the clipboard's board

struct Point {
    double x, y;
};
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double length(Point a) { return std::hypot(a.x, a.y); }

using Shape = std::function<bool(Point)>;

// --------------------------------------------------------------------- shapes

double segmentDistance(Point p, Point a, Point b) {
    const Point ab = b - a;
    const double len2 = dot(ab, ab);
    const double t = len2 > 0 ? std::clamp(dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    return length(p - (a + ab * t));
}

Shape polygon(std::vector<Point> pts) {
    return [pts = std::move(pts)](Point p) {
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Point a = pts[i], b = pts[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside;
    };
}

Shape rect(double x0, double y0, double x1, double y1, double radius = 0) {
    return [=](Point p) {
        if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1) return false;
        const double cx = std::clamp(p.x, x0 + radius, x1 - radius), cy = std::clamp(p.y, y0 + radius, y1 - radius);
        return std::hypot(p.x - cx, p.y - cy) <= radius;
    };
}

// The outline band of a rectangle: a stroke of width w centred on its edges.
Shape rectOutline(double x0, double y0, double x1, double y1, double w, double radius = 0) {
    const Shape outer = rect(x0 - w / 2, y0 - w / 2, x1 + w / 2, y1 + w / 2, radius > 0 ? radius + w / 2 : 0);
    const Shape inner = rect(x0 + w / 2, y0 + w / 2, x1 - w / 2, y1 - w / 2, std::max(0.0, radius - w / 2));
    return [=](Point p) { return outer(p) && !inner(p); };
}

// A stroked polyline with round joins and caps.
Shape stroke(std::vector<Point> pts, double w, bool closed = false) {
    if (closed) pts.push_back(pts.front());
    return [pts = std::move(pts), w](Point p) {
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
            if (segmentDistance(p, pts[i], pts[i + 1]) <= w / 2) return true;
        return false;
    };
}

// A closed polyline stroked in dashes of `dash` with gaps of `gap`, measured along it.
Shape dashed(std::vector<Point> pts, double w, double dash, double gap) {
    pts.push_back(pts.front());
    return [pts = std::move(pts), w, dash, gap](Point p) {
        double along = 0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
            const Point ab = pts[i + 1] - pts[i];
            const double len = length(ab);
            const double t = std::clamp(dot(p - pts[i], ab) / (len * len), 0.0, 1.0);
            if (length(p - (pts[i] + ab * t)) <= w / 2 && std::fmod(along + t * len, dash + gap) < dash) return true;
            along += len;
        }
        return false;
    };
}

Shape disc(Point c, double r) {
    return [=](Point p) { return length(p - c) <= r; };
}

Shape ring(Point c, double r, double w) {
    return [=](Point p) { return std::abs(length(p - c) - r) <= w / 2; };
}

// Points along a circular arc from angle a0 to a1 (degrees; 0 points right, 90 down).
std::vector<Point> arcPoints(Point c, double r, double a0, double a1, int steps = 48) {
    std::vector<Point> pts;
    for (int i = 0; i <= steps; ++i) {
        const double a = (a0 + (a1 - a0) * i / steps) * std::numbers::pi / 180.0;
        pts.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return pts;
}

// A solid arrow head with its tip at `tip`, pointing along `dir`.
Shape arrowHead(Point tip, Point dir, double len, double halfWidth) {
    const Point d = dir * (1.0 / length(dir));
    const Point n{-d.y, d.x};
    const Point base = tip - d * len;
    return polygon({tip, base + n * halfWidth, base - n * halfWidth});
}

Shape both(Shape a, Shape b) {
    return [=](Point p) { return a(p) && b(p); };
}
Shape either(Shape a, Shape b) {
    return [=](Point p) { return a(p) || b(p); };
}

std::vector<Point> rotated(std::vector<Point> pts, Point c, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0, cs = std::cos(a), sn = std::sin(a);
    for (Point& p : pts) {
        const Point d = p - c;
        p = {c.x + d.x * cs - d.y * sn, c.y + d.x * sn + d.y * cs};
    }
    return pts;
}

// --------------------------------------------------------------------- the icon

class Icon {
public:
    Icon() : grey_(FINE * FINE, 0), cover_(FINE * FINE, 0) {}

    void paint(const Shape& shape, double grey) {
        for (int j = 0; j < FINE; ++j)
            for (int i = 0; i < FINE; ++i)
                if (shape({(i + 0.5) / SUB, (j + 0.5) / SUB})) {
                    grey_[j * FINE + i] = grey;
                    cover_[j * FINE + i] = 1;
                }
    }
    void erase(const Shape& shape) {
        for (int j = 0; j < FINE; ++j)
            for (int i = 0; i < FINE; ++i)
                if (shape({(i + 0.5) / SUB, (j + 0.5) / SUB})) cover_[j * FINE + i] = 0;
    }
    // A shape filled light with a dark outline of width w.
    void page(double x0, double y0, double x1, double y1, double w = 1.0, double fill = PAPER) {
        paint(rect(x0, y0, x1, y1), fill);
        paint(rectOutline(x0, y0, x1, y1, w), INK);
    }

    // Averages the sub-samples: alpha is the covered share, grey the mean of the covered.
    std::vector<std::uint8_t> pixels() const {
        std::vector<std::uint8_t> out;
        for (int y = 0; y < SIZE; ++y)
            for (int x = 0; x < SIZE; ++x) {
                double sum = 0, covered = 0;
                for (int j = 0; j < SUB; ++j)
                    for (int i = 0; i < SUB; ++i) {
                        const int k = (y * SUB + j) * FINE + x * SUB + i;
                        sum += grey_[k] * cover_[k];
                        covered += cover_[k];
                    }
                out.push_back(static_cast<std::uint8_t>(covered > 0 ? std::lround(sum / covered) : 0));
                out.push_back(static_cast<std::uint8_t>(std::lround(255.0 * covered / (SUB * SUB))));
            }
        return out;
    }

private:
    std::vector<double> grey_;
    std::vector<double> cover_;
};

void textLines(Icon& icon, double x0, double x1, double y0, int count, double step) {
    for (int i = 0; i < count; ++i) icon.paint(rect(x0, y0 + i * step, i == count - 1 ? (x0 + x1) / 2 : x1, y0 + i * step + 1), INK);
}

Icon copyIcon() {
    Icon icon;
    icon.page(2.5, 1.5, 14.5, 16.5);
    textLines(icon, 5, 12, 5, 2, 3);
    icon.page(8.5, 7.5, 20.5, 22.5);
    textLines(icon, 11, 18, 11, 3, 3);
    return icon;
}

Icon pasteIcon() {
    Icon icon;
    icon.paint(rect(2.5, 3.5, 17.5, 21.5, 1.5), MID);
    icon.paint(rectOutline(2.5, 3.5, 17.5, 21.5, 1.0, 1.5), INK);
    icon.paint(rect(6, 1.5, 14, 6.5, 1), INK);
    icon.paint(rect(8.5, 3, 11.5, 4), MID);
    icon.page(9.5, 9.5, 21.5, 22.5);
    textLines(icon, 12, 19, 12, 3, 3);
    return icon;
}

Icon fillIcon() {
    Icon icon;
    // A pail tipped to the right, paint spilling over its lower lip and a drop
    // falling from it. Drawn upright, then turned.
    const Point c{9, 13};
    auto turn = [&](std::vector<Point> pts) { return rotated(std::move(pts), c, 35); };
    const std::vector<Point> body = turn({{3, 8}, {15, 8}, {13, 20}, {5, 20}});
    icon.paint(stroke(turn(arcPoints({9, 8}, 6, 180, 360)), 1.2), INK);  // handle
    icon.paint(polygon(body), PAPER);
    icon.paint(stroke(body, 1.4, true), INK);
    std::vector<Point> mouth;
    for (const Point& p : arcPoints({0, 0}, 1.0, 0, 360)) mouth.push_back({9 + 6 * p.x, 8 + 2.3 * p.y});
    icon.paint(polygon(turn(mouth)), INK);  // the opening, full of paint
    const Point lip = turn({{15, 8}})[0];
    icon.paint(stroke({lip, {lip.x + 1.4, lip.y + 1.8}, {lip.x + 1.8, lip.y + 3.0}}, 2.2), INK);
    const Point drop{lip.x + 1.8, 21.3};
    icon.paint(disc(drop, 1.9), INK);
    icon.paint(polygon({{drop.x - 1.7, drop.y - 0.7}, {drop.x + 1.7, drop.y - 0.7}, {drop.x, drop.y - 4.0}}), INK);
    return icon;
}

Icon dropperIcon() {
    Icon icon;
    icon.paint(rect(8.5, 0.5, 15.5, 9, 3.5), INK);                                     // bulb
    icon.paint(rect(6.5, 8.5, 17.5, 10.5, 0.8), INK);                                   // collar
    icon.page(9.5, 10.5, 14.5, 18.5);                                                   // glass barrel
    icon.paint(rect(10.5, 14, 13.5, 18), INK);                                          // liquid
    icon.paint(polygon({{9.8, 18.5}, {14.2, 18.5}, {12.6, 23.2}, {11.4, 23.2}}), INK);  // tip
    return icon;
}

Icon mirrorIcon() {
    Icon icon;
    icon.paint(polygon({{10, 4}, {10, 20}, {1.5, 20}}), INK);
    icon.paint(polygon({{14, 4}, {14, 20}, {22.5, 20}}), PAPER);
    icon.paint(stroke({{14, 4}, {14, 20}, {22.5, 20}}, 1.5, true), INK);
    for (double y = 1; y < 23; y += 3) icon.paint(rect(11.5, y, 12.5, y + 1.8), INK);
    return icon;
}

Icon flipIcon() {
    Icon icon;
    icon.paint(polygon({{4, 10}, {20, 10}, {4, 1.5}}), INK);
    icon.paint(polygon({{4, 14}, {20, 14}, {4, 22.5}}), PAPER);
    icon.paint(stroke({{4, 14}, {20, 14}, {4, 22.5}}, 1.5, true), INK);
    for (double x = 1; x < 23; x += 3) icon.paint(rect(x, 11.5, x + 1.8, 12.5), INK);
    return icon;
}

// A stroked arc from a0 to a1 (degrees, clockwise) ending in an arrow head.
void arcArrow(Icon& icon, Point c, double r, double a0, double a1) {
    const double headDegrees = 3.2 / r * 180.0 / std::numbers::pi;
    icon.paint(stroke(arcPoints(c, r, a0, a1 - headDegrees), 1.5), INK);
    const double a = a1 * std::numbers::pi / 180.0;
    const Point tip{c.x + r * std::cos(a), c.y + r * std::sin(a)};
    icon.paint(arrowHead(tip, {-std::sin(a), std::cos(a)}, 4.0, 2.6), INK);
}

Icon rotateIcon() {
    Icon icon;
    icon.paint(dashed({{8.5, 3.5}, {15.5, 3.5}, {15.5, 20.5}, {8.5, 20.5}}, 1.0, 2, 1.5), INK);
    icon.paint(rect(3.5, 8.5, 20.5, 15.5), MID);
    icon.paint(rectOutline(3.5, 8.5, 20.5, 15.5, 1.0), INK);
    // Two curved arrows turning clockwise, in the free corners.
    for (double start : {-80.0, 100.0}) arcArrow(icon, {12, 12}, 10.3, start, start + 62);
    return icon;
}

// A bold arrow pointing down, turned by `degrees` (clockwise) for the other directions.
Icon arrowIcon(double degrees) {
    Icon icon;
    const Point c{12, 12};
    icon.paint(polygon(rotated({{10, 2}, {14, 2}, {14, 12}, {20, 12}, {12, 21}, {4, 12}, {10, 12}}, c, degrees)),
               INK);
    return icon;
}

// A return arrow: head at the left, a tail running right and bending back round.
Icon curvedArrowIcon(bool forward) {
    Icon icon;
    std::vector<Point> tail{{8, 8}, {13.5, 8}};
    for (const Point& p : arcPoints({13.5, 13.75}, 5.75, -90, 90)) tail.push_back(p);
    tail.push_back({7, 19.5});
    Shape shape = either(stroke(tail, 2.6), arrowHead({1.5, 8}, {-1, 0}, 7, 5));
    if (forward) shape = [shape](Point p) { return shape({SIZE - p.x, p.y}); };
    icon.paint(shape, INK);
    return icon;
}

Icon binIcon() {
    Icon icon;
    icon.paint(rectOutline(9, 2.5, 15, 5, 1.4, 0.8), INK);  // handle
    icon.paint(rect(3.5, 5, 20.5, 7.5, 0.8), INK);           // lid
    const std::vector<Point> body{{5.5, 8.5}, {18.5, 8.5}, {17, 22}, {7, 22}};
    icon.paint(polygon(body), PAPER);
    icon.paint(stroke(body, 1.5, true), INK);
    for (double x : {9.5, 12.0, 14.5}) icon.paint(stroke({{x, 11}, {x + (x - 12) * 0.1, 19.5}}, 1.2), INK);
    return icon;
}

Icon circlesIcon() {
    Icon icon;
    const Point a{8.5, 12}, b{15.5, 12};
    const double r = 6.6;
    // Hatching inside the right circle, under its outline.
    const Shape hatch = [](Point p) { return std::fmod(p.x + p.y + 100.0, 3.0) < 1.1; };
    icon.paint(both(disc(b, r), hatch), INK);
    icon.paint(ring(b, r, 1.5), INK);
    icon.paint(ring(a, r, 1.5), INK);
    return icon;
}

Icon addIcon() {
    Icon icon;
    icon.page(7.5, 1.5, 20.5, 16.5);
    icon.page(3.5, 6.5, 16.5, 22.5);
    icon.paint(rect(6.5, 13.5, 13.5, 15.5), INK);
    icon.paint(rect(9, 11, 11, 18), INK);
    return icon;
}

Icon minusIcon() {
    Icon icon;
    icon.paint(rect(3.5, 3.5, 20.5, 20.5, 2), PAPER);
    icon.paint(rectOutline(3.5, 3.5, 20.5, 20.5, 1.6, 2), INK);
    icon.paint(rect(7, 11, 17, 13.2), INK);
    return icon;
}

Icon anchorIcon() {
    Icon icon;
    icon.paint(ring({12, 4.2}, 2.2, 1.5), INK);                      // eye
    icon.paint(rect(11, 6.2, 13, 21), INK);                          // shank
    icon.paint(rect(6.5, 8.8, 17.5, 10.6, 0.9), INK);                // stock
    icon.paint(stroke(arcPoints({12, 12.5}, 8.5, 22, 158), 2), INK);  // arms
    icon.paint(arrowHead({21.2, 12.5}, {0.35, -1}, 4.2, 2.5), INK);  // flukes
    icon.paint(arrowHead({2.8, 12.5}, {-0.35, -1}, 4.2, 2.5), INK);
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icons folder>\n", argc > 0 ? argv[0] : "make_icons");
        return 2;
    }
    const std::vector<std::pair<const char*, Icon>> icons = {
        {"copy", copyIcon()},       {"paste", pasteIcon()},         {"fill", fillIcon()},
        {"dropper", dropperIcon()}, {"mirror", mirrorIcon()},       {"flip", flipIcon()},
        {"rotate", rotateIcon()},   {"down", arrowIcon(0)},         {"up", arrowIcon(180)},
        {"left", arrowIcon(90)},    {"right", arrowIcon(270)},      {"undo", curvedArrowIcon(false)},
        {"redo", curvedArrowIcon(true)}, {"bin", binIcon()},        {"circles", circlesIcon()},
        {"add", addIcon()},         {"minus", minusIcon()},         {"anchor", anchorIcon()},
    };
    int status = 0;
    for (const auto& [name, icon] : icons) {
        const std::string path = std::string(argv[1]) + "/" + name + ".png";
        if (!tools::writePng(path, SIZE, SIZE, tools::PngKind::GreyAlpha, icon.pixels())) {
            std::fprintf(stderr, "%s: write failed\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
