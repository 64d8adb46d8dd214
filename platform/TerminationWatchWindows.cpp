#include "platform/TerminationWatch.h"

#include <cstdlib>

#include <windows.h>

namespace vk {
namespace {

// The console calls its handlers on a thread of its own, which is what the
// callback is promised.
std::function<void()>* requestHandler = nullptr;

BOOL WINAPI noteRequest(DWORD /*event*/)
{
    (*requestHandler)();
    return TRUE;
}

}  // namespace

struct TerminationWatch::Watcher {
    std::function<void()> onRequest;
};

TerminationWatch::TerminationWatch(std::function<void()> onRequest)
    : watcher_(std::make_unique<Watcher>(Watcher{std::move(onRequest)}))
{
    requestHandler = &watcher_->onRequest;
    ::SetConsoleCtrlHandler(noteRequest, TRUE);
}

TerminationWatch::~TerminationWatch()
{
    ::SetConsoleCtrlHandler(noteRequest, FALSE);
    requestHandler = nullptr;
}

// The C runtime's status for a Ctrl+C it does not catch.
void TerminationWatch::endAsRequested()
{
    std::_Exit(3);
}

}  // namespace vk
