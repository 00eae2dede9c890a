// Runs the window as the program does, in a process of its own, to see how that process ends.
//   window_probe overflow  the first click raises an overflow; prints the error box's text, answers it
//   window_probe close     closes the window during playback; prints how many ticks came after

#include "app/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

void answerErrorBoxes(QObject *context)
{
    auto *poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QTextStream(stdout) << box->text() << '\n';
            box->accept();
        }
    });
    poll->start(20);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString mode = QApplication::arguments().value(1);

    // Both outlive the event loop, which is all that reads them.
    int ticksAfterClose = 0;
    bool closed = false;
    pq::MainWindow *window = nullptr;
    if (mode == u"overflow") {
        window = new pq::MainWindow(
            [] { return QString(32768, u'\n').replace(QStringLiteral("\n"), QStringLiteral("\r\n")); }, {});
        answerErrorBoxes(&app);
    } else if (mode == u"close") {
        window = pq::openMainWindow(); // exactly as the program starts
        QObject::connect(window->findChild<QTimer *>(QStringLiteral("revealTimer")), &QTimer::timeout, &app,
                         [&] { ticksAfterClose += closed ? 1 : 0; });
        QTimer::singleShot(1100, window, [&closed, window] {
            closed = true;
            window->close();
        });
        QObject::connect(&app, &QCoreApplication::aboutToQuit,
                         [&] { QTextStream(stdout) << "ticks after close: " << ticksAfterClose << '\n'; });
    } else {
        QTextStream(stderr) << "usage: window_probe overflow|close\n";
        return 2;
    }

    window->show();
    QTimer::singleShot(0, window->findChild<QPushButton *>(QStringLiteral("startButton")),
                       &QPushButton::click);
    return QApplication::exec();
}
