#include "chooser/TerminalPort.h"

#include "link/PortChoice.h"
#include "platform/settings/PortSettings.h"

#include <optional>

namespace vk {

TerminalPort readTerminalPort()
{
    TerminalPort port;
    // The terminal opens no port at all when its number cannot be read; the
    // name is COM1's then, as the number it goes on with names it.
    std::int32_t number = 1;
    try {
        number = PortSettings().ReadPortNumber();
    } catch (const SettingsError& error) {
        port.problems << QString::fromStdString(error.what());
    }
    std::vector<std::string> problems;
    const DeviceMap devices = chooseDevices(PortMap(), std::nullopt, DeviceMap{}, problems);
    for (const std::string& problem : problems)
        port.problems << QString::fromStdString(problem);
    const std::string name = portName(number);
    const std::string device = devices.devicePath(name);
    const SerialDevice described = describeDevice(device);
    port.name = QString::fromStdString(name);
    port.device = QString::fromStdString(device);
    port.systemDevice = QString::fromStdString(described.path);
    port.present = described.exists;
    return port;
}

// Once the port map has the terminal's port name stand for the chosen device,
// the terminal starts as it does from the menu, with no argument, so what the
// operator sees now is what every later start gives. Before that,
// --device COMn=PATH gives it the device for this run alone and leaves the map
// as it is.
QStringList terminalArguments(const TerminalPort& port, const DeviceRow& chosen)
{
    if (port.present && port.systemDevice == chosen.systemPath)
        return {};
    return {QStringLiteral("--device"), port.name + '=' + chosen.name};
}

}  // namespace vk
