#include "link/PortNames.h"

#include "platform/SystemPort.h"

namespace vk {
namespace {

constexpr int kPortCount = 4;
constexpr std::string_view kComPrefix = "COM";

// n of "COMn" for n 1 to 4.
std::optional<int> comNumber(std::string_view name)
{
    if (name.size() != kComPrefix.size() + 1 || name.substr(0, kComPrefix.size()) != kComPrefix)
        return std::nullopt;
    const int n = name.back() - '0';
    return n >= 1 && n <= kPortCount ? std::optional<int>(n) : std::nullopt;
}

}  // namespace

std::string portName(std::int32_t portNumber)
{
    const std::int32_t n = portNumber >= 1 && portNumber <= kPortCount ? portNumber : 1;
    return std::string(kComPrefix) + std::to_string(n);
}

bool isPortName(std::string_view name)
{
    return comNumber(name).has_value();
}

std::string DeviceMap::devicePath(const std::string& comName) const
{
    if (const auto found = overrides_.find(comName); found != overrides_.end())
        return found->second;
    const auto n = comNumber(comName);
    return n ? defaultPortDevice(*n) : std::string();
}

DeviceMap DeviceMap::com1At(const std::string& path)
{
    DeviceMap map;
    map.assign(portName(1), path);
    return map;
}

bool DeviceMap::assign(std::string_view comEqualsPath)
{
    const auto equals = comEqualsPath.find('=');
    return equals != std::string_view::npos
        && assign(comEqualsPath.substr(0, equals), std::string(comEqualsPath.substr(equals + 1)));
}

bool DeviceMap::assign(std::string_view comName, const std::string& path)
{
    if (!isPortName(comName) || path.empty())
        return false;
    overrides_[std::string(comName)] = path;
    return true;
}

void DeviceMap::overrideWith(const DeviceMap& other)
{
    for (const auto& [name, path] : other.overrides_)
        overrides_[name] = path;
}

DeviceMap DeviceMap::withDefault(const std::string& path) const
{
    DeviceMap map = *this;
    for (int n = 1; n <= kPortCount; ++n)
        map.overrides_.try_emplace(portName(n), path);
    return map;
}

}  // namespace vk
