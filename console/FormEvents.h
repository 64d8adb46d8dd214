#pragma once

#include "console/EventArgs.h"
#include "console/HandlerGuard.h"

#include <QObject>

#include <functional>
#include <map>

class QAbstractSlider;
class QMouseEvent;
class QWidget;

namespace vk {

class TForm1;

// A method of the window as a plain function, fixed when the wiring compiles:
// a handler whose parameters do not fit its event does not compile.
template <auto Method>
struct MethodCall;

template <typename... Args, void (TForm1::*Method)(Args...)>
struct MethodCall<Method> {
    static void call(TForm1& form, Args... args) { (form.*Method)(args...); }
};

template <auto Method>
constexpr auto method = &MethodCall<Method>::call;

// The window's events that come as no signal, delivered to its handlers
// through one event filter, each through the window's default error
// handling: pointer moves with no button held, pointer presses, an edit's
// exit by a focus move inside the window (not a switch to another window or
// a context menu), the scroll bar's steps and the end of each scroll (a
// release of the pointer or of a scrolling key), and the window's close.
class FormEvents : public QObject {
public:
    // A handler: one method of the window as a plain function (method<&TForm1::X>).
    using NotifyHandler = void (*)(TForm1& form, QObject* Sender);
    using MouseHandler = void (*)(TForm1& form, const MouseEventArgs& event);
    using ScrollHandler = void (*)(TForm1& form, QObject* Sender, TScrollCode ScrollCode, int ScrollPos);
    using CloseHandler = void (*)(TForm1& form, QObject* Sender, bool& allowClose);

    FormEvents(TForm1& form, ErrorReporter report);

    void onMouseMove(QWidget* control, MouseHandler handler);
    void onMouseDown(QWidget* control, MouseHandler handler);
    void onExit(QWidget* control, NotifyHandler handler);
    void onScroll(QAbstractSlider* bar, ScrollHandler handler);
    void onClose(CloseHandler handler);

    // Runs one handler; false when it failed and the failure was reported.
    bool guard(const std::function<void()>& handler) const { return runGuarded(report_, handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* control);
    void deliverMouse(const std::map<const QObject*, MouseHandler>& handlers, QObject* control,
                      const QMouseEvent& mouse, Qt::MouseButton button) const;
    void deliverScroll(QAbstractSlider* bar, TScrollCode code) const;
    bool deliverClose() const;

    TForm1& form_;
    ErrorReporter report_;
    std::map<const QObject*, MouseHandler> mouseMoves_;
    std::map<const QObject*, MouseHandler> mouseDowns_;
    std::map<const QObject*, NotifyHandler> exits_;
    std::map<const QObject*, ScrollHandler> scrolls_;
    CloseHandler close_ = nullptr;
};

}  // namespace vk
