#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vk {

// SIGTERM and SIGINT, taken from their handler to the event loop, where they
// ask the window to close as its close box would: the settings are written
// and the port closed before the program ends.
class TerminationSignal : public QObject {
public:
    explicit TerminationSignal(std::function<void()> onSignal);
    ~TerminationSignal() override;
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vk
