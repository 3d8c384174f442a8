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

// The folder of the program's own files (the default palette): SHIPPED_PALETTE_DIR
// beside the running program's folder, so an install under any prefix finds it.
// Needs the application object.
QString shippedDataDir();

// Runs the start-up steps with `workingDir` as the working folder (where the palette
// file is read first and the file list points); `shippedDir` holds the default
// palette used when the working folder has none that reads (empty: shippedDataDir()).
// When neither reads it shows the "ERROR!" box through `dialogs` and returns null:
// no window is ever built. The window is built but not shown.
std::unique_ptr<Session> startEditor(toolkit::Dialogs& dialogs, const QString& workingDir,
                                     const QString& shippedDir = QString());

}  // namespace app
