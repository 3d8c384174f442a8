// The editor's entry point: no arguments, no settings; the working folder is the
// folder the program was started in.
#include <QApplication>
#include <QDir>

#include "toolkit/dialogs.h"
#include "app/startup.h"
#include "ui/window_main.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    toolkit::QtDialogs dialogs;
    auto session = app::startEditor(dialogs, QDir::currentPath());
    if (!session) return 1;  // the palette could not be read; the user has been told
    session->window->show();
    return application.exec();
}
