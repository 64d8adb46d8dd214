#include "console/EventWiring.h"

#include "console/QtText.h"
#include "console/TabbedNotebook.h"
#include "console/Unit1.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <optional>
#include <stdexcept>
#include <string>

namespace vk {
namespace {

using enum FormEvent;

// A method of the window as a plain function; the method is fixed when the
// table is compiled, so a call names it directly.
template <auto Method>
struct MethodCall;

template <typename... Args, void (TForm1::*Method)(Args...)>
struct MethodCall<Method> {
    static void call(TForm1& form, Args... args) { (form.*Method)(args...); }
};

template <auto Method>
constexpr auto method = &MethodCall<Method>::call;

// Every event of the window that has a handler.
const EventWire kWiring[] = {
    // control           event        handler
    {"Form1",            OnCreate,    method<&TForm1::FormCreate>},
    {"Form1",            OnClose,     method<&TForm1::FormClose>},
    {"Timer1",           OnTimer,     method<&TForm1::Timer1Timer>},
    {"Button1",          OnClick,     method<&TForm1::Button1Click>},
    {"Button1",          OnMouseMove, method<&TForm1::Button1MouseMove>},
    {"Button2",          OnClick,     method<&TForm1::Button2Click>},
    {"Button3",          OnClick,     method<&TForm1::Button3Click>},
    {"Button3",          OnMouseMove, method<&TForm1::Button3MouseMove>},
    {"ColorBtn1",        OnClick,     method<&TForm1::ColorBtn1Click>},
    {"ColorBtn1",        OnMouseMove, method<&TForm1::ColorBtn1MouseMove>},
    {"BlinkBtn1",        OnMouseMove, method<&TForm1::BlinkBtn1MouseMove>},
    {"TabbedNotebook1",  OnChange,    method<&TForm1::TabbedNotebook1Change>},
    // Page1
    {"Label2",           OnMouseMove, method<&TForm1::Label2MouseMove>},
    {"Edit1",            OnExit,      method<&TForm1::Edit1Exit>},
    {"Edit1",            OnMouseMove, method<&TForm1::Edit1MouseMove>},
    {"Label3",           OnMouseMove, method<&TForm1::Label3MouseMove>},
    {"Edit2",            OnExit,      method<&TForm1::Edit2Exit>},
    {"Edit2",            OnMouseMove, method<&TForm1::Edit2MouseMove>},
    {"Label4",           OnMouseMove, method<&TForm1::Label4MouseMove>},
    {"Edit3",            OnExit,      method<&TForm1::Edit3Exit>},
    {"Edit3",            OnMouseMove, method<&TForm1::Edit3MouseMove>},
    {"GroupBox1",        OnMouseMove, method<&TForm1::GroupBox1MouseMove>},
    {"GroupBox2",        OnMouseMove, method<&TForm1::GroupBox2MouseMove>},
    {"GroupBox3",        OnMouseMove, method<&TForm1::GroupBox3MouseMove>},
    {"GroupBox4",        OnMouseMove, method<&TForm1::GroupBox4MouseMove>},
    {"GroupBox5",        OnMouseMove, method<&TForm1::GroupBox5MouseMove>},
    // Page2
    {"GroupBox6",        OnMouseMove, method<&TForm1::GroupBox6MouseMove>},
    {"GroupBox7",        OnMouseMove, method<&TForm1::GroupBox7MouseMove>},
    {"GroupBox8",        OnMouseMove, method<&TForm1::GroupBox8MouseMove>},
    {"Label6",           OnMouseMove, method<&TForm1::Label6MouseMove>},
    {"Edit4",            OnExit,      method<&TForm1::Edit2Exit>},
    {"Edit4",            OnMouseMove, method<&TForm1::Edit4MouseMove>},
    {"Label9",           OnMouseMove, method<&TForm1::Label9MouseMove>},
    {"Edit6",            OnExit,      method<&TForm1::Edit2Exit>},
    {"Edit6",            OnMouseDown, method<&TForm1::Edit6MouseDown>},
    {"Label10",          OnMouseMove, method<&TForm1::Label10MouseMove>},
    {"Edit7",            OnExit,      method<&TForm1::Edit2Exit>},
    {"Edit7",            OnMouseDown, method<&TForm1::Edit6MouseDown>},
    {"Edit7",            OnMouseMove, method<&TForm1::Edit7MouseMove>},
    {"Label11",          OnMouseMove, method<&TForm1::Label11MouseMove>},
    {"Edit8",            OnExit,      method<&TForm1::Edit2Exit>},
    {"Edit8",            OnMouseDown, method<&TForm1::Edit6MouseDown>},
    {"Edit8",            OnMouseMove, method<&TForm1::Edit8MouseMove>},
    // Page3
    {"Label8",           OnMouseMove, method<&TForm1::Label8MouseMove>},
    {"ScrollBar1",       OnScroll,    method<&TForm1::ScrollBar1Scroll>},
    {"Edit5",            OnMouseMove, method<&TForm1::Edit5MouseMove>},
    {"Label12",          OnMouseMove, method<&TForm1::Label12MouseMove>},
    {"Edit9",            OnMouseMove, method<&TForm1::Edit9MouseMove>},
    {"Label13",          OnMouseMove, method<&TForm1::Label13MouseMove>},
    {"Edit10",           OnMouseMove, method<&TForm1::Edit10MouseMove>},
    {"Label14",          OnMouseMove, method<&TForm1::Label14MouseMove>},
    {"Edit11",           OnMouseMove, method<&TForm1::Edit11MouseMove>},
    {"Label17",          OnMouseMove, method<&TForm1::Label17MouseMove>},
    {"Edit12",           OnMouseMove, method<&TForm1::Edit12MouseMove>},
};

bool handlerFits(const EventWire& row)
{
    switch (row.event) {
    case OnCreate:
    case OnClick:
    case OnExit:
    case OnTimer:
        return std::holds_alternative<NotifyEvent>(row.handler);
    case OnMouseMove:
    case OnMouseDown:
        return std::holds_alternative<MouseEvent>(row.handler);
    case OnChange:
        return std::holds_alternative<TabChangeEvent>(row.handler);
    case OnScroll:
        return std::holds_alternative<ScrollEvent>(row.handler);
    case OnClose:
        return std::holds_alternative<CloseEvent>(row.handler);
    }
    return false;
}

// Events that reach their handlers through the event filter; the others come as signals.
bool isFiltered(FormEvent event)
{
    return event == OnClose || event == OnExit || event == OnMouseMove || event == OnMouseDown || event == OnScroll;
}

// Switching to another window or opening a context menu is no exit from the control.
bool isFocusMove(const QFocusEvent& focus)
{
    return focus.reason() != Qt::ActiveWindowFocusReason && focus.reason() != Qt::PopupFocusReason;
}

bool endsScroll(const QEvent& event)
{
    if (event.type() == QEvent::MouseButtonRelease) {
        const auto button = static_cast<const QMouseEvent&>(event).button();
        return button == Qt::LeftButton || button == Qt::MiddleButton;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return !key.isAutoRepeat();
    default:
        return false;
    }
}

std::optional<TScrollCode> scrollCode(int sliderAction)
{
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepAdd: return TScrollCode::scLineDown;
    case QAbstractSlider::SliderSingleStepSub: return TScrollCode::scLineUp;
    case QAbstractSlider::SliderPageStepAdd: return TScrollCode::scPageDown;
    case QAbstractSlider::SliderPageStepSub: return TScrollCode::scPageUp;
    case QAbstractSlider::SliderToMinimum: return TScrollCode::scTop;
    case QAbstractSlider::SliderToMaximum: return TScrollCode::scBottom;
    case QAbstractSlider::SliderMove: return TScrollCode::scTrack;
    default: return std::nullopt;
    }
}

template <typename Control>
Control& findControl(TForm1& form, std::string_view name)
{
    QObject* object = name == "Form1" ? &form : form.findChild<QObject*>(toQString(name));
    auto* control = qobject_cast<Control*>(object);
    if (!control)
        throw std::logic_error("wiring: no control " + std::string(name) + " of the kind its event needs");
    return *control;
}

}  // namespace

EventWiring::EventWiring(TForm1& form, ErrorReporter report) : form_(form), report_(std::move(report))
{
    for (const EventWire& row : kWiring)
        wire(row);
}

void EventWiring::wire(const EventWire& row)
{
    if (!handlerFits(row))
        throw std::logic_error("wiring: the handler for " + std::string(row.control) + " does not fit its event");
    if (isFiltered(row.event)) {
        auto& control = findControl<QWidget>(form_, row.control);
        if (row.event == OnMouseMove)
            control.setMouseTracking(true);
        control.installEventFilter(this);
        filtered_[{&control, row.event}] = row.handler;
    }
    switch (row.event) {
    case OnCreate:
        createHandler_ = std::get<NotifyEvent>(row.handler);
        break;
    case OnClick: {
        auto& button = findControl<QAbstractButton>(form_, row.control);
        connect(&button, &QAbstractButton::clicked, this,
                [this, &button, handler = std::get<NotifyEvent>(row.handler)] { run([&] { handler(form_, &button); }); });
        break;
    }
    case OnTimer: {
        auto& timer = findControl<QTimer>(form_, row.control);
        connect(&timer, &QTimer::timeout, this,
                [this, &timer, handler = std::get<NotifyEvent>(row.handler)] { run([&] { handler(form_, &timer); }); });
        break;
    }
    case OnChange:
        connect(&findControl<TabbedNotebook>(form_, row.control), &TabbedNotebook::changing, this,
                [this, handler = std::get<TabChangeEvent>(row.handler)](int newTab, bool& allowChange) {
                    // A handler that fails keeps the page in front.
                    if (!run([&] { handler(form_, newTab, allowChange); }))
                        allowChange = false;
                },
                Qt::DirectConnection);
        break;
    case OnScroll: {
        auto& bar = findControl<QAbstractSlider>(form_, row.control);
        // The wheel and the bar's own menu move it with no release to end the
        // scroll, so Edit5 would not follow: the bar takes neither.
        bar.setContextMenuPolicy(Qt::NoContextMenu);
        connect(&bar, &QAbstractSlider::actionTriggered, this, [this, &bar](int action) {
            if (const auto code = scrollCode(action))
                deliverScroll(&bar, *code);
        });
        break;
    }
    default:
        break;  // filtered above
    }
}

void EventWiring::raiseCreate()
{
    if (createHandler_)
        run([this] { createHandler_(form_, &form_); });
}

template <typename Handler>
Handler EventWiring::handlerFor(QObject* control, FormEvent event) const
{
    const auto found = filtered_.find({control, event});
    return found == filtered_.end() ? nullptr : std::get<Handler>(found->second);
}

bool EventWiring::run(const std::function<void()>& call) const
{
    return runGuarded(report_, call);
}

bool EventWiring::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        deliverMouse(watched, OnMouseMove, static_cast<QMouseEvent&>(*event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        deliverMouse(watched, OnMouseDown, static_cast<QMouseEvent&>(*event));
        break;
    case QEvent::FocusOut:
        if (const auto handler = handlerFor<NotifyEvent>(watched, OnExit);
            handler && isFocusMove(static_cast<QFocusEvent&>(*event)))
            run([&] { handler(form_, watched); });
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        if (endsScroll(*event))
            deliverScroll(watched, TScrollCode::scEndScroll);
        break;
    case QEvent::Wheel:
        return handlerFor<ScrollEvent>(watched, OnScroll) != nullptr;
    case QEvent::Close:
        if (!deliverClose(watched)) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void EventWiring::deliverMouse(QObject* control, FormEvent event, const QMouseEvent& mouse) const
{
    const auto handler = handlerFor<MouseEvent>(control, event);
    if (!handler)
        return;
    const MouseEventArgs args{control, event == OnMouseDown ? mouse.button() : Qt::NoButton, mouse.buttons(),
                              mouse.modifiers(), mouse.position().toPoint()};
    run([&] { handler(form_, args); });
}

void EventWiring::deliverScroll(QObject* control, TScrollCode code) const
{
    const auto handler = handlerFor<ScrollEvent>(control, OnScroll);
    if (!handler)
        return;
    const int position = static_cast<QAbstractSlider*>(control)->sliderPosition();  // wired to sliders only
    run([&] { handler(form_, control, code, position); });
}

bool EventWiring::deliverClose(QObject* control) const
{
    const auto handler = handlerFor<CloseEvent>(control, OnClose);
    if (!handler)
        return true;
    bool allowClose = true;
    return run([&] { handler(form_, control, allowClose); }) && allowClose;
}

}  // namespace vk
