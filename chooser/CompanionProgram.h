#pragma once

#include "chooser/DoctorReport.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class QProcess;

namespace vk {

// vk785n run as a child process without blocking the window: the connection
// doctor and the port assignment, the very commands an operator would type,
// so the chooser has no walk and no writer of its own.
class CompanionProgram : public QObject {
    Q_OBJECT

public:
    // Longer than the doctor's slowest walk (about 10 s with no answer); a
    // command still running then is taken as hung and killed.
    static constexpr std::chrono::seconds kCommandTimeout{30};

    explicit CompanionProgram(QString program = besideThisProgram(QStringLiteral("vk785n")), QObject* parent = nullptr);

    // A program in this program's folder, as it is built and installed.
    static QString besideThisProgram(const QString& name);

    bool busy() const { return running_ > 0; }
    // vk785n doctor --json --device DEVICE; doctorFinished with its report.
    void runDoctor(const QString& device);
    // vk785n ports --assign NAME=DEVICE; assignFinished with what it said.
    void assignPort(const QString& portName, const QString& device);

signals:
    void doctorFinished(const vk::DoctorReport& report);
    void assignFinished(bool assigned, const QString& message);

private:
    void start(const QStringList& arguments, std::function<void(QProcess&)> finished);
    // Why a command gave no result: it did not start, did not end, or what it said on stderr.
    QString failure(const QProcess& process, const QString& stderrText) const;

    QString program_;
    int running_ = 0;
};

}  // namespace vk
