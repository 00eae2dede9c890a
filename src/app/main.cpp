#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    auto *window = new pq::frmMain; // deletes itself when closed
    window->show();
    return QApplication::exec();
}
