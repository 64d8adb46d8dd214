#include "chooser/CompanionProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTimer>

#include <utility>

namespace vk {

CompanionProgram::CompanionProgram(QString program, QObject* parent) : QObject(parent), program_(std::move(program))
{
}

QString CompanionProgram::besideThisProgram(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

void CompanionProgram::runDoctor(const QString& device)
{
    start({QStringLiteral("doctor"), QStringLiteral("--json"), QStringLiteral("--device"), device},
          [this, device](QProcess& process) {
              // Every verdict has an exit status of its own: the report, not the status, says how it went.
              if (const auto report = parseDoctorReport(process.readAllStandardOutput())) {
                  emit doctorFinished(*report);
                  return;
              }
              DoctorReport none;
              none.device = device;
              none.verdict = tr("the doctor gave no report");
              none.finding = failure(process, QString::fromUtf8(process.readAllStandardError()));
              emit doctorFinished(none);
          });
}

void CompanionProgram::assignPort(const QString& portName, const QString& device)
{
    start({QStringLiteral("ports"), QStringLiteral("--assign"), portName + '=' + device}, [this](QProcess& process) {
        const bool assigned = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        const QString result = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        // A device that is not there now is assigned all the same, with a warning on stderr.
        const QString warning = QString::fromUtf8(process.readAllStandardError()).trimmed();
        emit assignFinished(assigned,
                            assigned ? QStringList{result, warning}.join('\n').trimmed() : failure(process, warning));
    });
}

void CompanionProgram::start(const QStringList& arguments, std::function<void(QProcess&)> finished)
{
    auto* process = new QProcess(this);
    ++running_;
    const auto end = [this, process, finished = std::move(finished)] {
        --running_;
        finished(*process);
        process->deleteLater();
    };
    connect(process, &QProcess::finished, this, end);
    // A program that does not start never finishes; every other error is followed by finished.
    connect(process, &QProcess::errorOccurred, this, [end](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end();
    });
    QTimer::singleShot(kCommandTimeout, process, &QProcess::kill);
    process->start(program_, arguments);
}

QString CompanionProgram::failure(const QProcess& process, const QString& stderrText) const
{
    if (process.error() == QProcess::FailedToStart)
        return tr("%1 cannot be started: %2").arg(program_, process.errorString());
    if (process.exitStatus() == QProcess::CrashExit)
        return tr("%1 stopped before it ended (hung for %2 s, or crashed)").arg(program_).arg(kCommandTimeout.count());
    return stderrText.trimmed();
}

}  // namespace vk
