#pragma once
// The command table: every menu number, shortcut, control and canvas of the window
// maps to one named command here. A command asks its confirmation, changes the
// model, redraws exactly the views that changed and sets its status text.

#include <QObject>
#include <QStringList>

#include "toolkit/canvas_event.h"
#include "ui/control_ids.h"

namespace app {

struct Program;

class CommandTable : public QObject {
    Q_OBJECT
public:
    explicit CommandTable(Program& program, QObject* parent = nullptr);

    // Connects the window's events and the animation timer to the table.
    void connectWindow();

    void handleMenu(int number);
    void handleControl(ui::Control control, ui::ControlEvent event);
    void handleCanvas(ui::Control control, const toolkit::CanvasEvent& event);
    void handleDrop(const QStringList& files);
    void animationTick();

private:
    Program& program_;
};

}  // namespace app
