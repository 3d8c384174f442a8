#pragma once
// Saving the palette as a file: the bytes of the layout asked for (encoded by
// palette/palette_formats.h) through safe replacement.
//
//   auto format = palette::paletteFormatForPath(path);   // or the dialog's filter
//   if (format) io::savePaletteFile(program.palette, *format, path);

#include <filesystem>

#include "model/result.h"
#include "palette/palette.h"
#include "palette/palette_formats.h"

namespace io {

// Writes the palette's first 256 entries through writeFileReplacing (and fails as it
// does, leaving any former file as it was). A GIMP palette is named after the file.
model::Result<> savePaletteFile(const palette::Palette& palette, palette::PaletteFormat format,
                                const std::filesystem::path& path);

}  // namespace io
