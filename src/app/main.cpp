#include "frmMain.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // the program's own language
    auto *window = new pq::frmMain;                                 // deletes itself when closed
    window->show();
    return QApplication::exec();
}
