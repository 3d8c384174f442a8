#include "toolkit/canvas_event.h"

#include <QMouseEvent>

#include <cmath>

namespace toolkit {

std::optional<CanvasEvent> toCanvasEvent(const QMouseEvent& event, QEvent::Type type, QPoint clientOrigin) {
    using T = CanvasEvent::Type;
    CanvasEvent record;
    const Qt::MouseButton button = event.button();
    switch (type) {
    case QEvent::MouseMove:
        record.type = T::Move;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (button == Qt::LeftButton) record.type = type == QEvent::MouseButtonPress ? T::LeftDown : T::LeftDoubleClick;
        else if (button == Qt::RightButton) record.type = T::RightDown;
        else if (button == Qt::MiddleButton) record.type = T::MiddleDown;
        else return std::nullopt;
        break;
    case QEvent::MouseButtonRelease:
        if (button == Qt::LeftButton) record.type = T::LeftUp;
        else if (button == Qt::RightButton) record.type = T::RightUp;
        else if (button == Qt::MiddleButton) record.type = T::MiddleUp;
        else return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    // Floor, not truncation: a pointer half a pixel left of the surface is at -1.
    const QPointF position = event.position();
    record.x = static_cast<int>(std::floor(position.x())) - clientOrigin.x();
    record.y = static_cast<int>(std::floor(position.y())) - clientOrigin.y();
    const Qt::MouseButtons held = event.buttons();
    record.left = held.testFlag(Qt::LeftButton);
    record.right = held.testFlag(Qt::RightButton);
    record.middle = held.testFlag(Qt::MiddleButton);
    return record;
}

}  // namespace toolkit
