#include "TestSupport.h"
#include "playback/ReportPlayback.h"
#include "playback/RuntimeError.h"
#include "report/EvaluationReport.h"

#include <QTest>

using namespace pq;
using namespace pq::test;
using namespace std::chrono_literals;

namespace {

class FakeResultBox final : public ResultBox
{
public:
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }

    QString content;
};

class FakeTimer final : public PlaybackTimer
{
public:
    void setInterval(std::chrono::milliseconds interval) override { intervals.append(interval); }

    [[nodiscard]] bool running() const { return !intervals.isEmpty() && intervals.last() > 0ms; }

    QList<std::chrono::milliseconds> intervals;
};

struct Rig
{
    explicit Rig(ReportPlayback::ReportSource source = letteredReports())
        : playback(box, timer, std::move(source))
    {}

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            ++ticks;
            if (playback.revealNextLine())
                completingTicks.append(ticks);
        }
    }

    FakeResultBox box;
    FakeTimer timer;
    ReportPlayback playback;
    int ticks = 0;
    QList<int> completingTicks; // the ticks that said they completed the report
};

} // namespace

class TestPlayback final : public QObject
{
    Q_OBJECT

private slots:
    void timeline_data();
    void timeline();
    void realReportSplitsIntoTwentyElements();
    void startDuringPlaybackDropsTheOldReport();
    void textTypedBetweenTicksStays();
    void startAfterACompletedRunBehavesLikeTheFirst();
    void tickBeforeAnyStartIsAnErrorNotACrash();
    void counterOverflowIsAnError();
    void checkedNarrowing_data();
    void checkedNarrowing();
};

void TestPlayback::timeline_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("nextLineIndex");
    QTest::addColumn<bool>("timerRunning");

    QTest::newRow("start leaves the box empty") << 0 << QString() << 0 << true;
    for (int k = 1; k <= 20; ++k)
        QTest::addRow("tick %d shows %d elements", k, k) << k << firstLines(u'A', k) << k << true;
    QTest::newRow("tick 21 stops the timer, box unchanged") << 21 << firstLines(u'A', 20) << 20 << false;
    QTest::newRow("a stray tick after the stop changes nothing") << 22 << firstLines(u'A', 20) << 20 << false;
}

void TestPlayback::timeline()
{
    QFETCH(int, ticks);
    QFETCH(QString, box);
    QFETCH(int, nextLineIndex);
    QFETCH(bool, timerRunning);

    Rig rig;
    rig.box.content = QStringLiteral("left over from before");
    rig.playback.start();
    QCOMPARE(rig.timer.intervals, QList{500ms});
    rig.tick(ticks);

    QCOMPARE(rig.box.content, box);
    QCOMPARE(rig.playback.state().nextLine, nextLineIndex);
    QCOMPARE(rig.playback.state().lastLine, 19);
    QCOMPARE(rig.timer.running(), timerRunning);
    // The tick that completes the report is the one that shows its last element.
    QCOMPARE(rig.completingTicks, ticks >= 20 ? QList{20} : QList<int>{});
}

void TestPlayback::realReportSplitsIntoTwentyElements()
{
    ClockSeededRandom random;
    QString report;
    Rig rig([&] { return report = buildEvaluationReport(random, NumberStyle{}); });

    rig.playback.start();
    QCOMPARE(rig.playback.state().lines.size(), 20);
    QCOMPARE(rig.playback.state().lines.last(), QString());
    rig.tick(21);
    QCOMPARE(rig.box.content, report + CrLf);
    QVERIFY(!rig.timer.running());
}

void TestPlayback::startDuringPlaybackDropsTheOldReport()
{
    Rig rig;
    rig.playback.start();
    rig.tick(7);
    rig.playback.start();

    QCOMPARE(rig.box.content, QString());
    QCOMPARE(rig.playback.state().nextLine, 0);
    QVERIFY(rig.timer.running());
    rig.tick(25);
    QCOMPARE(rig.box.content, firstLines(u'B', 20));
    QVERIFY(!rig.timer.running());
    QCOMPARE(rig.completingTicks, QList{7 + 20}); // only the new report completes
}

void TestPlayback::textTypedBetweenTicksStays()
{
    Rig rig;
    rig.playback.start();
    rig.tick(2);
    rig.box.content += QStringLiteral("我的笔记");
    rig.tick();
    rig.box.content.remove(0, 2); // the user deletes the start of the first line
    rig.tick();

    QCOMPARE(rig.box.content, QStringLiteral("\r\nA2\r\n我的笔记A3\r\nA4\r\n"));
}

void TestPlayback::startAfterACompletedRunBehavesLikeTheFirst()
{
    Rig rig;
    rig.playback.start();
    rig.tick(21);
    const QList<std::chrono::milliseconds> firstRun{500ms, 0ms};
    QCOMPARE(rig.timer.intervals, firstRun);

    rig.playback.start();
    QCOMPARE(rig.box.content, QString());
    rig.tick(21);
    QCOMPARE(rig.box.content, firstLines(u'B', 20));
    QCOMPARE(rig.timer.intervals, firstRun + firstRun);
    QCOMPARE(rig.playback.state().nextLine, 20);
}

void TestPlayback::tickBeforeAnyStartIsAnErrorNotACrash()
{
    Rig rig;
    QVERIFY(rig.timer.intervals.isEmpty());
    QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRangeError, rig.tick());
    QCOMPARE(rig.box.content, QString());
}

void TestPlayback::counterOverflowIsAnError()
{
    // 32769 elements: the upper bound 32768 does not fit the 16-bit lastLine.
    Rig tooLong([] { return QString(32768, u'\n').replace(QStringLiteral("\n"), CrLf); });
    QVERIFY_THROWS_EXCEPTION(OverflowError, tooLong.playback.start());

    // 32768 elements fit, but stepping nextLine past the last one overflows.
    Rig longest([] { return QString(32767, u'\n').replace(QStringLiteral("\n"), CrLf); });
    longest.playback.start();
    QCOMPARE(longest.playback.state().lastLine, 32767);
    longest.tick(32767);
    QCOMPARE(longest.playback.state().nextLine, 32767);
    QVERIFY_THROWS_EXCEPTION(OverflowError, longest.tick());
}

void TestPlayback::checkedNarrowing_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("fits");

    QTest::newRow("largest") << qint64{32767} << true;
    QTest::newRow("one past the largest") << qint64{32768} << false;
    QTest::newRow("smallest") << qint64{-32768} << true;
    QTest::newRow("one below the smallest") << qint64{-32769} << false;
    QTest::newRow("far out") << (qint64{1} << 40) << false;
}

void TestPlayback::checkedNarrowing()
{
    QFETCH(qint64, value);
    QFETCH(bool, fits);

    if (fits)
        QCOMPARE(checkedNarrow(value), value);
    else
        QVERIFY_THROWS_EXCEPTION(OverflowError, (void)checkedNarrow(value));
}

QTEST_GUILESS_MAIN(TestPlayback)
#include "tst_playback.moc"
