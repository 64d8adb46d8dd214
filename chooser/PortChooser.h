#pragma once

#include "chooser/CompanionProgram.h"
#include "chooser/DeviceRow.h"
#include "chooser/TerminalPort.h"
#include "platform/SerialDevices.h"

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class PortChooser;
}

namespace vk {

// termvk785n --choose-port: the machine's serial devices, the port the
// terminal will use and the device that name stands for now; for the chosen
// device a connection test, its assignment to the terminal's port name and a
// start of the terminal on it. vk785n does the test and the writing as child
// processes, so the window never waits for a line.
class PortChooser : public QWidget {
    Q_OBJECT

public:
    // Re-listing every second follows adapters plugged in and out, and what no
    // change in /dev shows: the group udev gives a node a moment after it
    // appears, a program opening or closing a device.
    static constexpr std::chrono::seconds kRelistInterval{1};

    using DeviceLister = std::function<std::vector<SerialDevice>()>;

    explicit PortChooser(
        DeviceLister listDevices = [] { return listSerialDevices(); }, QWidget* parent = nullptr);
    ~PortChooser() override;

    // The form's controls, for a look from outside (tests, screenshots).
    Ui::PortChooser& ui() { return *ui_; }
    // Re-reads the devices and the terminal's port; the timer calls it.
    void refresh();
    // A connection test's steps, verdict and what to do.
    void showDoctorReport(const DoctorReport& report);

private:
    void wireEvents();
    void showDevices(std::vector<DeviceRow> rows);
    void showTerminalPort();
    void updateButtons();
    void showChosenDevice();
    std::optional<DeviceRow> chosenDevice() const;
    void testConnection();
    void saveChoice();
    void showSaveResult(bool assigned, const QString& message);
    void startTerminal();

    std::unique_ptr<Ui::PortChooser> ui_;
    DeviceLister listDevices_;
    CompanionProgram companion_;
    QTimer relistTimer_;
    std::vector<DeviceRow> rows_;  // as listed, in the list's order
    TerminalPort port_;
};

}  // namespace vk
