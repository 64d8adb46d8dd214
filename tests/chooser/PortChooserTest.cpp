// The chooser as the operator sees it: the machine's devices, a list that
// follows plugging, the save through vk785n, the captions' language.
#include "chooser/PortChooser.h"
#include "chooser/ChooserTranslation.h"
#include "platform/settings/PortMap.h"
#include "tests/chooser/ChooserFixture.h"
#include "tests/support/NamedCase.h"
#include "ui_PortChooser.h"

#include <QTest>
#include <QTranslator>

namespace vk {
namespace {

using namespace std::chrono_literals;
using test::PrintTo;

constexpr std::chrono::milliseconds kCompanionTime = 20s;  // for vk785n to end, well past what it needs

// The names the list shows, in its order.
QStringList shownNames(PortChooser& chooser)
{
    QStringList names;
    QTreeWidget& list = *chooser.ui().deviceList;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        names << list.topLevelItem(i)->text(0);
    return names;
}

QString nameOf(const SerialDevice& device)
{
    return QString::fromStdString(device.stableNames.empty() ? device.path : device.stableNames.front());
}

SerialDevice adapter(const std::string& path)
{
    SerialDevice device;
    device.path = path;
    device.exists = device.characterDevice = device.mayOpen = true;
    return device;
}

class PortChooserTest : public test::ChooserFixture {};

TEST_F(PortChooserTest, ListsThisMachinesSerialDevices)
{
    PortChooser chooser;
    QStringList expected;
    for (const SerialDevice& device : listSerialDevices())
        expected << nameOf(device);
    EXPECT_EQ(shownNames(chooser), expected);
    EXPECT_EQ(chooser.ui().noDevicesLabel->isHidden(), !expected.isEmpty());
}

TEST_F(PortChooserTest, FollowsAdaptersPluggedInAndOutAndKeepsTheChoice)
{
    std::vector<SerialDevice> devices{adapter("/dev/ttyUSB0")};
    PortChooser chooser([&devices] { return devices; });
    const Ui::PortChooser& ui = chooser.ui();
    EXPECT_FALSE(ui.testButton->isEnabled()) << "nothing is chosen while the terminal's device is not listed";
    ui.deviceList->setCurrentItem(ui.deviceList->topLevelItem(0));
    EXPECT_TRUE(ui.testButton->isEnabled());

    devices.insert(devices.begin(), adapter("/dev/ttyACM0"));
    chooser.refresh();
    EXPECT_EQ(shownNames(chooser), (QStringList{"/dev/ttyACM0", "/dev/ttyUSB0"}));
    ASSERT_EQ(ui.deviceList->selectedItems().size(), 1);
    EXPECT_EQ(ui.deviceList->selectedItems().front()->text(0), "/dev/ttyUSB0");

    devices.front().mayOpen = false;
    devices.front().group = "dialout";
    chooser.refresh();
    ui.deviceList->setCurrentItem(ui.deviceList->topLevelItem(0));
    EXPECT_EQ(ui.deviceList->topLevelItem(0)->text(2), "no permission (group dialout)");
    EXPECT_EQ(ui.chosenLabel->text(),
              "/dev/ttyACM0\nTo open it: join the group dialout (sudo adduser $USER dialout), then log in again");

    devices.clear();
    chooser.refresh();
    EXPECT_TRUE(shownNames(chooser).isEmpty());
    EXPECT_FALSE(ui.noDevicesLabel->isHidden());
    EXPECT_TRUE(ui.chosenLabel->text().isEmpty());
    EXPECT_FALSE(ui.saveButton->isEnabled());
    EXPECT_FALSE(ui.startButton->isEnabled());
}

TEST_F(PortChooserTest, SavesTheChoiceForTheTerminalsPortThroughVk785n)
{
    const std::vector<SerialDevice> devices = listSerialDevices();
    if (devices.empty())
        GTEST_SKIP() << "this machine has no serial device to choose";
    storePortNumber("dword:00000002");
    PortChooser chooser;
    const Ui::PortChooser& ui = chooser.ui();
    EXPECT_EQ(ui.portNameLabel->text(), "COM2");
    EXPECT_EQ(ui.saveButton->text(), "Save as COM2");
    ui.deviceList->setCurrentItem(ui.deviceList->topLevelItem(0));
    QTest::mouseClick(ui.saveButton, Qt::LeftButton);
    EXPECT_FALSE(ui.saveButton->isEnabled()) << "one command of vk785n at a time";
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.saveButton->isEnabled(); }, static_cast<int>(kCompanionTime.count())));

    // The stable name where there is one, as `vk785n ports --assign` writes it.
    const std::string written = nameOf(devices.front()).toStdString();
    const std::vector<ProfileEntry> entries = PortMap().entries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries.front().key, "COM2");
    EXPECT_EQ(entries.front().value, written);
    EXPECT_TRUE(ui.resultLabel->text().startsWith(QString::fromStdString("COM2 = " + written)))
        << ui.resultLabel->text().toStdString();
    EXPECT_TRUE(ui.portDeviceLabel->text().startsWith(QString::fromStdString(written)));
    EXPECT_FALSE(std::filesystem::exists(settings() / "DudAved.ini")) << "the chooser writes no port number";
}

struct CaptionCase {
    const char* name;
    const char* locale;
    const char* testButton;
    const char* saveButton;
    const char* title;
};

class ChooserCaptions : public test::ChooserFixture, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(ChooserCaptions, InTheLocalesLanguage)
{
    QTranslator translator;
    if (loadChooserTranslation(translator, QLocale(GetParam().locale)))
        QCoreApplication::installTranslator(&translator);
    PortChooser chooser([] { return std::vector<SerialDevice>{}; });
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(chooser.ui().testButton->text(), QString::fromUtf8(GetParam().testButton));
    EXPECT_EQ(chooser.ui().saveButton->text(), QString::fromUtf8(GetParam().saveButton));
    EXPECT_EQ(chooser.windowTitle(), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ChooserCaptions,
    ::testing::Values(CaptionCase{"japanese", "ja_JP", "接続テスト", "COM1 として保存", "シリアルポートの選択"},
                      CaptionCase{"japaneseLanguageOnly", "ja", "接続テスト", "COM1 として保存",
                                  "シリアルポートの選択"},
                      CaptionCase{"c", "C", "Test Connection", "Save as COM1", "Choose Serial Port"},
                      CaptionCase{"english", "en_US", "Test Connection", "Save as COM1", "Choose Serial Port"},
                      CaptionCase{"german", "de_DE", "Test Connection", "Save as COM1", "Choose Serial Port"}),
    test::caseName<CaptionCase>);

}  // namespace
}  // namespace vk
