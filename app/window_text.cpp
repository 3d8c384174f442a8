#include "app/window_text.h"

#include "app/program.h"
#include "toolkit/dialogs.h"
#include "toolkit/text_number.h"
#include "ui/window_main.h"

namespace app {

int numberIn(const Program& program, ui::Control control) {
    return program.window ? toolkit::textToNumber(program.window->controlText(control)) : 0;
}

void setSpin(Program& program, ui::Control control, int value) {
    program.window->setControlState(control, value);
    program.window->setControlText(control, QString::number(value));
}

void showSpriteCount(Program& program) {
    program.window->setControlText(ui::Control::GadgetSpriteCount, QString::number(program.model.spriteCount - 1));
}

void setStatus(Program& program, const QString& text, int progress) { program.window->setStatus(text, progress); }

bool confirm(Program& program, const QString& title, const QString& text) {
    return program.dialogs->askYesNo(title, text);
}

}  // namespace app
