// The window's playback, measured as a user would feel it. Prints:
//  - tick schedule: how late each reveal lands against k x 500 ms after the click, over a complete
//    run with the real timer (median, max, and the last reveal's lateness, which shows any drift);
//  - tick cost: one reveal with 1.0 MB of pasted text in the box: the first tick after a paste, which
//    reads the box's new text once, and the ticks after it, which only append.
// Run: build/release/bench/bench_window   (offscreen unless QT_QPA_PLATFORM says otherwise)

#include "Median.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {

template<typename T> T *find(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

void measureTickSchedule(QTextStream &out)
{
    pq::MainWindow window;
    window.show();
    auto *timer = find<QTimer>(window, "revealTimer");

    QElapsedTimer sinceClick;
    std::vector<double> lateness;
    // Connected after the window's own handler, so each sample is taken once the reveal is done.
    QObject::connect(timer, &QTimer::timeout, [&] {
        const double expected = 500.0 * static_cast<double>(lateness.size() + 1);
        lateness.push_back(static_cast<double>(sinceClick.nsecsElapsed()) / 1e6 - expected);
    });

    QEventLoop loop;
    QObject::connect(timer, &QTimer::timeout, &loop, [&] {
        if (!timer->isActive())
            loop.quit();
    });
    sinceClick.start();
    find<QPushButton>(window, "startButton")->click();
    loop.exec();

    lateness.pop_back(); // the 21st tick reveals nothing: it stops the timer
    out << "tick schedule (" << lateness.size() << " reveals): lateness median " << median(lateness)
        << " ms, max " << *std::max_element(lateness.begin(), lateness.end()) << " ms, last "
        << lateness.back() << " ms\n";
}

void measureTickCost(QTextStream &out)
{
    pq::MainWindow window;
    window.show();
    auto *timer = find<QTimer>(window, "revealTimer");
    auto *box = find<QTextEdit>(window, "reportBox");
    auto *start = find<QPushButton>(window, "startButton");

    QString pasted;
    const QString line = QStringLiteral("粘贴进来的一行文字，用来把结果框填满 pasted text 0123456789\n");
    constexpr qsizetype OneMegabyte = 1'000'000;
    while (pasted.size() * 2 < OneMegabyte) // UTF-16: two bytes a character
        pasted += line;

    constexpr int Rounds = 15;
    constexpr int TicksPerRound = 10;
    std::vector<double> firstTicks;
    std::vector<double> laterTicks;
    for (int round = 0; round < Rounds; ++round) {
        start->click();
        timer->stop(); // ticks are delivered by hand below
        box->setPlainText(pasted);
        QCoreApplication::processEvents(); // the paste is laid out and painted before the next tick
        for (int k = 0; k < TicksPerRound; ++k) {
            QElapsedTimer clock;
            clock.start();
            QMetaObject::invokeMethod(timer, "timeout");
            (k == 0 ? firstTicks : laterTicks).push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
    }
    out << "tick cost with " << QString::number(static_cast<double>(pasted.size()) * 2 / 1e6, 'f', 1)
        << " MB in the box (" << Rounds << " pastes): first tick after a paste median " << median(firstTicks)
        << " ms, max " << *std::max_element(firstTicks.begin(), firstTicks.end())
        << " ms; other ticks median " << median(laterTicks) << " ms, max "
        << *std::max_element(laterTicks.begin(), laterTicks.end()) << " ms\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication app(argc, argv);
    QTextStream out(stdout);
    out.setRealNumberPrecision(3);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    measureTickCost(out);
    measureTickSchedule(out);
    return 0;
}
