// The doctor's report: its JSON read, shown in the chooser, and the real
// vk785n run against a simulated drive and against nothing.
#include "chooser/DoctorReport.h"
#include "chooser/CompanionProgram.h"
#include "chooser/PortChooser.h"
#include "sim/SimulatorProcess.h"
#include "tests/chooser/ChooserFixture.h"
#include "tests/support/NamedCase.h"
#include "ui_PortChooser.h"

#include <QSignalSpy>

namespace vk {
namespace {

using test::PrintTo;
using namespace std::chrono_literals;

constexpr std::chrono::milliseconds kDoctorTime = 20s;  // for vk785n's walk to end, well past what it needs

constexpr char kNoAnswer[] = R"({"drive":"/dev/ttyUSB0","device":"/dev/ttyUSB0","steps":[
    {"passed":true,"text":"/dev/ttyUSB0 exists"},
    {"passed":true,"text":"CTS is high: the drive lets us send"},
    {"passed":false,"text":"no answer to the status query"}],
  "verdict":"no answer","finding":"no answer to the status query",
  "remedy":"check that the driver is powered and the cable is in both ports","exitStatus":15})";

struct JsonCase {
    const char* name;
    const char* json;
    bool report;  // whether it is one
};

class DoctorJsonCases : public ::testing::TestWithParam<JsonCase> {};

TEST_P(DoctorJsonCases, TakesOnlyAReport)
{
    EXPECT_EQ(parseDoctorReport(GetParam().json).has_value(), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DoctorJsonCases,
    ::testing::Values(
        JsonCase{"full", kNoAnswer, true},
        JsonCase{"noSuchDevice",
                 R"({"steps":[{"passed":false,"text":"gone"}],"verdict":"no such device","exitStatus":10})", true},
        JsonCase{"noVerdict", R"({"steps":[],"exitStatus":10})", false},
        JsonCase{"stepsNoArray", R"({"steps":"none","verdict":"answered","exitStatus":0})", false},
        JsonCase{"noStatus", R"({"steps":[],"verdict":"answered"})", false},
        JsonCase{"notJson", "vk785n: unrecognised option '--json'", false}, JsonCase{"empty", "", false}),
    test::caseName<JsonCase>);

class DoctorInWindow : public test::ChooserFixture {};

TEST_F(DoctorInWindow, ShowsStepsVerdictAndWhatToDo)
{
    PortChooser chooser([] { return std::vector<SerialDevice>{}; });
    chooser.showDoctorReport(*parseDoctorReport(kNoAnswer));
    const Ui::PortChooser& ui = chooser.ui();
    ASSERT_EQ(ui.stepList->count(), 3);
    EXPECT_EQ(ui.stepList->item(0)->text(), "/dev/ttyUSB0 exists");
    EXPECT_EQ(ui.stepList->item(1)->text(), "CTS is high: the drive lets us send");
    EXPECT_EQ(ui.stepList->item(2)->text(), "no answer to the status query");
    const auto look = [&ui](int step) { return ui.stepList->item(step)->icon().pixmap(16).toImage(); };
    EXPECT_EQ(look(0), look(1));
    EXPECT_NE(look(0), look(2)) << "a step passed looks unlike one that did not";
    EXPECT_EQ(ui.testBox->title(), "Connection test of /dev/ttyUSB0");
    EXPECT_EQ(ui.verdictLabel->text(), "Verdict: no answer: no answer to the status query");
    EXPECT_EQ(ui.remedyLabel->text(), "What to do: check that the driver is powered and the cable is in both ports");
}

// The doctor run as the chooser runs it; the report as doctorFinished gives it.
DoctorReport doctorOn(const QString& device, const QString& program = CompanionProgram::besideThisProgram("vk785n"))
{
    CompanionProgram companion(program);
    QSignalSpy finished(&companion, &CompanionProgram::doctorFinished);
    companion.runDoctor(device);
    EXPECT_TRUE(companion.busy());
    EXPECT_TRUE(finished.wait(static_cast<int>(kDoctorTime.count())));
    EXPECT_FALSE(companion.busy());
    return finished.isEmpty() ? DoctorReport{} : finished.front().front().value<DoctorReport>();
}

TEST_F(DoctorInWindow, RealDoctorAgainstTheSimulatedDrive)
{
    const sim::SimulatorProcess simulator(sim::SimulatorProcess::besideThisProgram(), {"--status", "1"},
                                          sim::SimulatorLog::Discarded);
    const DoctorReport report = doctorOn(QString::fromStdString(simulator.devicePath()));
    EXPECT_EQ(report.verdict, "answered");
    EXPECT_EQ(report.exitStatus, 0);
    EXPECT_TRUE(report.finding.contains("servo on")) << report.finding.toStdString();
    ASSERT_FALSE(report.steps.empty());
    EXPECT_TRUE(report.steps.back().passed);
}

TEST_F(DoctorInWindow, NoDeviceAndNoProgramAreReportsToo)
{
    const DoctorReport gone = doctorOn("/dev/vk785n-gone");
    EXPECT_EQ(gone.verdict, "no such device");
    EXPECT_EQ(gone.exitStatus, 10);
    const DoctorReport none = doctorOn("/dev/null", "/nonexistent/vk785n");
    EXPECT_EQ(none.verdict, "the doctor gave no report");
    EXPECT_TRUE(none.finding.startsWith("/nonexistent/vk785n cannot be started")) << none.finding.toStdString();
}

}  // namespace
}  // namespace vk
