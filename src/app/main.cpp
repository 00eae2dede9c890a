#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    pq::OpenMainWindow();
    return QApplication::exec();
}
