#pragma once

#include "platform/settings/ProfileFile.h"
#include "platform/settings/SettingsPaths.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vk {

// Which device each port name stands for, kept in ports.conf beside the other
// two settings files, so that a USB adapter named once keeps its COM name:
//   [Ports]
//   COM1=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0
// The window and vk785n read it alike; --device overrides it for one run.
class PortMap {
public:
    explicit PortMap(std::filesystem::path folder = settingsFolder());

    std::filesystem::path file() const { return folder_ / "ports.conf"; }

    // Every entry, in file order; the file missing reads as none.
    std::vector<ProfileEntry> entries() const;
    // Names the device of a port; false when the file cannot be written.
    bool assign(const std::string& portName, const std::string& device) const;

private:
    std::filesystem::path folder_;
};

}  // namespace vk
