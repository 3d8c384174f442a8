#pragma once
// What the "Import" page's commands share: the import canvas as the one store of
// the loaded picture (drawing a picture onto it, copying an area back out), the
// resize fields that a load and an export set, and file names between Qt and the
// file layer.

#include <QString>

#include <filesystem>

#include "toolkit/colour.h"
#include "imaging/import_fit.h"
#include "imaging/picture.h"

class QImage;

namespace toolkit {
class Canvas;
}

namespace app {

struct Program;

// Background of the import canvas, where no picture is drawn.
inline constexpr int IMPORT_BACKGROUND =
    toolkit::rgbColour(imaging::IMPORT_BACKGROUND.r, imaging::IMPORT_BACKGROUND.g, imaging::IMPORT_BACKGROUND.b);

// The import canvas of the program's window.
toolkit::Canvas& importCanvas(Program& program);

// Fills the canvas with the background and draws the picture at (0, 0) at its own
// size; what lies beyond the surface is cut off.
void drawOnImportCanvas(toolkit::Canvas& canvas, const imaging::Picture& picture);

// The w x h area at the canvas origin as a true-colour picture; pixels beyond the
// surface are the background colour. An empty picture for w or h below 1.
imaging::Picture copyImportArea(const QImage& surface, int w, int h);

// GadgetResizeWidth / GadgetResizeHeight: both the value and the decimal text.
void setResizeFields(Program& program, int width, int height);

// The folder the file dialogs start in, ending in one separator: the program's
// working folder, or the process's current folder when none is set.
QString dialogFolder(const Program& program);

// A name from a dialog or a drop as the file layer takes it.
std::filesystem::path localPath(const QString& name);

}  // namespace app
