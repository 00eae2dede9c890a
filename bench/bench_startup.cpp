// Start-up cost against a bare Qt Widgets window with the same kinds of controls: the time from
// process start to the window first painted, and the peak resident memory, as medians over many
// alternating runs of each, with their ratios.
// Run: build/release/bench/bench_startup [runs [program minimal [program-name minimal-name]]]
// (offscreen unless QT_QPA_PLATFORM says otherwise). program and minimal default to the two start-up
// programs of this build; bench/windows-footprint passes others, and names them.

#include "Median.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

struct Sample
{
    double milliseconds;
    double peakKiB;
};

Sample launch(const QString &program)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForStarted())
        qFatal("%s did not start", qPrintable(program));
    // A pipe may deliver the line in pieces.
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(30000))
            qFatal("%s showed no window", qPrintable(program));
    }
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const QByteArray line = process.readLine().trimmed();
    process.waitForFinished();
    if (!line.startsWith("shown "))
        qFatal("%s said %s", qPrintable(program), line.constData());
    return {elapsed, line.mid(6).toDouble()};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int runs = std::max(10, arguments.value(1).toInt());
    const QString programFile = arguments.value(2, QStringLiteral(STARTUP_PROGRAM));
    const QString minimalFile = arguments.value(3, QStringLiteral(STARTUP_MINIMAL));
    const QString programName = arguments.value(4, QStringLiteral("pindlequorix"));
    const QString minimalName = arguments.value(5, QStringLiteral("minimal window"));

    std::vector<double> programTime, programMemory, minimalTime, minimalMemory;
    launch(programFile); // warm the file cache for both
    launch(minimalFile);
    for (int run = 0; run < runs; ++run) {
        const Sample program = launch(programFile);
        const Sample minimal = launch(minimalFile);
        programTime.push_back(program.milliseconds);
        programMemory.push_back(program.peakKiB);
        minimalTime.push_back(minimal.milliseconds);
        minimalMemory.push_back(minimal.peakKiB);
    }

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    const double time = median(programTime), baseTime = median(minimalTime);
    const double memory = median(programMemory), baseMemory = median(minimalMemory);
    out << "start-up to first paint, median of " << runs << " runs: " << programName << ' ' << time << " ms, "
        << minimalName << ' ' << baseTime << " ms, ratio " << time / baseTime << '\n';
    const auto megabytes = [](double kibibytes) { return QString::number(kibibytes * 1024 / 1e6, 'f', 1); };
    out << "peak resident memory, median of " << runs << " runs: " << programName << ' ' << megabytes(memory)
        << " MB, " << minimalName << ' ' << megabytes(baseMemory) << " MB, ratio " << memory / baseMemory
        << '\n';
    return 0;
}
