#pragma once

#include "platform/TerminationWatch.h"

#include <QObject>

#include <functional>

namespace vk {

// A request to end the program (SIGTERM, SIGINT), taken to the event loop,
// where it asks the window to close as its close box would: the settings are
// written and the port closed before the program ends. It reaches a loop an
// open box runs, too.
class TerminationSignal : public QObject {
public:
    explicit TerminationSignal(std::function<void()> onSignal);

private:
    std::function<void()> onSignal_;
    TerminationWatch watch_;  // last: it may call back as soon as it is made
};

}  // namespace vk
