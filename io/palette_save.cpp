#include "io/palette_save.h"

#include "io/safe_write.h"

namespace io {

model::Result<> savePaletteFile(const palette::Palette& palette, palette::PaletteFormat format,
                                const std::filesystem::path& path) {
    const std::string name = displayName(path.stem());
    return writeFileReplacing(path, palette::encodePaletteFile(palette, format, name.empty() ? "palette" : name));
}

}  // namespace io
