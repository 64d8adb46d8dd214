#pragma once

#include "platform/SerialPort.h"

#include <string>

namespace vk {

// Opens this system's serial devices (a device path on Linux, COMn on Windows)
// for exclusive use with the driver's line settings.
PortOpener systemPortOpener();

// The device a port name stands for unless told otherwise: COM1 is /dev/ttyS0
// on Linux and itself on Windows.
std::string defaultPortDevice(int portNumber);

}  // namespace vk
