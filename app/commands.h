#pragma once
// The command table: every menu number, shortcut, control and canvas of the window
// maps to one named command here. A command asks its confirmation, changes the
// model, redraws exactly the views that changed and sets its status text.

#include <QObject>
#include <QKeyCombination>
#include <QStringList>

#include <optional>
#include <vector>

#include "toolkit/canvas_event.h"
#include "ui/control_ids.h"

namespace ui {
class WindowMain;
}

namespace app {

struct Program;

// What raises a command: a menu item, a keyboard shortcut (the key raises its
// menu number), a pop-up item, or a control (any of its events, or one kind).
struct Trigger {
    enum Kind { Menu, Shortcut, Popup, Control } kind = Menu;
    int number = -1;  // menu, shortcut or pop-up number
    QKeyCombination key{};
    ui::Control control{};
    std::optional<ui::ControlEvent> event;  // empty: every event of the control
};

// The yes/no box a destructive command asks first; no title means no question.
struct Question {
    const char* title = nullptr;
    const char* text = nullptr;
};

// One command of the window: its id, what raises it, the question it asks
// first and what it does.
struct CommandRow {
    const char* id;
    std::vector<Trigger> raisedBy;
    Question confirmation;
    void (*command)(Program&);
};

// Every command, one row each. Reading this table (app/commands.cpp) tells
// everything the window can do.
const std::vector<CommandRow>& commandRows();

// Binds every shortcut of the table to its number on the window.
void registerShortcuts(ui::WindowMain& window);

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
