#include "console/FormEvents.h"

#include "console/Unit1.h"

#include <QAbstractSlider>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <optional>

namespace vk {
namespace {

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
    case Qt::Key_End: return !key.isAutoRepeat();
    default: return false;
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

template <typename Handler>
Handler handlerOf(const std::map<const QObject*, Handler>& handlers, const QObject* control)
{
    const auto found = handlers.find(control);
    return found == handlers.end() ? nullptr : found->second;
}

}  // namespace

FormEvents::FormEvents(TForm1& form, ErrorReporter report) : form_(form), report_(std::move(report))
{
}

void FormEvents::watch(QWidget* control)
{
    control->removeEventFilter(this);  // once per control, however many of its events are wired
    control->installEventFilter(this);
}

void FormEvents::onMouseMove(QWidget* control, MouseHandler handler)
{
    control->setMouseTracking(true);
    watch(control);
    mouseMoves_[control] = handler;
}

void FormEvents::onMouseDown(QWidget* control, MouseHandler handler)
{
    watch(control);
    mouseDowns_[control] = handler;
}

void FormEvents::onExit(QWidget* control, NotifyHandler handler)
{
    watch(control);
    exits_[control] = handler;
}

void FormEvents::onScroll(QAbstractSlider* bar, ScrollHandler handler)
{
    watch(bar);
    scrolls_[bar] = handler;
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar](int action) {
        if (const auto code = scrollCode(action))
            deliverScroll(bar, *code);
    });
}

void FormEvents::onClose(CloseHandler handler)
{
    watch(&form_);
    close_ = handler;
}

bool FormEvents::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: deliverMouse(mouseMoves_, watched, static_cast<QMouseEvent&>(*event), Qt::NoButton); break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto& press = static_cast<QMouseEvent&>(*event);
        deliverMouse(mouseDowns_, watched, press, press.button());
        break;
    }
    case QEvent::FocusOut:
        if (const auto handler = handlerOf(exits_, watched); handler && isFocusMove(static_cast<QFocusEvent&>(*event)))
            guard([&] { handler(form_, watched); });
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        if (scrolls_.contains(watched) && endsScroll(*event))
            deliverScroll(static_cast<QAbstractSlider*>(watched), TScrollCode::scEndScroll);
        break;
    case QEvent::Wheel:
        // The wheel moves the bar with no release to end the scroll, so the
        // edit that follows the bar would not: the bar takes none.
        return scrolls_.contains(watched);
    case QEvent::Close:
        if (watched == &form_ && close_ && !deliverClose()) {
            event->ignore();
            return true;
        }
        break;
    default: break;
    }
    return false;
}

void FormEvents::deliverMouse(const std::map<const QObject*, MouseHandler>& handlers, QObject* control,
                              const QMouseEvent& mouse, Qt::MouseButton button) const
{
    const auto handler = handlerOf(handlers, control);
    if (!handler)
        return;
    const MouseEventArgs args{control, button, mouse.buttons(), mouse.modifiers(), mouse.position().toPoint()};
    guard([&] { handler(form_, args); });
}

void FormEvents::deliverScroll(QAbstractSlider* bar, TScrollCode code) const
{
    const auto handler = handlerOf(scrolls_, bar);
    const int position = bar->sliderPosition();
    guard([&] { handler(form_, bar, code, position); });
}

bool FormEvents::deliverClose() const
{
    bool allowClose = true;
    return guard([&] { close_(form_, &form_, allowClose); }) && allowClose;
}

}  // namespace vk
