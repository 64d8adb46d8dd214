#pragma once

#include <QPoint>
#include <Qt>

class QObject;

namespace vk {

// What a pointer handler is told: who raised it, the button pressed (for a
// press), the buttons and keys held, and where the pointer is on the sender.
struct MouseEventArgs {
    QObject* sender = nullptr;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    QPoint pos;
};

// The kinds of step a scroll bar reports; scEndScroll closes every drag of the
// thumb, every click on an arrow or the track, and every scrolling key.
enum class TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

}  // namespace vk
