#pragma once

#include "chooser/DeviceRow.h"

#include <QString>
#include <QStringList>

namespace vk {

// The port the terminal will use, read as the terminal reads it (the port
// number store, the port map), and the device its name stands for now.
struct TerminalPort {
    QString name;          // COM1..COM4
    QString device;        // as the port map or the system's default names it
    QString systemDevice;  // the device that name leads to now: /dev/ttyUSB0 for a by-id link
    bool present = false;  // whether that device is there now
    QStringList problems;  // a store or map line that could not be read, as the terminal would say it
};

// Reads both stores; never writes either.
TerminalPort readTerminalPort();

// termvk785n's arguments for it to use `chosen`.
QStringList terminalArguments(const TerminalPort& port, const DeviceRow& chosen);

}  // namespace vk
