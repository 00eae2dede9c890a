// The program's own start-up, as main.cpp does it, ending once the window has first been painted.

#include "FirstShown.h"
#include "frmMain.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *window = new pq::frmMain;
    new FirstShown(window);
    window->show();
    return QApplication::exec();
}
