#pragma once
// Start-up and shut-down of one editor run. startEditor builds everything in the
// fixed start-up order and hands back the running session; tests call it with
// scripted dialogs and a temporary working folder.

#include <QString>

#include <memory>

#include "app/program.h"

class QTimer;

namespace app {

class CommandTable;

struct Session {
    Program program;
    std::unique_ptr<ui::WindowMain> window;
    std::unique_ptr<CommandTable> commands;
    ~Session();
};

// Runs the start-up steps with `workingDir` as the working folder (where the palette
// file is read and the file list points). On a palette that cannot be read it shows
// the "ERROR!" box through `dialogs` and returns null: no window is ever built.
// The window is built but not shown.
std::unique_ptr<Session> startEditor(toolkit::Dialogs& dialogs, const QString& workingDir);

}  // namespace app
