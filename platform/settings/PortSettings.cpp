#include "platform/settings/PortSettings.h"

#include "platform/NumberText.h"
#include "platform/settings/ProfileFile.h"
#include "platform/settings/RegistryFile.h"

#include <algorithm>
#include <string>

namespace vk {
namespace {

constexpr const char* kRoot = "HKEY_CURRENT_USER";
constexpr const char* kStoreKey = "viv.ini";
constexpr const char* kSection = "COMPORT";
constexpr const char* kValueName = "PortID";
constexpr std::int32_t kDefaultPort = 1;

std::int32_t textPortNumber(const RegValue& value)
{
    std::string text(value.data.begin(), value.data.end());
    text.resize(std::min(text.size(), text.find('\0')));
    return parseIntegerText(text).value_or(kDefaultPort);
}

std::int32_t binaryPortNumber(const RegValue& value)
{
    if (value.data.size() > 4)
        throw SettingsError(std::string("'") + kValueName + "' の取得に失敗しました");
    if (value.type != kRegDword)
        throw SettingsError(std::string("'") + kValueName + "' のデータ型が不正です");
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < value.data.size(); ++i)
        n |= std::uint32_t(value.data[i]) << (8 * i);
    return static_cast<std::int32_t>(n);
}

}  // namespace

PortSettings::PortSettings(std::filesystem::path folder) : folder_(std::move(folder))
{
}

std::int32_t PortSettings::ReadPortNumber() const
{
    const std::string storeKey = std::string(kRoot) + "\\" + kStoreKey;
    // Without the store key the section is looked for right under the root.
    const std::string parent = RegistryFile::createKey(registryFile(), storeKey) ? storeKey : kRoot;
    auto value = RegistryFile::read(registryFile()).value(parent + "\\" + kSection, kValueName);
    if (!value)
        return kDefaultPort;
    return value->type == kRegSz ? textPortNumber(*value) : binaryPortNumber(*value);
}

void PortSettings::WritePortSettings(std::int32_t portNumber) const
{
    for (const auto& [key, value] :
         {std::pair{"PortID", std::to_string(portNumber)}, std::pair{"BaudRate", std::string("0")}}) {
        if (!writeProfileString(profileFile(), "PortSetting", key, value))
            throw SettingsError(profileFile().filename().string() + " に書き込めません");
    }
}

}  // namespace vk
