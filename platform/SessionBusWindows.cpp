#include "platform/SessionBus.h"

namespace vk {

// Windows has no session bus for Qt to start.
void keepSessionBusFromStarting()
{
}

}  // namespace vk
