#pragma once

#include "platform/SerialDevices.h"

#include <QCoreApplication>
#include <QString>

namespace vk {

// One serial device as the chooser lists it, in the operator's words: what
// `vk785n ports` says of it.
struct DeviceRow {
    Q_DECLARE_TR_FUNCTIONS(vk::DeviceRow)

public:
    QString name;        // the stable /dev/serial/by-id name where there is one, else the system's
    QString systemPath;  // the device as the system names it now: /dev/ttyUSB0
    QString adapter;     // maker and product, where the system knows them
    QString access;      // whether this user may open it
    QString remedy;      // what to do when this user may not
    QString holders;     // who has it open

    bool operator==(const DeviceRow&) const = default;
};

// The row of a device, its texts in the language of the installed translation.
DeviceRow deviceRow(const SerialDevice& device);

}  // namespace vk
