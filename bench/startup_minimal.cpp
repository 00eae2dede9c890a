// The yardstick for start-up: a bare Qt Widgets window with the same kinds of controls as the
// program's (button, group box with a multi-line text box, picture, label, line edit, timer), and
// nothing else.

#include "FirstShown.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(608, 558);
    window->setWindowTitle(QStringLiteral("最小窗口"));
    (new QLineEdit(QStringLiteral("https://example.example/"), window))->setGeometry(16, 520, 529, 25);
    (new QLabel(window))->setGeometry(64, 432, 465, 41);
    new QTimer(window);
    auto *frame = new QGroupBox(QStringLiteral("报告"), window);
    frame->setGeometry(24, 72, 553, 345);
    (new QTextEdit(frame))->setGeometry(24, 24, 497, 297);
    (new QPushButton(QStringLiteral("开始"), window))->setGeometry(192, 16, 209, 41);
    (new QLabel(QStringLiteral("标签"), window))->setGeometry(16, 480, 193, 25);
    new FirstShown(window);
    window->show();
    return QApplication::exec();
}
