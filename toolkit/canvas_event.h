#pragma once
// The record a canvas hands to the mouse tools for every mouse press,
// release, move and double click. The tools never see a QMouseEvent: the one
// translation lives in toCanvasEvent below.
#include <QEvent>
#include <QMetaType>
#include <QPoint>

#include <optional>

class QMouseEvent;

namespace toolkit {

struct CanvasEvent {
    enum class Type { Move, LeftDown, LeftUp, RightDown, RightUp, LeftDoubleClick, MiddleDown, MiddleUp, Key };
    Type type = Type::Move;
    // Pixel position relative to the drawing surface's top-left pixel. While a
    // button is held the canvas keeps reporting, so x and y may be negative or
    // beyond the surface; the tools treat such positions as outside.
    int x = 0;
    int y = 0;
    // Buttons held once the event has happened: true for the pressed button on
    // a down, false for the released one on an up.
    bool left = false;
    bool right = false;
    bool middle = false;
    // Type::Key only: the arrow key pressed on a canvas that takes the keyboard
    // (Qt::Key_Left, Key_Right, Key_Up or Key_Down); x and y are then 0.
    int key = 0;
};

// Translates a Qt mouse event of the given type (MouseButtonPress,
// MouseButtonRelease, MouseMove, MouseButtonDblClick) into the canvas record.
// `clientOrigin` is where the drawing surface starts inside the widget (a
// sunken edge moves it). Returns nothing for other event types and for buttons
// the tools do not know (back, forward). A double click with the right or
// middle button reports a plain down, so quick second clicks still act.
std::optional<CanvasEvent> toCanvasEvent(const QMouseEvent& event, QEvent::Type type,
                                         QPoint clientOrigin = QPoint());

}  // namespace toolkit

Q_DECLARE_METATYPE(toolkit::CanvasEvent)
