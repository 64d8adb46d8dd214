#pragma once

#include "console/EventArgs.h"
#include "console/HandlerGuard.h"

#include <QObject>

#include <map>
#include <string_view>
#include <utility>
#include <variant>

class QMouseEvent;

namespace vk {

class TForm1;

enum class FormEvent { OnCreate, OnClose, OnClick, OnExit, OnMouseMove, OnMouseDown, OnChange, OnScroll, OnTimer };

// A handler: one method of the window, called on the window it is given.
using NotifyEvent = void (*)(TForm1& form, QObject* Sender);
using MouseEvent = void (*)(TForm1& form, const MouseEventArgs& event);
using TabChangeEvent = void (*)(TForm1& form, int NewTab, bool& AllowChange);
using ScrollEvent = void (*)(TForm1& form, QObject* Sender, TScrollCode ScrollCode, int ScrollPos);
using CloseEvent = void (*)(TForm1& form, QObject* Sender, bool& allowClose);
using EventHandler = std::variant<NotifyEvent, MouseEvent, TabChangeEvent, ScrollEvent, CloseEvent>;

// One event of one control and the handler it runs.
struct EventWire {
    std::string_view control;
    FormEvent event;
    EventHandler handler;
};

// Delivers the window's events to their handlers as the wiring table says,
// each through the window's default error handling. Pointer moves arrive
// without a button held; an edit's exit is a focus move inside the window
// (not a switch to another window or a context menu); the scroll bar's end of
// scroll follows each release of the pointer or of a scrolling key.
class EventWiring : public QObject {
public:
    EventWiring(TForm1& form, ErrorReporter report);

    // Runs the creation handler; the window calls it once all its controls exist.
    void raiseCreate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire(const EventWire& wire);
    template <typename Handler>
    Handler handlerFor(QObject* control, FormEvent event) const;
    bool run(const std::function<void()>& call) const;

    void deliverMouse(QObject* control, FormEvent event, const QMouseEvent& mouse) const;
    void deliverScroll(QObject* control, TScrollCode code) const;
    bool deliverClose(QObject* control) const;

    TForm1& form_;
    ErrorReporter report_;
    NotifyEvent createHandler_ = nullptr;
    std::map<std::pair<const QObject*, FormEvent>, EventHandler> filtered_;
};

}  // namespace vk
