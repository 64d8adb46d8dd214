#include "platform/LineTrace.h"
#include "platform/TracingSerialPort.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vk::test {
namespace {

// Each line is in the file as soon as it is recorded, with nothing buffered
// that a kill could lose.
TEST(LineTrace, WritesEachLineAtOnceWithTextAndHex)
{
    TempFolder folder;
    LineTrace trace(folder / "t.trace");
    trace.record("/dev/ttyUSB0", "tx", "31\r");
    std::istringstream written(readFile(folder / "t.trace"));
    double ms = -1;
    std::string device, direction, text, hex;
    written >> ms >> device >> direction >> text;
    std::getline(written, hex);
    EXPECT_GE(ms, 0);
    EXPECT_EQ(device, "/dev/ttyUSB0");
    EXPECT_EQ(direction, "tx");
    EXPECT_EQ(text, "31\\r");
    EXPECT_EQ(hex.substr(hex.find_first_not_of(' ')), "33 31 0D");

    trace.record("/dev/ttyUSB0", "rx", std::string("\x00\x11", 2));
    EXPECT_NE(readFile(folder / "t.trace").find("rx \\x00\\x11"), std::string::npos);
    EXPECT_THROW(LineTrace(folder / "missing" / "t.trace"), std::system_error);
}

}  // namespace
}  // namespace vk::test
