#include "chooser/DeviceRow.h"

#include <QStringList>

namespace vk {
namespace {

QString adapterText(const SerialDevice& device)
{
    return QString::fromStdString(device.maker + " " + device.product).trimmed();
}

QString accessText(const SerialDevice& device)
{
    if (device.mayOpen)
        return DeviceRow::tr("this user may open it");
    return DeviceRow::tr("no permission (group %1)").arg(QString::fromStdString(device.group));
}

// The group is the way in: its members may open the device once they log in again.
QString remedyText(const SerialDevice& device)
{
    if (device.mayOpen)
        return {};
    return DeviceRow::tr("join the group %1 (sudo adduser $USER %1), then log in again")
        .arg(QString::fromStdString(device.group));
}

QString holdersText(const SerialDevice& device)
{
    QStringList holders;
    for (const DeviceHolder& holder : device.holders)
        holders << DeviceRow::tr("%1 (pid %2)").arg(QString::fromStdString(holder.program)).arg(holder.pid);
    return holders.isEmpty() ? DeviceRow::tr("free") : DeviceRow::tr("in use by %1").arg(holders.join(", "));
}

}  // namespace

DeviceRow deviceRow(const SerialDevice& device)
{
    const std::string& name = device.stableNames.empty() ? device.path : device.stableNames.front();
    return {.name = QString::fromStdString(name),
            .systemPath = QString::fromStdString(device.path),
            .adapter = adapterText(device),
            .access = accessText(device),
            .remedy = remedyText(device),
            .holders = holdersText(device)};
}

}  // namespace vk
