// Writes the default palette file: the 256 colours of FIXED_COLOUR_TABLE in index
// order, three bytes (red, green, blue) each, 768 bytes in all. Its output is
// committed as resources/rgb9spreada.pal.
//
//   make_default_palette <output path>

#include <cstdio>
#include <vector>

#include "imaging/fixed_colour_table.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output path>\n", argc > 0 ? argv[0] : "make_default_palette");
        return 2;
    }
    std::vector<unsigned char> bytes;
    bytes.reserve(768);
    for (const imaging::Rgb& c : imaging::FIXED_COLOUR_TABLE) {
        bytes.push_back(c.r);
        bytes.push_back(c.g);
        bytes.push_back(c.b);
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "%s: write failed\n", argv[1]);
        return 1;
    }
    return 0;
}
