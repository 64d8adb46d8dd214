#include "app/SimulatedDriver.h"

#include <csignal>
#include <sys/prctl.h>

namespace vk {
namespace {

constexpr int kStartMs = 5000;

}  // namespace

SimulatedDriver::~SimulatedDriver()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(kStartMs))
        process_.kill();
}

QString SimulatedDriver::start(const QString& program, const QStringList& options)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The program can end at once, without destructors (the Exit button):
    // the kernel then stops the simulator with it.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.start(program, options);
    if (!process_.waitForStarted(kStartMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(program, process_.errorString());
        return {};
    }
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(kStartMs)) {
            error_ = QStringLiteral("%1 gave no device path").arg(program);
            return {};
        }
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

}  // namespace vk
