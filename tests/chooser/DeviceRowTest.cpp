#include "chooser/DeviceRow.h"

#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vk {

void PrintTo(const DeviceRow& row, std::ostream* out)
{
    *out << '{' << row.name.toStdString() << " | " << row.systemPath.toStdString() << " | " << row.adapter.toStdString()
         << " | " << row.access.toStdString() << " | " << row.remedy.toStdString() << " | " << row.holders.toStdString()
         << '}';
}

namespace {

using test::PrintTo;

struct RowCase {
    const char* name;
    SerialDevice device;
    DeviceRow row;
};

SerialDevice device(std::vector<std::string> stableNames, bool mayOpen, std::vector<DeviceHolder> holders)
{
    SerialDevice d;
    d.path = "/dev/ttyUSB0";
    d.stableNames = std::move(stableNames);
    d.maker = "FTDI";
    d.product = "FT232R USB UART";
    d.exists = d.characterDevice = true;
    d.mayOpen = mayOpen;
    d.group = "dialout";
    d.holders = std::move(holders);
    return d;
}

SerialDevice uart()
{
    SerialDevice d = device({}, true, {});
    d.path = "/dev/ttyS0";
    d.maker = d.product = "";
    return d;
}

constexpr char kById[] = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";

class DeviceRowCases : public ::testing::TestWithParam<RowCase> {};

TEST_P(DeviceRowCases, SaysWhatPortsSays)
{
    EXPECT_EQ(deviceRow(GetParam().device), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceRowCases,
    ::testing::Values(
        RowCase{"adapterByItsStableName",
                device({kById, "/dev/serial/by-id/second"}, true, {}),
                {kById, "/dev/ttyUSB0", "FTDI FT232R USB UART", "this user may open it", "", "free"}},
        RowCase{"uartWithoutAdapter", uart(), {"/dev/ttyS0", "/dev/ttyS0", "", "this user may open it", "", "free"}},
        RowCase{"noPermission",
                device({}, false, {}),
                {"/dev/ttyUSB0", "/dev/ttyUSB0", "FTDI FT232R USB UART", "no permission (group dialout)",
                 "join the group dialout (sudo adduser $USER dialout), then log in again", "free"}},
        RowCase{"heldByTwo",
                device({}, true, {{812, "minicom"}, {900, "cat"}}),
                {"/dev/ttyUSB0", "/dev/ttyUSB0", "FTDI FT232R USB UART", "this user may open it", "",
                 "in use by minicom (pid 812), cat (pid 900)"}}),
    test::caseName<RowCase>);

}  // namespace
}  // namespace vk
