#include "io/colour_pal_file.h"

#include "io/safe_write.h"

namespace io {

model::Result<> saveColourPalette(const palette::ColourUseMarkers& markers, const std::filesystem::path& path) {
    const auto bytes = palette::colourPaletteBytes(markers);
    return writeFileReplacing(path, bytes);
}

}  // namespace io
