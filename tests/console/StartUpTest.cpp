#include "tests/console/FormHarness.h"
#include "tests/support/NamedCase.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vk::test {
namespace {

using test::PrintTo;

struct StartCase {
    const char* name;
    const char* portId;  // the "PortID" line of the store; nullptr: no store file
    std::vector<std::string> opened;
    std::vector<QString> errors;
    const char* slot0;    // parameter 0's cache slot after creation
    const char* written;  // "PortID" in DudAved.ini after the close
};

class StartUp : public ::testing::TestWithParam<StartCase> {
protected:
    FormHarness harness;
};

TEST_P(StartUp, ReadsThePortNumberOpensItsPortAndWritesItBackAtTheClose)
{
    const StartCase& c = GetParam();
    if (c.portId != nullptr)
        writeFile(harness.settings.registryFile(),
                  std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini\\COMPORT]\n") + c.portId + "\n");
    auto form = harness.makeForm();
    EXPECT_EQ(harness.openedDevices, c.opened);
    EXPECT_EQ(harness.errors, c.errors);
    EXPECT_EQ(form->parameters().cache().fetch(0), c.slot0);
    EXPECT_TRUE(form->firstRead());

    EXPECT_TRUE(form->close());
    EXPECT_EQ(readFile(harness.settings.profileFile()),
              std::string("[PortSetting]\nPortID=") + c.written + "\nBaudRate=0\n");
    EXPECT_EQ(harness.link.state().phase, LinkPhase::Closed);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, StartUp,
    ::testing::Values(
        StartCase{"NoStore", nullptr, {"/dev/ttyS0"}, {}, "0", "1"},
        StartCase{"Dword3", "\"PortID\"=dword:00000003", {"/dev/ttyS2"}, {}, "0", "3"},
        StartCase{"Text2", "\"PortID\"=\"2\"", {"/dev/ttyS1"}, {}, "0", "2"},
        StartCase{"OutOfRange9", "\"PortID\"=dword:00000009", {"/dev/ttyS0"}, {}, "0", "9"},
        StartCase{
            "FourBytesOfAnotherType", "\"PortID\"=hex(3):03,00,00,00", {}, {"'PortID' のデータ型が不正です."}, "", "0"}),
    caseName<StartCase>);

TEST(StartUpStore, TheStoreKeyIsCreatedButNotItsSection)
{
    FormHarness harness;
    auto form = harness.makeForm();
    EXPECT_EQ(readFile(harness.settings.registryFile()), "REGEDIT4\n\n[HKEY_CURRENT_USER\\viv.ini]\n");
}

TEST(StartUpStore, APortThatDoesNotOpenLeavesTheCacheEmpty)
{
    FormHarness harness(false);
    auto form = harness.makeForm();
    EXPECT_EQ(harness.openedDevices, (std::vector<std::string>{"/dev/ttyS0"}));
    EXPECT_EQ(form->parameters().cache().fetch(0), "");
    EXPECT_TRUE(harness.errors.empty()) << "a port that does not open is not reported";
}

TEST(CloseBox, KeepsOtherSettingsAndWritesNothingTwice)
{
    FormHarness harness;
    writeFile(harness.settings.profileFile(), "[Window]\nLeft=3\n[PortSetting]\nBaudRate=9600\nPortID=4\nExtra=x\n");
    harness.makeForm()->close();
    EXPECT_EQ(readFile(harness.settings.profileFile()),
              "[Window]\nLeft=3\n[PortSetting]\nBaudRate=0\nPortID=1\nExtra=x\n");
}

// A tick after the close would wait out a whole exchange on the closed port.
TEST(CloseBox, NothingTicksAfterTheClose)
{
    FormHarness harness;
    auto form = harness.makeForm();
    form->show();
    ASSERT_TRUE(form->close());
    const Tick closedAt = harness.clock.tickMs();
    QTest::qWait(1500);
    EXPECT_EQ(form->commErrorCount(), 0);
    EXPECT_EQ(harness.clock.tickMs(), closedAt);
}

TEST(CloseBox, AnUnwritableSettingsFileKeepsTheWindowAndThePortOpen)
{
    FormHarness harness;
    writeFile(harness.settings.profileFile(), "[PortSetting]\nPortID=4\n");
    std::filesystem::permissions(harness.settings.profileFile(), std::filesystem::perms(0444));
    auto form = harness.makeForm();
    form->show();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(harness.errors.size(), std::size_t(attempt));
    }
    EXPECT_EQ(harness.errors.back(), "DudAved.ini に書き込めません.");
    EXPECT_EQ(harness.link.state().phase, LinkPhase::Open);
    EXPECT_EQ(readFile(harness.settings.profileFile()), "[PortSetting]\nPortID=4\n");
}

// The real end of the run: the event loop ends with 0 and the window is never
// closed, so its close handler neither writes the settings again nor closes the port.
TEST(ExitButton, EndsTheEventLoopWithZeroWithoutClosingTheWindow)
{
    FormHarness harness;
    auto form = harness.makeForm(FormHarness::EndOfRun::Real);
    form->show();
    QTimer::singleShot(0, form.get(), [&form] { form->ui().Button3->click(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // the loop did not end
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(harness.link.state().phase, LinkPhase::Open);
    EXPECT_EQ(readFile(harness.settings.profileFile()), "[PortSetting]\nPortID=1\nBaudRate=0\n");
}

}  // namespace
}  // namespace vk::test
