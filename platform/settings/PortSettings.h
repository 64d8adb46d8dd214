#pragma once

#include "platform/OperatorError.h"
#include "platform/settings/SettingsPaths.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>

namespace vk {

// A settings store that cannot be read or written; what() is the operator's message.
class SettingsError : public OperatorError {
public:
    using OperatorError::OperatorError;
};

// The port number's two stores: read from the per-user registry store
// "viv.ini", written with the baud field to "DudAved.ini". Neither feeds the other.
class PortSettings {
public:
    explicit PortSettings(std::filesystem::path folder = settingsFolder());

    // "PortID" of the registry store, 1 when it or its key is missing or its
    // text is no number. Throws SettingsError for a value of another type.
    std::int32_t ReadPortNumber() const;
    // Writes "PortID" and "BaudRate" (always 0). Throws SettingsError when
    // the file cannot be written; a failed first key leaves the second alone.
    void WritePortSettings(std::int32_t portNumber) const;

    std::filesystem::path registryFile() const { return folder_ / "registry.reg"; }
    std::filesystem::path profileFile() const { return folder_ / "DudAved.ini"; }

private:
    std::filesystem::path folder_;
};

}  // namespace vk
