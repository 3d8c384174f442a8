// Draws the three palette pictures that the palette canvas shows, out of flat
// swatches whose colours all come from FIXED_COLOUR_TABLE, so a click on any swatch
// reads back a palette entry by its exact colour.
//
//   make_palette_pictures <resources folder>
//
// writes palette0.png, palette1.png (640 x 445, indexed) and palette2.bmp (257 x 193,
// 8-bit). Every pixel's index is its FIXED_COLOUR_TABLE index; the background is
// black (index 0).
//
// The canvas shows a picture stretched (nearest neighbour) to 550 x 388 at (2, 2)
// and picks the colour at canvas (hx * 20 + 2, hy * 14 + 2) for a click anywhere in
// the 20 x 14 half-cell (hx, hy). Swatches are therefore laid out in whole half-cells
// ("units") of the stretched picture: a unit starts 2 pixels before its sample point,
// so whatever point of a swatch is clicked, the colour read is that swatch's.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "imaging/bmp8.h"
#include "imaging/fixed_colour_table.h"
#include "tools/png_writer.h"

namespace {

using imaging::FIXED_COLOUR_TABLE;

constexpr int SHOWN_WIDTH = 550, SHOWN_HEIGHT = 388;  // stretched size on the canvas
constexpr int UNIT_W = 20, UNIT_H = 14;                // the canvas's half-cell
constexpr int UNITS_X = 28, UNITS_Y = 28;              // half-cells a click can reach
constexpr int FRAME_GREY = 0x6D;                       // (0x6D, 0x6D, 0x6D)

// ---------------------------------------------------------------- colour measures

struct Lab {
    double l = 0, a = 0, b = 0;
};

Lab toLab(double r8, double g8, double b8) {
    auto lin = [](double v) {
        const double c = v / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double r = lin(r8), g = lin(g8), b = lin(b8);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

struct EntryInfo {
    Lab lab;
    double chroma = 0;
    double hue = 0;  // HSV hue in degrees, red at 0
};

std::array<EntryInfo, 256> describeTable() {
    std::array<EntryInfo, 256> info{};
    for (int i = 0; i < 256; ++i) {
        const imaging::Rgb c = FIXED_COLOUR_TABLE[i];
        EntryInfo& e = info[i];
        e.lab = toLab(c.r, c.g, c.b);
        e.chroma = std::hypot(e.lab.a, e.lab.b);
        const int mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
        const double d = mx - mn;
        double h = 0;
        if (d > 0) {
            if (mx == c.r) h = std::fmod((c.g - c.b) / d + 6.0, 6.0);
            else if (mx == c.g) h = (c.b - c.r) / d + 2.0;
            else h = (c.r - c.g) / d + 4.0;
        }
        e.hue = h * 60.0;
    }
    return info;
}

const std::array<EntryInfo, 256>& tableInfo() {
    static const std::array<EntryInfo, 256> info = describeTable();
    return info;
}

// Hue as a sort key that starts the circle just below pure red, so deep pinks sit
// at the end next to magenta and reds open the row.
double hueKey(int index) { return std::fmod(tableInfo()[index].hue + 360.0 - 345.0, 360.0); }

// HSV (degrees, 0..1, 0..1) to 0..255 channels.
std::array<double, 3> hsv(double h, double s, double v) {
    h = std::fmod(h, 360.0) / 60.0;
    const int k = static_cast<int>(h);
    const double f = h - k, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    std::array<double, 3> rgb{};
    switch (k % 6) {
        case 0: rgb = {v, t, p}; break;
        case 1: rgb = {q, v, p}; break;
        case 2: rgb = {p, v, t}; break;
        case 3: rgb = {p, q, v}; break;
        case 4: rgb = {t, p, v}; break;
        default: rgb = {v, p, q}; break;
    }
    for (double& c : rgb) c *= 255.0;
    return rgb;
}

// The table entry nearest in Lab to a wanted colour, skipping the entries in `avoid`.
int nearestEntry(const std::array<double, 3>& rgb, const std::set<int>& avoid = {}) {
    const Lab want = toLab(rgb[0], rgb[1], rgb[2]);
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < 256; ++i) {
        if (avoid.count(i)) continue;
        const Lab& l = tableInfo()[i].lab;
        const double d = (l.l - want.l) * (l.l - want.l) + (l.a - want.a) * (l.a - want.a) +
                         (l.b - want.b) * (l.b - want.b);
        if (best < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    return best;
}

// Entries sorted by chroma, least colourful first; the first n are the neutrals.
std::vector<int> byChroma() {
    std::vector<int> order(256);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [](int a, int b) { return tableInfo()[a].chroma < tableInfo()[b].chroma; });
    return order;
}

void sortByLightness(std::vector<int>& entries, bool darkFirst) {
    std::stable_sort(entries.begin(), entries.end(), [darkFirst](int a, int b) {
        const double la = tableInfo()[a].lab.l, lb = tableInfo()[b].lab.l;
        return darkFirst ? la < lb : la > lb;
    });
}

// Splits entries sorted by hue into `groups` runs of near-equal length.
std::vector<std::vector<int>> hueGroups(std::vector<int> entries, int groups) {
    std::stable_sort(entries.begin(), entries.end(), [](int a, int b) { return hueKey(a) < hueKey(b); });
    std::vector<std::vector<int>> out(static_cast<std::size_t>(groups));
    const std::size_t n = entries.size();
    for (std::size_t i = 0; i < n; ++i) out[i * groups / n].push_back(entries[i]);
    return out;
}

// ---------------------------------------------------------------- the swatch layout

// A picture being drawn: pixels top row first, plus which entry each half-cell of
// the canvas should read, to check the drawing against.
struct Chart {
    int width, height, gutter;
    std::vector<std::uint8_t> pixels;
    std::array<std::array<int, UNITS_X>, UNITS_Y> expected{};

    Chart(int w, int h, int g) : width(w), height(h), gutter(g), pixels(static_cast<std::size_t>(w) * h, 0) {}

    // Picture column / row where the unit boundary u lies (2 stretched pixels before
    // the unit's sample point).
    int edgeX(int u) const {
        return std::clamp(static_cast<int>(std::lround((u * UNIT_W - 2) * double(width) / SHOWN_WIDTH)), 0, width);
    }
    int edgeY(int u) const {
        return std::clamp(static_cast<int>(std::lround((u * UNIT_H - 2) * double(height) / SHOWN_HEIGHT)), 0, height);
    }

    // A flat swatch over units [ux, ux + uw) x [uy, uy + uh), with a black gutter on
    // its right and bottom edges (away from the sample points).
    void swatch(int ux, int uy, int uw, int uh, int index) {
        const int x0 = edgeX(ux), x1 = edgeX(ux + uw) - gutter;
        const int y0 = edgeY(uy), y1 = edgeY(uy + uh) - gutter;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(index);
        for (int v = uy; v < uy + uh && v < UNITS_Y; ++v)
            for (int u = ux; u < ux + uw && u < UNITS_X; ++u) expected[v][u] = index;
        // Black would vanish into the background: ring it in grey, in the gutters
        // around it, where no sample point lies.
        if (index == 0) {
            for (int x = std::max(0, x0 - 1); x <= std::min(width - 1, x1); ++x) {
                if (y0 > 0) set(x, y0 - 1, FRAME_GREY);
                if (y1 < height) set(x, y1, FRAME_GREY);
            }
            for (int y = std::max(0, y0 - 1); y <= std::min(height - 1, y1); ++y) {
                if (x0 > 0) set(x0 - 1, y, FRAME_GREY);
                if (x1 < width) set(x1, y, FRAME_GREY);
            }
        }
    }

    void set(int x, int y, int index) { pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(index); }

    // The picture pixel a click in half-cell (hx, hy) reads, for the two usual ways
    // of sampling when stretching: at the left/top edge or at the centre of a pixel.
    std::uint8_t sample(int hx, int hy, bool centred) const {
        const double off = centred ? 0.5 : 0.0;
        const int x = std::min(width - 1, static_cast<int>((hx * UNIT_W + off) * width / SHOWN_WIDTH));
        const int y = std::min(height - 1, static_cast<int>((hy * UNIT_H + off) * height / SHOWN_HEIGHT));
        return pixels[static_cast<std::size_t>(y) * width + x];
    }

    // Every reachable half-cell reads its swatch's entry (or black outside swatches)
    // under both samplings; returns the entries a click can pick.
    std::set<int> verify(const char* name) const {
        std::set<int> pickable;
        bool ok = true;
        for (int hy = 0; hy < UNITS_Y; ++hy)
            for (int hx = 0; hx < UNITS_X; ++hx) {
                if (hx * UNIT_W >= SHOWN_WIDTH - 2 || hy * UNIT_H >= SHOWN_HEIGHT - 2) continue;
                for (bool centred : {false, true})
                    if (sample(hx, hy, centred) != expected[hy][hx]) ok = false;
                pickable.insert(sample(hx, hy, true));
            }
        if (!ok) std::fprintf(stderr, "%s: a half-cell reads a colour other than its swatch\n", name);
        return ok ? pickable : std::set<int>{};
    }
};

// Picture 0: a hue/brightness field, a rainbow strip and, at the bottom, a dark to
// bright ramp for every hue family (plus one of neutrals) that holds every entry.
Chart drawPicture0() {
    Chart chart(640, 445, 2);
    constexpr int columns = 27;
    // Field: 27 hues across; tints at the top, full colour, then shades downwards.
    for (int c = 0; c < columns; ++c) {
        const double h = c * 360.0 / columns;
        for (int r = 0; r < 12; ++r) {
            const double s = r < 5 ? 0.2 + 0.2 * r : 1.0;
            const double v = r < 5 ? 1.0 : 1.0 - 0.1 * (r - 4);
            chart.swatch(c, r, 1, 1, nearestEntry(hsv(h, s, v)));
        }
    }
    // Rainbow: the most vivid entry for 27 hues between those of the field.
    for (int c = 0; c < columns; ++c) {
        const std::array<double, 3> want = hsv((c + 0.5) * 360.0 / columns, 1.0, 1.0);
        int best = 0;
        double bestDistance = 1e9;
        for (int i = 0; i < 256; ++i) {
            const imaging::Rgb e = FIXED_COLOUR_TABLE[i];
            const double d = std::pow(e.r - want[0], 2) + std::pow(e.g - want[1], 2) + std::pow(e.b - want[2], 2);
            if (d < bestDistance) best = i, bestDistance = d;
        }
        chart.swatch(c, 13, 1, 2, best);
    }
    // Ramps: the 23 least colourful entries, then ten hue families, dark to bright.
    // Black is left out: it is the background all around.
    std::vector<int> order = byChroma();
    order.erase(std::find(order.begin(), order.end(), 0));
    std::vector<std::vector<int>> ramps{std::vector<int>(order.begin(), order.begin() + 23)};
    for (auto& family : hueGroups(std::vector<int>(order.begin() + 23, order.end()), 10)) ramps.push_back(family);
    for (std::size_t r = 0; r < ramps.size(); ++r) {
        sortByLightness(ramps[r], true);
        for (std::size_t i = 0; i < ramps[r].size(); ++i)
            chart.swatch(static_cast<int>(i), 16 + static_cast<int>(r), 1, 1, ramps[r][i]);
    }
    return chart;
}

// Picture 1: every entry once. 24 hue columns of 10, light at the top, and below
// them the 16 least colourful entries as large neutral swatches, light to dark.
Chart drawPicture1() {
    Chart chart(640, 445, 2);
    const std::vector<int> order = byChroma();
    std::vector<int> neutrals(order.begin(), order.begin() + 16);
    const auto columns = hueGroups(std::vector<int>(order.begin() + 16, order.end()), 24);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::vector<int> column = columns[c];
        sortByLightness(column, false);
        for (std::size_t r = 0; r < column.size(); ++r)
            chart.swatch(2 + static_cast<int>(c), 2 * static_cast<int>(r), 1, 2, column[r]);
    }
    sortByLightness(neutrals, false);
    for (int i = 0; i < 16; ++i) chart.swatch(2 + 3 * (i % 8), 21 + 3 * (i / 8), 3, 3, neutrals[static_cast<std::size_t>(i)]);
    return chart;
}

// Picture 2: a selection of about 140 entries, 13 columns of 11: a grey ramp, then
// twelve hues 30 degrees apart from light to dark, no entry twice.
Chart drawPicture2() {
    Chart chart(257, 193, 1);
    std::set<int> used;
    auto place = [&](int c, int r, const std::array<double, 3>& want) {
        const int index = nearestEntry(want, used);
        used.insert(index);
        chart.swatch(1 + 2 * c, 3 + 2 * r, 2, 2, index);
    };
    // Greys: the eleven least colourful entries after black (the background).
    const std::vector<int> order = byChroma();
    std::vector<int> greys;
    for (int i : order)
        if (i != 0 && greys.size() < 11) greys.push_back(i);
    sortByLightness(greys, false);
    for (int r = 0; r < 11; ++r) {
        used.insert(greys[static_cast<std::size_t>(r)]);
        chart.swatch(1, 3 + 2 * r, 2, 2, greys[static_cast<std::size_t>(r)]);
    }
    used.insert(0);
    for (int c = 1; c < 13; ++c)
        for (int r = 0; r < 11; ++r) {
            // HSL lightness from 0.92 down to 0.12 at full saturation.
            const double l = 0.92 - 0.08 * r;
            const double s = l < 0.5 ? l : 1.0 - l;
            const std::array<double, 3> pure = hsv((c - 1) * 30.0, 1.0, 1.0);
            std::array<double, 3> want{};
            for (int k = 0; k < 3; ++k) want[k] = 255.0 * (l - s) + pure[k] * 2.0 * s;
            place(c, r, want);
        }
    return chart;
}

bool writeIndexedPng(const std::string& path, const Chart& chart) {
    return tools::writePng(path, chart.width, chart.height, tools::PngKind::Indexed, chart.pixels);
}

bool writeBitmap(const std::string& path, const Chart& chart) {
    imaging::IndexedPicture picture;
    picture.width = chart.width;
    picture.height = chart.height;
    picture.stride = imaging::bitmapStride(chart.width);
    picture.pixels.assign(static_cast<std::size_t>(picture.stride) * chart.height, 0);
    for (int y = 0; y < chart.height; ++y)
        std::copy_n(chart.pixels.begin() + static_cast<std::ptrdiff_t>(y) * chart.width, chart.width,
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(chart.height - 1 - y) * picture.stride);
    const std::vector<std::uint8_t> bytes = imaging::encodeBitmap(picture);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argc > 0 ? argv[0] : "make_palette_pictures");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const Chart pictures[3] = {drawPicture0(), drawPicture1(), drawPicture2()};
    const char* names[3] = {"palette0.png", "palette1.png", "palette2.bmp"};
    int status = 0;
    for (int p = 0; p < 3; ++p) {
        const std::set<int> pickable = pictures[p].verify(names[p]);
        if (pickable.empty() || (p < 2 && pickable.size() != 256)) {
            std::fprintf(stderr, "%s: only %zu entries can be picked\n", names[p], pickable.size());
            status = 1;
        }
        const std::string path = folder + names[p];
        const bool ok = p < 2 ? writeIndexedPng(path, pictures[p]) : writeBitmap(path, pictures[p]);
        if (!ok) {
            std::fprintf(stderr, "%s: write failed\n", path.c_str());
            status = 1;
        } else {
            std::printf("%s: %zu entries to pick\n", path.c_str(), pickable.size());
        }
    }
    return status;
}
