#pragma once
// "Save Colour Pal": the 512-byte "colors.pal" listing the palette indices in use as
// Next 9-bit palette byte pairs (index, 0), built from the colour-use markers of the
// last colour count. The save does not recount.

#include <filesystem>

#include "model/result.h"
#include "palette/colour_use.h"

namespace io {

// Writes the file through writeFileReplacing (and fails as it does), leaving any former
// file as it was when the write fails.
model::Result<> saveColourPalette(const palette::ColourUseMarkers& markers, const std::filesystem::path& path);

}  // namespace io
