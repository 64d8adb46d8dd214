#include "console/HandlerGuard.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <exception>

namespace vk {

void showErrorBox(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), message);
}

bool runGuarded(const ErrorReporter& report, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& failure) {
        report(QString::fromStdString(failure.what()) + '.');
        return false;
    }
}

}  // namespace vk
