#pragma once

#include "support/TempFolder.h"

#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>

namespace vk::test {

// A settings folder of the test's own, for the chooser and the vk785n it runs alike.
class ChooserFixture : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", home_.path().string().c_str()); }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    // The port number the terminal reads: a registry store's value, dword:00000002 say.
    void storePortNumber(const std::string& value) const
    {
        writeFile(settings() / "registry.reg",
                  "REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n\"PortID\"=" + value + "\n");
    }
    void writePortMap(const std::string& lines) const { writeFile(settings() / "ports.conf", "[Ports]\n" + lines); }
    std::filesystem::path settings() const { return home_ / "vk785n"; }

private:
    TempFolder home_;
};

}  // namespace vk::test
