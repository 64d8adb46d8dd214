#pragma once

#include "platform/SerialPort.h"

namespace vk {

// Opens this system's serial devices (a device path on Linux, COMn on Windows)
// for exclusive use with the driver's line settings.
PortOpener systemPortOpener();

}  // namespace vk
