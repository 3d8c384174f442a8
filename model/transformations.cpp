#include "model/transformations.h"

namespace model {

namespace {
constexpr int N = SPRITE_SIDE;
constexpr int LAST = SPRITE_SIDE - 1;

// Builds the new grid from a rule giving, for each new cell, the old cell it takes.
template <typename Source>
void permute(SpriteGrid& grid, Source source) {
    const SpriteGrid old = grid;
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const auto [sx, sy] = source(x, y);
            grid.cell(x, y) = old.cell(sx, sy);
        }
}

struct Cell {
    int x, y;
};
}  // namespace

void rotateClockwise(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{y, LAST - x}; });
}
void mirrorLeftRight(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{LAST - x, y}; });
}
void flipTopBottom(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{x, LAST - y}; });
}
void scrollUp(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{x, (y + 1) % N}; });
}
void scrollDown(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{x, (y + LAST) % N}; });
}
void scrollLeft(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{(x + 1) % N, y}; });
}
void scrollRight(SpriteGrid& g) {
    permute(g, [](int x, int y) { return Cell{(x + LAST) % N, y}; });
}

}  // namespace model
