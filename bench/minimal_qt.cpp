// The floor the editor's start-up is weighed against: the least a Qt 6 Widgets
// program with the editor's outline does, a main window holding a panel of six
// pages with one button each. tools/measure_startup.sh launches it beside the
// editor and mtPaint; it is no benchmark of its own and links Qt alone.
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal Qt"));
    auto* tabs = new QTabWidget(&window);
    for (int page = 1; page <= 6; ++page) {
        auto* widget = new QWidget;
        new QPushButton(QStringLiteral("Button %1").arg(page), widget);
        tabs->addTab(widget, QStringLiteral("Page %1").arg(page));
    }
    window.setCentralWidget(tabs);
    window.resize(1150, 680);
    window.show();
    return application.exec();
}
