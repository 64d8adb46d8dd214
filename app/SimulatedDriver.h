#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vk {

// The simulated driver, vk785n-sim from beside this program, run as a child
// process for as long as the program runs. Its command log goes to our stderr.
class SimulatedDriver {
public:
    SimulatedDriver() = default;
    ~SimulatedDriver();
    SimulatedDriver(const SimulatedDriver&) = delete;
    SimulatedDriver& operator=(const SimulatedDriver&) = delete;

    // Starts it with the given simulator options; the device path of its
    // line, or an empty text with the reason in error().
    QString start(const QString& program, const QStringList& options);
    const QString& error() const { return error_; }

private:
    QProcess process_;
    QString error_;
};

}  // namespace vk
