#include "app/TerminationSignal.h"

#include <QSocketNotifier>

#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace vk {
namespace {

// The handler's end of the pair; a signal handler may only write to it.
int signalWriteEnd = -1;
int signalReadEnd = -1;

void noteSignal(int /*signal*/)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalWriteEnd, &byte, 1);
}

}  // namespace

TerminationSignal::TerminationSignal(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        throw std::runtime_error("cannot watch for termination signals");
    signalWriteEnd = ends[0];
    signalReadEnd = ends[1];
    notifier_ = new QSocketNotifier(signalReadEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalReadEnd, bytes, sizeof bytes) > 0) {
        }
        onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

TerminationSignal::~TerminationSignal()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    delete notifier_;
    ::close(signalWriteEnd);
    ::close(signalReadEnd);
    signalWriteEnd = signalReadEnd = -1;
}

}  // namespace vk
