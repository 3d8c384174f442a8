#pragma once
// The mouse tools of the four canvases of the "Design" and "Import" pages. The
// command table hands every canvas event here; the tools change the model, draw
// the touched cell and small previews, and store undo snapshots on releases.

#include "toolkit/canvas_event.h"

namespace app {

struct Program;

// Pen, fill and dropper on the magnified grid; the cursor text; a snapshot on every release.
void editorCanvasEvent(Program& program, const toolkit::CanvasEvent& event);
// Left and right colour choice, slot assignment on double click or middle drag.
void paletteCanvasEvent(Program& program, const toolkit::CanvasEvent& event);
// Choosing a colour slot.
void slotCanvasEvent(Program& program, const toolkit::CanvasEvent& event);
// Right-drag moves the grab corner.
void importCanvasEvent(Program& program, const toolkit::CanvasEvent& event);

}  // namespace app
