#include "imaging/colour_fit.h"

#include <array>
#include <cstddef>

#include "imaging/fixed_colour_table.h"

namespace imaging {

namespace {

// The table's index is RRRGGGBB and its colour is (L[R], L[G], LB[B]) for every index
// but 0, which is black instead of (0, 0, LB[0]). So apart from black the squared
// distance splits into one term per channel, and the nearest entry is found one
// channel at a time. Black is handled by splitting indices 1..255 into three boxes
// that are each a full product of channel levels:
//   indices 1..3    R = 0,  G = 0,  B >= 1
//   indices 4..31   R = 0,  G >= 1, B any
//   indices 32..255 R >= 1, G any,  B any
// and comparing their best entries with black in ascending index order.

struct ChannelFit {
    std::uint8_t best = 0;     // level with the smallest squared distance, lowest on a tie
    std::uint8_t bestAbove0 = 0;  // the same among levels 1 and up
    int dist = 0;              // squared distance to best
    int distAbove0 = 0;        // squared distance to bestAbove0
};

template <std::size_t N>
constexpr std::array<ChannelFit, 256> buildChannelFits(const std::array<int, N>& levels) {
    std::array<ChannelFit, 256> fits{};
    for (int v = 0; v < 256; ++v) {
        ChannelFit f;
        f.dist = 1 << 30;
        f.distAbove0 = 1 << 30;
        for (std::size_t k = 0; k < N; ++k) {
            const int d = (v - levels[k]) * (v - levels[k]);
            if (d < f.dist) {
                f.dist = d;
                f.best = static_cast<std::uint8_t>(k);
            }
            if (k > 0 && d < f.distAbove0) {
                f.distAbove0 = d;
                f.bestAbove0 = static_cast<std::uint8_t>(k);
            }
        }
        fits[static_cast<std::size_t>(v)] = f;
    }
    return fits;
}

constexpr std::array<int, 8> redGreenLevels() {
    std::array<int, 8> l{};
    for (int k = 0; k < 8; ++k) l[static_cast<std::size_t>(k)] = FIXED_COLOUR_TABLE[static_cast<std::size_t>(k << 5)].r;
    return l;
}

constexpr std::array<int, 4> blueLevels() {
    // Index 0 is black, so read blue level 0 from index 4 (red 0, green 1, blue 0).
    std::array<int, 4> l{};
    for (int k = 0; k < 4; ++k) l[static_cast<std::size_t>(k)] = FIXED_COLOUR_TABLE[static_cast<std::size_t>(4 + k)].b;
    return l;
}

constexpr std::array<ChannelFit, 256> RG_FITS = buildChannelFits(redGreenLevels());
constexpr std::array<ChannelFit, 256> B_FITS = buildChannelFits(blueLevels());

// The channels' best levels already placed at their bit positions, so the common case
// is three loads and two ORs.
struct IndexParts {
    std::array<std::uint8_t, 256> red{}, green{}, blue{};
};

constexpr IndexParts buildIndexParts() {
    IndexParts p;
    for (std::size_t v = 0; v < 256; ++v) {
        p.red[v] = static_cast<std::uint8_t>(RG_FITS[v].best << 5);
        p.green[v] = static_cast<std::uint8_t>(RG_FITS[v].best << 2);
        p.blue[v] = B_FITS[v].best;
    }
    return p;
}

constexpr IndexParts INDEX_PARTS = buildIndexParts();

// The full comparison with black; needed only for dark blue values.
std::uint8_t nearestNearBlack(int r, int g, int b) {
    const ChannelFit& fr = RG_FITS[static_cast<std::size_t>(r)];
    const ChannelFit& fg = RG_FITS[static_cast<std::size_t>(g)];
    const ChannelFit& fb = B_FITS[static_cast<std::size_t>(b)];

    int bestIndex = 0;
    int bestDist = r * r + g * g + b * b;  // black

    // Candidates in ascending index order, so strict '<' keeps the lowest index on a tie.
    const int d3 = r * r + g * g + fb.distAbove0;
    if (d3 < bestDist) {
        bestDist = d3;
        bestIndex = fb.bestAbove0;
    }
    const int d2 = r * r + fg.distAbove0 + fb.dist;
    if (d2 < bestDist) {
        bestDist = d2;
        bestIndex = (fg.bestAbove0 << 2) | fb.best;
    }
    const int d1 = fr.distAbove0 + fg.dist + fb.dist;
    if (d1 < bestDist) bestIndex = (fr.bestAbove0 << 5) | (fg.best << 2) | fb.best;
    return static_cast<std::uint8_t>(bestIndex);
}

// Black can match or beat the per-channel answer only when blue is nearer 0 than the
// lowest blue level (b <= 18 for level 36): red and green can do no better with black
// than with their own best levels. When the per-channel answer is index 0 itself, that
// stands for the missing colour (0, 0, LB[0]) and needs the full comparison too.
constexpr int BLACK_REACH = (FIXED_COLOUR_TABLE[4].b) / 2;

inline std::uint8_t fitPixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint8_t index = INDEX_PARTS.red[r] | INDEX_PARTS.green[g] | INDEX_PARTS.blue[b];
    if (b > BLACK_REACH && index != 0) [[likely]]
        return index;
    return nearestNearBlack(r, g, b);
}

bool pixelsPresent(const Picture& picture) {
    if (picture.empty()) return false;
    const std::size_t needed = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3;
    return picture.rgb.size() >= needed;
}

template <typename Fit>
IndexedPicture convertWith(const Picture& picture, Fit fit) {
    IndexedPicture out;
    if (!pixelsPresent(picture)) return out;
    out.width = picture.width;
    out.height = picture.height;
    out.stride = (picture.width + 3) & ~3;
    out.pixels.assign(static_cast<std::size_t>(out.stride) * static_cast<std::size_t>(out.height), 0);
    const std::size_t w = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* src = picture.pixel(0, y);
        std::uint8_t* dst = &out.pixels[static_cast<std::size_t>(picture.height - 1 - y) * static_cast<std::size_t>(out.stride)];
        for (std::size_t x = 0; x < w; ++x, src += 3) dst[x] = fit(src[0], src[1], src[2]);
    }
    return out;
}

}  // namespace

std::uint8_t nearestFixedIndex(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return fitPixel(r, g, b); }

// A lambda, not the function's address: the row loop then calls fitPixel directly
// and the compiler inlines it, where a function pointer costs an indirect call per pixel.
IndexedPicture convertToIndexed(const Picture& picture) {
    return convertWith(picture, [](std::uint8_t r, std::uint8_t g, std::uint8_t b) { return fitPixel(r, g, b); });
}

// LEVELS_3BIT[k] is k's three bits repeated down the byte (0x49 = 010 010 01), so
// the reduction is shifts and ORs on each byte, which the compiler turns into
// vector code; a table look-up per byte is slower.
constexpr std::uint8_t expandTopThreeBits(std::uint8_t v) {
    const unsigned top = v & 0xE0u;
    return static_cast<std::uint8_t>(top | (top >> 3) | (top >> 6));
}

static_assert([] {
    for (unsigned v = 0; v < 256; ++v)
        if (expandTopThreeBits(static_cast<std::uint8_t>(v)) != LEVELS_3BIT[v >> 5]) return false;
    return true;
}());

void reduceTo9Bit(Picture& picture) {
    if (!pixelsPresent(picture)) return;
    // Every channel goes through the same mapping, so the pixels are one run of bytes.
    const std::size_t n = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3;
    std::uint8_t* p = picture.rgb.data();
    for (std::size_t i = 0; i < n; ++i) p[i] = expandTopThreeBits(p[i]);
}

}  // namespace imaging
