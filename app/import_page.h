#pragma once
// The "Import" page: loading a picture onto the import canvas (fitted to the
// machine's colours), cutting it into sprites, and exporting an area of it as an
// 8-bit bitmap.

#include <QString>
#include <QStringList>

namespace app {

struct Program;

// Loads a picture (an empty name asks the user), fits it to the fixed colour table
// or reduces it to 9-bit colour, draws it at (0, 0) and sets the resize fields to
// its size. A file that cannot be loaded changes nothing. Returns true when drawn.
bool loadImportImage(Program& program, const QString& fileName);
// Files dropped on the import canvas: the first name is loaded, the rest ignored.
// A name holding line feeds (several names joined) counts up to its first one.
// An empty list does nothing (no dialog). Returns true when drawn.
bool loadDroppedImage(Program& program, const QStringList& files);
// The name loadDroppedImage takes from the list, empty for none.
QString firstDroppedName(const QStringList& files);
// Clears the import canvas to its background (the "9 Bit" box and the shift sliders).
void clearImportCanvas(Program& program);
// Cuts across x down 16 x 16 blocks from (gx, gy) into the current and following
// sprites, then shows "Success" / "Imported sprites : n". across is taken as 0..16
// and down as 0..4, the ranges of their fields. Canvas pixels of no palette colour,
// and pixels beyond the canvas, leave their grid cells as they were.
void importSprites(Program& program, int gx, int gy, int across, int down);
// "Export BMP": asks for a name and writes the area as an 8-bit bitmap.
void exportBitmap(Program& program);

}  // namespace app
