#pragma once
// The "Output" page: the assembly listing of the sprites in use, generated into
// GadgetAsmText (on a worker thread, from the "Generate" button or the pop-up), copied to the
// clipboard, selected and saved.

namespace app {

struct Program;

// "Generate": stores the grid, copies the sheet, and builds the listing on a worker
// thread; lines reach the text area on the event thread. Ignored while a run is on.
void startAsmListing(Program& program);
// The pop-up item "Generate": the same run on the same worker, so the window never
// waits for the listing.
void generateAsmListing(Program& program);
// "Copy to clipboard" and the pop-up "Copy".
void copyListingSelection(Program& program);
// The pop-up "Select All".
void selectAllListing(Program& program);
// "Save ASM".
void saveAsmOutput(Program& program);

}  // namespace app
