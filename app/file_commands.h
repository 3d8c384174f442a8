#pragma once
// The sprite file commands with their dialogs, status texts and window titles,
// and "Save Colour Pal".

#include <QString>

namespace app {

struct Program;

// An empty name asks the user. refreshSheetView redraws the sheet preview before
// the success message. A file that cannot be opened, or is empty, changes nothing.
void loadSpriteSheet(Program& program, const QString& fileName, bool refreshSheetView);
void saveAllSprites(Program& program);
void saveSpriteRange(Program& program);
void quickSave(Program& program);
void exportSprite(Program& program);
void saveColourPalette(Program& program);

}  // namespace app
