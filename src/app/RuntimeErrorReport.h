#pragma once

#include <QString>
#include <exception>

class QWidget;

namespace pq {

// The text a user sees for an error that escaped a handler, e.g. "运行时错误 '6':\n\n溢出".
[[nodiscard]] QString runtimeErrorMessage(const std::exception &error);

// Shows the error in a message box over window, then ends the program with a non-zero status.
void reportErrorAndQuit(QWidget *window, const std::exception &error);

} // namespace pq
