#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

namespace vk::test {

// Calls back each time an object gets an event of one type, and counts them.
class EventProbe : public QObject {
public:
    EventProbe(
        QObject& watched, QEvent::Type type, std::function<void()> seen = [] {})
        : type_(type), seen_(std::move(seen))
    {
        watched.installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == type_) {
            ++count;
            seen_();
        }
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> seen_;
};

}  // namespace vk::test
