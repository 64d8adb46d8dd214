#include "platform/SerialDevices.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include <windows.h>

namespace vk {
namespace {

constexpr char kDevicePrefix[] = "\\\\.\\";
constexpr char kComPrefix[] = "COM";
constexpr DWORD kNamesSize = 1 << 16;

std::string portNameOf(const std::string& path)
{
    return path.starts_with(kDevicePrefix) ? path.substr(sizeof kDevicePrefix - 1) : path;
}

// The system's own device behind a DOS name, "\Device\Serial0"; empty when none.
std::string systemTarget(const std::string& name)
{
    char target[MAX_PATH] = {};
    return ::QueryDosDeviceA(name.c_str(), target, sizeof target) != 0 ? target : "";
}

// COM2 before COM10.
bool portOrder(const std::string& a, const std::string& b)
{
    return std::pair(a.size(), a) < std::pair(b.size(), b);
}

}  // namespace

// Windows says which programs hold a port only to tools of its own, and a
// port's maker is its driver's business; not every port shows among the DOS
// names (Wine's added ones do not), so whether it is there the open tells.
SerialDevice describeDevice(const std::string& path, const SystemFolders& /*system*/)
{
    SerialDevice device;
    device.path = portNameOf(path);
    device.exists = true;
    device.characterDevice = true;
    device.mayOpen = true;
    device.product = systemTarget(device.path);
    return device;
}

std::vector<SerialDevice> listSerialDevices(const SystemFolders& system)
{
    std::vector<char> names(kNamesSize);
    const DWORD size = ::QueryDosDeviceA(nullptr, names.data(), static_cast<DWORD>(names.size()));
    std::vector<std::string> ports;
    for (const char* name = names.data(); name < names.data() + size && *name != '\0'; name += std::strlen(name) + 1)
        if (std::string_view(name).starts_with(kComPrefix))
            ports.emplace_back(name);
    std::sort(ports.begin(), ports.end(), portOrder);
    std::vector<SerialDevice> devices;
    for (const std::string& port : ports)
        devices.push_back(describeDevice(port, system));
    return devices;
}

}  // namespace vk
