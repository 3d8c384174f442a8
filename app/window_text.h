#pragma once
// Small steps every command takes on the window: reading a number from a
// control's text, writing a spin box, showing the sprite count, the status bar
// and the yes/no question before a destructive command.

#include <QString>

#include "ui/control_ids.h"

namespace app {

struct Program;

// The number a control's text holds, by the program's one number rule.
int numberIn(const Program& program, ui::Control control);
// A spin box's value and its text together.
void setSpin(Program& program, ui::Control control, int value);
// "Sprites in use" as the user counts them (one less than spriteCount).
void showSpriteCount(Program& program);
void setStatus(Program& program, const QString& text, int progress = 0);
// Yes/No box; true only for Yes.
bool confirm(Program& program, const QString& title, const QString& text);

}  // namespace app
