#pragma once

#include "console/Unit1.h"
#include "link/DriveLink.h"
#include "platform/settings/PortSettings.h"
#include "sim/DriverCore.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"
#include "tests/support/FakeSerialPort.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vk::test {

// What the window is built over in tests: a fake clock, a settings folder of
// its own, and the simulated driver's core behind a fake port (or no port at
// all). Failures go to `errors` instead of a box; the Exit button's end of the
// run goes to `exitCodes`.
class FormHarness {
public:
    explicit FormHarness(bool portOpens = true) : portOpens(portOpens) {}

    enum class EndOfRun { Recorded, Real };

    std::unique_ptr<TForm1> makeForm(EndOfRun end = EndOfRun::Recorded)
    {
        std::function<void(int)> endRun;
        if (end == EndOfRun::Recorded)
            endRun = [this](int exitCode) { exitCodes.push_back(exitCode); };
        return std::make_unique<TForm1>(
            FormContext{.link = link,
                        .settings = settings,
                        .reportError = [this](const QString& message) { errors.push_back(message); },
                        .endRun = std::move(endRun)});
    }

    // The commands the driver has received, as numbers: "00".."31", "$S" for a save.
    std::vector<std::string> commandNumbers() const
    {
        std::vector<std::string> numbers;
        for (const auto& command : driver.commands())
            numbers.push_back(command.substr(0, 2));
        return numbers;
    }

    FakeClock clock;
    TempFolder settingsFolder;
    PortSettings settings{settingsFolder.path()};
    sim::DriverCore driver;
    bool portOpens = true;
    std::vector<std::string> openedDevices;
    FakeSerialPort* port = nullptr;
    DriveLink link{clock,
                   [this](const std::string& device) -> std::unique_ptr<SerialPort> {
                       openedDevices.push_back(device);
                       if (!portOpens)
                           return nullptr;
                       auto opened = std::make_unique<FakeSerialPort>(clock);
                       opened->attachDriver(driver);
                       port = opened.get();
                       return opened;
                   },
                   DeviceMap{}};
    std::vector<QString> errors;
    std::vector<int> exitCodes;
};

}  // namespace vk::test
