#include "platform/settings/PortMap.h"

namespace vk {
namespace {

constexpr const char* kSection = "Ports";

}  // namespace

PortMap::PortMap(std::filesystem::path folder) : folder_(std::move(folder))
{
}

std::vector<ProfileEntry> PortMap::entries() const
{
    return readProfileSection(file(), kSection);
}

bool PortMap::assign(const std::string& portName, const std::string& device) const
{
    return writeProfileString(file(), kSection, portName, device);
}

}  // namespace vk
