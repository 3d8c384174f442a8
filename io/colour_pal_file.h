#pragma once
// "Save Colour Pal": the 512-byte "colors.pal" listing the palette indices in use as
// Next 9-bit palette byte pairs (index, 0), built from the colour-use markers of the
// last colour count. The save does not recount.

#include <filesystem>

#include "palette/colour_use.h"

namespace io {

// Writes the file through writeFileReplacing; false when it could not be written, in
// which case any former file is left as it was. The caller shows nothing either way.
bool saveColourPalette(const palette::ColourUseMarkers& markers, const std::filesystem::path& path);

}  // namespace io
