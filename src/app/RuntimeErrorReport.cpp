#include "app/RuntimeErrorReport.h"

#include "app/BuildInfo.h"
#include "playback/RuntimeError.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <new>

namespace pq {
namespace {
constexpr int OutOfMemory = 7;
constexpr int ApplicationDefinedError = 95;
constexpr int ExitStatusAfterError = 1;
} // namespace

QString runtimeErrorMessage(const std::exception &error)
{
    int number = ApplicationDefinedError;
    QString description = QString::fromUtf8(error.what());
    if (const auto *runtimeError = dynamic_cast<const RuntimeError *>(&error)) {
        number = runtimeError->number();
    } else if (dynamic_cast<const std::bad_alloc *>(&error) != nullptr) {
        number = OutOfMemory;
        description = QStringLiteral("内存不足");
    }
    return QStringLiteral("运行时错误 '%1':\n\n%2").arg(number).arg(description);
}

void reportErrorAndQuit(QWidget *window, const std::exception &error)
{
    QMessageBox::critical(window, QString::fromUtf16(build::ProductName), runtimeErrorMessage(error));
    QCoreApplication::exit(ExitStatusAfterError);
}

} // namespace pq
