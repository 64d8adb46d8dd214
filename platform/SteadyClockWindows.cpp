#include "platform/Clock.h"

#include <windows.h>

namespace vk {

// The system's 64-bit millisecond count since start: it does not wrap in any run.
Tick SteadyClock::tickMs()
{
    return ::GetTickCount64();
}

void SteadyClock::sleepMs(Tick ms)
{
    ::Sleep(static_cast<DWORD>(ms < MAXDWORD ? ms : MAXDWORD - 1));
}

}  // namespace vk
