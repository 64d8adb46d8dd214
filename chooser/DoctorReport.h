#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace vk {

// One step of the connection doctor's walk.
struct DoctorStep {
    bool passed = false;
    QString text;

    bool operator==(const DoctorStep&) const = default;
};

// What `vk785n doctor --json` found: its steps, the one verdict and what to do.
struct DoctorReport {
    QString device;
    std::vector<DoctorStep> steps;
    QString verdict;
    QString finding;
    QString remedy;
    int exitStatus = -1;  // the doctor's exit status for its verdict; -1 when it gave none
};

// The report in the doctor's JSON; nullopt when the text is no such report.
std::optional<DoctorReport> parseDoctorReport(const QByteArray& json);

}  // namespace vk
