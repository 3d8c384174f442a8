#pragma once
// The "Import" page: loading a picture onto the import canvas (fitted to the
// machine's colours), cutting it into sprites, and exporting an area of it as an
// 8-bit bitmap.

#include <QString>

namespace app {

struct Program;

// Loads a picture (an empty name asks the user), fits it to the fixed colour table
// or reduces it to 9-bit colour, draws it at (0, 0) and sets the resize fields to
// its size. A file that cannot be loaded changes nothing. Returns true when drawn.
bool loadImportImage(Program& program, const QString& fileName);
// Clears the import canvas to its background (the "9 Bit" box and the shift sliders).
void clearImportCanvas(Program& program);
// Cuts across x down 16 x 16 blocks from (gx, gy) into the current and following sprites.
void importSprites(Program& program, int gx, int gy, int across, int down);
// "Export BMP": asks for a name and writes the area as an 8-bit bitmap.
void exportBitmap(Program& program);

}  // namespace app
