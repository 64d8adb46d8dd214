#include "chooser/PortChooser.h"

#include "ui_PortChooser.h"

#include <QProcess>
#include <QStyle>

#include <utility>

namespace vk {

PortChooser::PortChooser(DeviceLister listDevices, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::PortChooser>()), listDevices_(std::move(listDevices))
{
    ui_->setupUi(this);
    // The device's name takes what the others leave, shortened in the middle
    // where a by-id name is longer: its maker's start and port's end stay.
    QHeaderView& header = *ui_->deviceList->header();
    header.setStretchLastSection(false);
    header.setSectionResizeMode(QHeaderView::ResizeToContents);
    header.setSectionResizeMode(0, QHeaderView::Stretch);
    wireEvents();
    refresh();
    relistTimer_.start(kRelistInterval);
}

PortChooser::~PortChooser() = default;

void PortChooser::wireEvents()
{
    connect(&relistTimer_, &QTimer::timeout, this, &PortChooser::refresh);
    connect(ui_->deviceList, &QTreeWidget::itemSelectionChanged, this, &PortChooser::updateButtons);
    connect(ui_->deviceList, &QTreeWidget::itemSelectionChanged, this, &PortChooser::showChosenDevice);
    connect(ui_->testButton, &QPushButton::clicked, this, &PortChooser::testConnection);
    connect(ui_->saveButton, &QPushButton::clicked, this, &PortChooser::saveChoice);
    connect(ui_->startButton, &QPushButton::clicked, this, &PortChooser::startTerminal);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(&companion_, &CompanionProgram::doctorFinished, this, &PortChooser::showDoctorReport);
    connect(&companion_, &CompanionProgram::assignFinished, this, &PortChooser::showSaveResult);
}

void PortChooser::refresh()
{
    port_ = readTerminalPort();
    showTerminalPort();
    std::vector<DeviceRow> rows;
    for (const SerialDevice& device : listDevices_())
        rows.push_back(deviceRow(device));
    // Built anew only when something changed, so a re-listing neither flickers nor moves the choice.
    if (rows != rows_)
        showDevices(std::move(rows));
}

void PortChooser::showDevices(std::vector<DeviceRow> rows)
{
    // The operator's choice stays through a re-listing; before one, the terminal's own device.
    const std::optional<DeviceRow> chosen = chosenDevice();
    const QString keep = chosen ? chosen->systemPath : port_.systemDevice;
    // The rows first: a selection made below asks for its row at once.
    rows_ = std::move(rows);
    QTreeWidget& list = *ui_->deviceList;
    list.clear();
    for (const DeviceRow& row : rows_) {
        auto* item = new QTreeWidgetItem(&list, {row.name, row.adapter, row.access, row.holders});
        if (row.systemPath == keep)
            list.setCurrentItem(item);
    }
    ui_->noDevicesLabel->setVisible(rows_.empty());
    updateButtons();
}

void PortChooser::showTerminalPort()
{
    const QString problems = port_.problems.join(QStringLiteral("; "));
    ui_->portNameLabel->setText(problems.isEmpty() ? port_.name : tr("%1 (%2)").arg(port_.name, problems));
    QString device = port_.device;
    if (!port_.present)
        device = tr("%1 (not there now)").arg(port_.device);
    else if (port_.systemDevice != port_.device)
        device = tr("%1 (now %2)").arg(port_.device, port_.systemDevice);
    ui_->portDeviceLabel->setText(device);
    ui_->saveButton->setText(tr("Save as %1").arg(port_.name));
}

void PortChooser::updateButtons()
{
    // One command of vk785n at a time: a test holds the device the others would need.
    const bool ready = chosenDevice().has_value() && !companion_.busy();
    ui_->testButton->setEnabled(ready);
    ui_->saveButton->setEnabled(ready);
    ui_->startButton->setEnabled(ready);
}

// In full what the list may shorten: the by-id name, the device it leads to
// now, and what to do when this user may not open it.
void PortChooser::showChosenDevice()
{
    const std::optional<DeviceRow> chosen = chosenDevice();
    QString text;
    if (chosen)
        text = chosen->name == chosen->systemPath ? chosen->name
                                                  : tr("%1, now %2").arg(chosen->name, chosen->systemPath);
    if (chosen && !chosen->remedy.isEmpty())
        text += '\n' + tr("To open it: %1").arg(chosen->remedy);
    ui_->chosenLabel->setText(text);
}

std::optional<DeviceRow> PortChooser::chosenDevice() const
{
    const QList<QTreeWidgetItem*> selected = ui_->deviceList->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return rows_.at(static_cast<std::size_t>(ui_->deviceList->indexOfTopLevelItem(selected.front())));
}

void PortChooser::testConnection()
{
    const std::optional<DeviceRow> chosen = chosenDevice();
    if (!chosen)
        return;
    ui_->testBox->setTitle(tr("Connection test of %1").arg(chosen->name));
    ui_->stepList->clear();
    ui_->verdictLabel->setText(tr("Testing..."));
    ui_->remedyLabel->clear();
    companion_.runDoctor(chosen->name);
    updateButtons();
}

void PortChooser::showDoctorReport(const DoctorReport& report)
{
    ui_->testBox->setTitle(tr("Connection test of %1").arg(report.device));
    ui_->stepList->clear();
    for (const DoctorStep& step : report.steps) {
        const auto icon = step.passed ? QStyle::SP_DialogApplyButton : QStyle::SP_DialogCancelButton;
        new QListWidgetItem(style()->standardIcon(icon), step.text, ui_->stepList);
    }
    const QString verdict = report.finding.isEmpty() ? report.verdict : report.verdict + ": " + report.finding;
    ui_->verdictLabel->setText(tr("Verdict: %1").arg(verdict));
    ui_->remedyLabel->setText(report.remedy.isEmpty() ? QString() : tr("What to do: %1").arg(report.remedy));
    updateButtons();
}

void PortChooser::saveChoice()
{
    const std::optional<DeviceRow> chosen = chosenDevice();
    if (!chosen)
        return;
    ui_->resultLabel->setText(tr("Saving..."));
    companion_.assignPort(port_.name, chosen->name);
    updateButtons();
}

void PortChooser::showSaveResult(bool assigned, const QString& message)
{
    ui_->resultLabel->setText(assigned ? message : tr("Not saved: %1").arg(message));
    refresh();
    updateButtons();
}

void PortChooser::startTerminal()
{
    const std::optional<DeviceRow> chosen = chosenDevice();
    if (!chosen)
        return;
    const QString terminal = CompanionProgram::besideThisProgram(QStringLiteral("termvk785n"));
    // The chooser's work is done once the terminal runs; it holds no port.
    if (QProcess::startDetached(terminal, terminalArguments(readTerminalPort(), *chosen))) {
        close();
        return;
    }
    ui_->resultLabel->setText(tr("%1 cannot be started").arg(terminal));
}

}  // namespace vk
