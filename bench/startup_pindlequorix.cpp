// The program's own start-up, ending once the window has first been painted.

#include "FirstShown.h"
#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    pq::prepareApplication();
    const QApplication app(argc, argv);
    new FirstShown(pq::openMainWindow());
    return QApplication::exec();
}
