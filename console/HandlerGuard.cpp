#include "console/HandlerGuard.h"

#include "platform/OperatorError.h"

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
    } catch (const OperatorError& failure) {
        report(QString::fromStdString(failure.what()) + '.');
        return false;
    } catch (...) {
        // A defect (std::logic_error, std::out_of_range) ends the program here,
        // loudly, instead of unwinding through the toolkit or hiding in a box.
        std::terminate();
    }
}

}  // namespace vk
