#include "link/DriveLink.h"
#include "params/IntegerText.h"
#include "params/ParameterSet.h"
#include "platform/SystemPort.h"
#include "support/SimulatedDriverProcess.h"
#include "tests/support/MemoryControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vk {
namespace {

using test::MemoryControls;

// The parameter set over a real pseudo-terminal, the simulated driver answering
// in a child process. Each test reads back through a second parameter set to see
// what the driver holds.
class PtyTransfer : public ::testing::Test {
protected:
    // Values that differ from what the controls show when they open.
    static sim::DriverCore driverWith(sim::SimFaults faults)
    {
        sim::DriverCore core(faults);
        core.setParameter(4, 0x77);
        core.setParameter(6, -30);
        core.setParameter(18, 99);
        return core;
    }

    void start(sim::SimFaults faults = {})
    {
        driver = std::make_unique<test::SimulatedDriverProcess>(driverWith(faults));
        DeviceMap devices;
        devices.assign("COM1", driver->devicePath());
        link = std::make_unique<DriveLink>(clock, systemPortOpener(), devices);
        link->state().PortNumber = 1;
        ASSERT_TRUE(link->OpenPort());
        params = std::make_unique<ParameterSet>(*link, controls);
        params->cache().reset();
    }

    // What the driver holds now, as a fresh terminal would show it.
    MemoryControls readBack()
    {
        MemoryControls shown;
        ParameterSet reader(*link, shown);
        EXPECT_TRUE(reader.ReadParam());
        return shown;
    }

    std::unique_ptr<test::SimulatedDriverProcess> driver;
    SteadyClock clock;
    std::unique_ptr<DriveLink> link;
    MemoryControls controls;
    std::unique_ptr<ParameterSet> params;
};

TEST_F(PtyTransfer, WhatIsWrittenReadsBackAndEdit12KeepsItsText)
{
    start();
    ASSERT_TRUE(params->ReadParam());
    EXPECT_EQ(controls.editText(4), "-30");
    EXPECT_EQ(controls.editText(12), "0");  // 99 is in the driver, but 18 is never read
    EXPECT_TRUE(controls.radioChecked(2));

    const std::vector<std::pair<int, std::string>> edits = {{1, "4096"}, {4, "$2D"}, {5, "1280"}, {12, "35"}};
    for (const auto& [edit, text] : edits)
        controls.setEditText(edit, text);
    for (int radio : {3, 4, 13, 17})
        controls.checkRadio(radio);
    ASSERT_TRUE(params->UpdateParam());

    const MemoryControls shown = readBack();
    EXPECT_EQ(shown.editText(1), "4096");
    EXPECT_EQ(shown.editText(4), "45");
    EXPECT_EQ(shown.editText(5), "1280");
    EXPECT_EQ(shown.editText(12), "0");
    for (int radio = 1; radio <= kParameterRadios; ++radio)
        EXPECT_EQ(shown.radioChecked(radio), controls.radioChecked(radio)) << "RadioButton" << radio;
}

TEST_F(PtyTransfer, ANonIntegerInEdit4StopsTheWriteAfterNumber5)
{
    start();
    controls.setEditText(3, "12");
    controls.setEditText(6, "150");
    controls.setEditText(4, "12a");

    EXPECT_THROW(
        {
            try {
                params->UpdateParam();
            } catch (const ConversionError& error) {
                EXPECT_STREQ(error.what(), "'12a' は数値ではありません");
                throw;
            }
        },
        ConversionError);

    const MemoryControls shown = readBack();
    EXPECT_EQ(shown.editText(3), "12");
    EXPECT_EQ(shown.editText(4), "-30");
    EXPECT_EQ(shown.editText(6), "100");
}

}  // namespace
}  // namespace vk
