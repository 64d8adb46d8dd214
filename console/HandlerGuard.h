#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vk {

// Tells the operator of a failure; the text is the failure's, "." included.
using ErrorReporter = std::function<void(const QString& message)>;

// The window's default error handling: a modal error box with the error icon,
// captioned with the application's name.
void showErrorBox(QWidget* parent, const QString& message);

// Runs one event handler. An OperatorError the handler does not catch ends it
// and is reported as its text followed by "."; the program goes on. False after
// such a failure. Anything else ends the program with the runtime's message.
bool runGuarded(const ErrorReporter& report, const std::function<void()>& handler);

}  // namespace vk
