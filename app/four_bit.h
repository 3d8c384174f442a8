#pragma once
// The window's side of 4-bit sheets: the "4-bit sprites" switch and the bank box on
// the "Design" page, the ranges that follow how many sprites the sheet holds, and the
// rule that a 4-bit sheet paints only the colours of its bank.

#include <optional>

namespace app {

struct Program;

// The switch was clicked: asks first (to 4-bit: in which bank and how many pixels
// change colour; to 8-bit: that it is exact, and which sprites are kept aside), then
// converts the sheet and redraws everything. No puts the switch back.
void switchSpriteDepth(Program& program);

// The bank box changed: a 4-bit sheet shows through the new bank, no pixel value
// changes, and the mouse colours move to the same values in the new bank; on an 8-bit
// sheet the box only chooses the bank a switch to 4-bit fits to. A number past 15 is
// refused and the box shows the bank again.
void changeBank(Program& program);

// The switch, the bank box and the ranges of the sprite-numbered spin boxes as the
// sheet's kind sets them.
void showSpriteDepth(Program& program);

// The palette entry a chosen colour paints with: index itself where the sheet can
// paint it, on a 4-bit sheet else the bank's entry of the same colour. Without one the
// status bar says why and nothing is chosen.
std::optional<int> paintableIndex(Program& program, int index);

}  // namespace app
