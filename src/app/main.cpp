#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    pq::openMainWindow();
    return QApplication::exec();
}
