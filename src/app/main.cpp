#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    pq::prepareApplication();
    const QApplication app(argc, argv);
    pq::openMainWindow();
    return QApplication::exec();
}
