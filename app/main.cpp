// The editor's entry point. Without arguments it starts the editor, whose working
// folder is the folder the program was started in; with arguments it runs a batch
// command (app/batch.h) and never opens a window or needs a display.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include "toolkit/dialogs.h"
#include "app/batch.h"
#include "app/startup.h"
#include "ui/window_main.h"

int main(int argc, char** argv) {
    if (argc > 1) {
        // Not a GUI application: it only tells where the program lives.
        QCoreApplication core(argc, argv);
        return app::runBatch(QCoreApplication::arguments(), app::shippedDataDir());
    }
    QApplication application(argc, argv);
    toolkit::QtDialogs dialogs;
    auto session = app::startEditor(dialogs, QDir::currentPath());
    if (!session) return 1;  // no palette could be read; the user has been told
    session->window->show();
    return application.exec();
}
