#include "cli/Doctor.h"
#include "platform/PortOpenError.h"
#include "sim/DriverCore.h"
#include "support/FakeClock.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/NamedCase.h"

#include <gtest/gtest.h>

namespace vk::cli {
namespace {

using test::PrintTo;

using test::FakeClock;
using test::FakeSerialPort;

// What the system would show of the device, and how its line behaves: each
// case acts one way a connection fails, most of them out of a pseudo-terminal's reach.
struct DoctorCase {
    const char* name;
    SerialDevice device;
    std::optional<PortProblem> openRefused;
    std::optional<bool> clearToSend;
    sim::SimFaults faults;
    Verdict verdict;
    std::string finding;
};

SerialDevice present(bool mayOpen = true, std::vector<DeviceHolder> holders = {})
{
    return SerialDevice{"/dev/ttyUSB0", {}, "", "", true, true, mayOpen, "dialout", std::move(holders), "root", 0660};
}

SerialDevice absent()
{
    SerialDevice device;
    device.path = "/dev/ttyUSB0";
    return device;
}

class DoctorVerdicts : public ::testing::TestWithParam<DoctorCase> {};

TEST_P(DoctorVerdicts, EndOnOneVerdictWithItsRemedy)
{
    const DoctorCase& c = GetParam();
    FakeClock clock;
    sim::DriverCore driver(c.faults);
    driver.setStatusWord(0x8001);
    const DoctorSeams seams{[&](const std::string&) { return c.device; },
                            [] { return std::vector<SerialDevice>{present()}; },
                            [&](const std::string& path) -> std::unique_ptr<SerialPort> {
                                if (c.openRefused)
                                    throw PortOpenError(*c.openRefused, path, "refused");
                                auto port = std::make_unique<FakeSerialPort>(clock);
                                port->attachDriver(driver);
                                port->setClearToSend(c.clearToSend);
                                return port;
                            },
                            clock};
    const Diagnosis diagnosis = diagnose("/dev/ttyUSB0", seams);
    EXPECT_EQ(diagnosis.verdict, c.verdict);
    EXPECT_EQ(diagnosis.finding, c.finding);
    EXPECT_EQ(diagnosis.remedy.empty(), c.verdict == Verdict::Answered);
}

INSTANTIATE_TEST_SUITE_P(
    , DoctorVerdicts,
    ::testing::Values(
        DoctorCase{"Missing", absent(), {}, {}, {}, Verdict::Missing, "/dev/ttyUSB0 does not exist"},
        DoctorCase{"NoPermission",
                   present(false),
                   {},
                   {},
                   {},
                   Verdict::NoPermission,
                   "this user may not read and write /dev/ttyUSB0"},
        DoctorCase{
            "HeldWithoutALock", present(true, {{42, "minicom"}}), {}, {}, {}, Verdict::Busy, "held by minicom (pid 42)"},
        DoctorCase{"TheSimulatorIsNoRival",
                   present(true, {{42, "vk785n-sim"}}),
                   {},
                   {},
                   {},
                   Verdict::Answered,
                   "status 8001: servo on, alarm (bits 8000)"},
        DoctorCase{"LockedByAnother",
                   present(),
                   PortProblem::Busy,
                   {},
                   {},
                   Verdict::Busy,
                   "/dev/ttyUSB0 is marked for exclusive use, yet no program has it open"},
        DoctorCase{"NoTerminal",
                   present(),
                   PortProblem::NotASerialLine,
                   {},
                   {},
                   Verdict::NotASerialLine,
                   "/dev/ttyUSB0: refused"},
        DoctorCase{"CtsLow",
                   present(),
                   {},
                   false,
                   {},
                   Verdict::CtsLow,
                   "CTS is low: with hardware handshake nothing can be sent"},
        DoctorCase{"Silent", present(), {}, true, {.silent = true}, Verdict::NoAnswer, "no answer to the status query"},
        DoctorCase{
            "Garbage", present(), {}, {}, {.garbage = true}, Verdict::NotAReply, "bytes that are no reply: ZZ?\\r"},
        DoctorCase{"Echo", present(), {}, {}, {.echo = true}, Verdict::Echo, "the line sends our own commands back"},
        DoctorCase{"CrLf",
                   present(),
                   {},
                   {},
                   {.crlf = true},
                   Verdict::CrLf,
                   "the drive ends its replies with CR LF: 8001\\r\\n"},
        DoctorCase{"Answered", present(), {}, true, {}, Verdict::Answered, "status 8001: servo on, alarm (bits 8000)"}),
    [](const auto& info) { return std::string(info.param.name); });

// Joining a group helps only where the mode lets the group in.
TEST(DoctorAdvice, NamesAGroupOnlyWhereItsMembersMayOpenTheDevice)
{
    FakeClock clock;
    for (const unsigned mode : {0660u, 0600u}) {
        SerialDevice device = present(false);
        device.mode = mode;
        device.owner = device.group = "root";
        const DoctorSeams seams{[&](const std::string&) { return device; }, [] { return std::vector<SerialDevice>{}; },
                                [](const std::string&) { return nullptr; }, clock};
        const std::string remedy = diagnose("/dev/ttyUSB0", seams).remedy;
        EXPECT_EQ(remedy.find("join the device's group 'root'") != std::string::npos, mode == 0660u) << remedy;
        EXPECT_EQ(remedy.find("0600 lets only its owner root") != std::string::npos, mode == 0600u) << remedy;
    }
}

}  // namespace
}  // namespace vk::cli
