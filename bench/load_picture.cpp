// Loads the picture files named on the command line, one after another, the way
// the import page does, and prints each size (or "refused"). Run under
// /usr/bin/time -v by picture_memory.sh to see a load's peak memory.

#include "imaging/picture_load.h"

#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const auto picture = imaging::loadPicture(argv[i]);
        if (picture)
            std::printf("%s: %d x %d\n", argv[i], picture->width, picture->height);
        else
            std::printf("%s: refused\n", argv[i]);
    }
    return 0;
}
