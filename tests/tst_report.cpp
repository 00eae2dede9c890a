#include "report/EvaluationReport.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>
#include <limits>
#include <optional>

using namespace pq;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QStringList Provinces =
    QStringLiteral("山东 河北 湖南 湖北 广东 广西 北京 上海 宁夏 山西 河南 安徽 福建 四川 重庆 贵州")
        .split(u' ');
const float LargestBelowOne = std::nextafter(1.0F, 0.0F);

// Hands out the given draws in order and records how it was used.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<float> draws) : m_draws(std::move(draws)) {}

    void reseedFromClock() override { m_log += u'R'; }
    float next() override
    {
        m_log += u'n';
        return m_draws.at(m_drawn++ % m_draws.size());
    }

    [[nodiscard]] const QString &log() const { return m_log; }

private:
    QList<float> m_draws;
    qsizetype m_drawn = 0;
    QString m_log;
};

QString expectedReport(const QStringList &latencies, int readIops, int writeIops)
{
    QString report = QStringLiteral("网速测试：ping值测试") + CrLf;
    for (qsizetype i = 0; i < Provinces.size(); ++i)
        report += Provinces.at(i) + u':' + latencies.at(i) + QStringLiteral("毫秒") + CrLf;
    report += QStringLiteral("ssd随机读：单次I/O的块文件4K:") + QString::number(readIops) +
              QStringLiteral("iops") + CrLf;
    report += QStringLiteral("ssd随机写：单次I/O的块文件4K:") + QString::number(writeIops) +
              QStringLiteral("iops") + CrLf;
    return report;
}

} // namespace

class TestReport final : public QObject
{
    Q_OBJECT

private slots:
    void reportAtTheDrawExtremes_data();
    void reportAtTheDrawExtremes();
    void drawsFollowProvinceOrderThenReadThenWrite();
    void formatTwoDecimals_data();
    void formatTwoDecimals();
    void manyRealReportsAreWellFormedAndInRange();
    void sourcesSeededAtDifferentMomentsDiffer();
    void quickSuccessiveReportsDiffer();
    void systemStyleFollowsTheLocaleEnvironment();
    void realReportUsesTheSystemSeparator();
};

void TestReport::reportAtTheDrawExtremes_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<NumberStyle>("style");
    QTest::addColumn<QString>("latency");
    QTest::addColumn<int>("readIops");
    QTest::addColumn<int>("writeIops");

    const NumberStyle point;
    const NumberStyle comma{QStringLiteral(","), true};
    const NumberStyle bare{QStringLiteral("."), false};
    QTest::newRow("zero") << 0.0F << point << "0.70" << 29000 << 22000;
    QTest::newRow("largest below one rounds up to 5.00")
        << LargestBelowOne << point << "5.00" << 36000 << 35000;
    QTest::newRow("comma separator") << 0.0F << comma << "0,70" << 29000 << 22000;
    QTest::newRow("no leading zero") << 0.0F << bare << ".70" << 29000 << 22000;
    QTest::newRow("no leading zero above one") << LargestBelowOne << bare << "5.00" << 36000 << 35000;
    // 0.5 * 4.3 + 0.7 = 2.85; 0.5 * 8 = 4 -> 33; 0.5 * 14 = 7 -> 29
    QTest::newRow("middle") << 0.5F << point << "2.85" << 33000 << 29000;
    // Just below a step: floor, not rounding, decides the SSD figure.
    QTest::newRow("just below one eighth")
        << std::nextafter(0.125F, 0.0F) << point << "1.24" << 29000 << 23000;
}

void TestReport::reportAtTheDrawExtremes()
{
    QFETCH(float, draw);
    QFETCH(NumberStyle, style);
    QFETCH(QString, latency);
    QFETCH(int, readIops);
    QFETCH(int, writeIops);

    ScriptedRandom random({draw});
    const QString report = buildEvaluationReport(random, style);

    QCOMPARE(report, expectedReport(QStringList(Provinces.size(), latency), readIops, writeIops));
    QCOMPARE(report.count(CrLf), 19);
    QVERIFY(report.endsWith(CrLf));
}

void TestReport::drawsFollowProvinceOrderThenReadThenWrite()
{
    // Draw i gives province i the latency 0.7 + 4.3 * i / 32; the read draw sits in the seventh
    // eighth (35) and the write draw in the second fourteenth (23), so a swap would show.
    QList<float> draws;
    QStringList latencies;
    for (int i = 0; i < 16; ++i) {
        const float r = static_cast<float>(i) / 32.0F;
        draws << r;
        latencies << QString::number(static_cast<double>(r) * 4.3 + 0.7, 'f', 2);
    }
    draws << 6.5F / 8.0F << 1.5F / 14.0F;

    ScriptedRandom random(draws);
    const QString report = buildEvaluationReport(random, NumberStyle{});

    QCOMPARE(report, expectedReport(latencies, 35000, 23000));
    QCOMPARE(random.log(), u'R' + QString(18, u'n'));
}

void TestReport::formatTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("leadingZero");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lowest latency") << 0.7 << "." << true << "0.70";
    QTest::newRow("rounds down below the half") << 4.994999 << "." << true << "4.99";
    QTest::newRow("5.00 only by rounding up") << 4.9950001 << "." << true << "5.00";
    QTest::newRow("just below five") << 4.9999997 << "." << true << "5.00";
    QTest::newRow("comma") << 1.234 << "," << true << "1,23";
    QTest::newRow("no leading zero below one") << 0.7 << "." << false << ".70";
    QTest::newRow("no leading zero, comma") << 0.994 << "," << false << ",99";
    QTest::newRow("no leading zero keeps other digits") << 3.0 << "." << false << "3.00";
    QTest::newRow("no leading zero keeps a ten") << 10.5 << "." << false << "10.50";
    QTest::newRow("rounds up into one") << 0.999 << "." << false << "1.00";
    QTest::newRow("separator of several characters") << 2.5 << " . " << true << "2 . 50";
    QTest::newRow("negative without leading zero") << -0.25 << "." << false << "-.25";
    QTest::newRow("no digit grouping") << 123456.789 << "." << true << "123456.79";
}

void TestReport::formatTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(bool, leadingZero);
    QFETCH(QString, expected);

    QCOMPARE(pq::formatTwoDecimals(value, NumberStyle{separator, leadingZero}), expected);
}

void TestReport::manyRealReportsAreWellFormedAndInRange()
{
    static const QRegularExpression latencyLine(QStringLiteral("^(\\S\\S):(\\d)\\.(\\d\\d)毫秒$"));
    static const QRegularExpression readLine(QStringLiteral("^ssd随机读：单次I/O的块文件4K:(\\d+)iops$"));
    static const QRegularExpression writeLine(QStringLiteral("^ssd随机写：单次I/O的块文件4K:(\\d+)iops$"));

    constexpr int Reports = 10'000;
    ClockSeededRandom random;
    QSet<int> reads;
    QSet<int> writes;
    int lowestLatency = std::numeric_limits<int>::max();
    int highestLatency = 0;

    for (int n = 0; n < Reports; ++n) {
        const QString report = buildEvaluationReport(random, NumberStyle{});
        QVERIFY(report.endsWith(CrLf));
        const QStringList lines = report.chopped(2).split(CrLf);
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines.first(), QStringLiteral("网速测试：ping值测试"));

        for (int i = 0; i < 16; ++i) {
            const auto match = latencyLine.match(lines.at(i + 1));
            QVERIFY2(match.hasMatch(), qPrintable(lines.at(i + 1)));
            QCOMPARE(match.captured(1), Provinces.at(i));
            const int hundredths = match.captured(2).toInt() * 100 + match.captured(3).toInt();
            lowestLatency = std::min(lowestLatency, hundredths);
            highestLatency = std::max(highestLatency, hundredths);
        }
        const auto read = readLine.match(lines.at(17));
        const auto write = writeLine.match(lines.at(18));
        QVERIFY2(read.hasMatch() && write.hasMatch(), qPrintable(report));
        reads.insert(read.captured(1).toInt());
        writes.insert(write.captured(1).toInt());
    }

    QVERIFY2(
        lowestLatency >= 70 && highestLatency <= 500,
        qPrintable(QStringLiteral("latency %1..%2 (hundredths)").arg(lowestLatency).arg(highestLatency)));
    // With 10,000 draws every step is hit (the odds that one of the fourteen write steps is missed are below
    // 1e-300): a figure outside the steps or a missing end shows here.
    QSet<int> expectedReads;
    for (int k = 29; k <= 36; ++k)
        expectedReads.insert(k * 1000);
    QSet<int> expectedWrites;
    for (int k = 22; k <= 35; ++k)
        expectedWrites.insert(k * 1000);
    QCOMPARE(reads, expectedReads);
    QCOMPARE(writes, expectedWrites);
}

void TestReport::sourcesSeededAtDifferentMomentsDiffer()
{
    // Each program starts with a fresh source: were the clock left out of the seed, every launch would
    // show the same first report.
    ClockSeededRandom first;
    first.reseedFromClock();
    QTest::qSleep(20); // longer than the coarsest system clock tick (Windows: 15.6 ms)
    ClockSeededRandom second;
    second.reseedFromClock();
    QList<float> firstDraws;
    QList<float> secondDraws;
    for (int i = 0; i < 18; ++i) {
        firstDraws << first.next();
        secondDraws << second.next();
    }
    QVERIFY(firstDraws != secondDraws);
}

void TestReport::quickSuccessiveReportsDiffer()
{
    // Every call reseeds from the clock; a seed of whole seconds (or none) would repeat reports here.
    ClockSeededRandom random;
    QString previous = buildEvaluationReport(random, NumberStyle{});
    for (int n = 0; n < 1000; ++n) {
        QString current = buildEvaluationReport(random, NumberStyle{});
        QVERIFY(current != previous);
        previous = std::move(current);
    }
}

namespace {

// The number style the environment of this run was given, as its CTest entry states it
// (PQ_EXPECTED_DECIMAL_SEPARATOR, PQ_EXPECTED_LEADING_ZERO); nothing when the run states none.
std::optional<NumberStyle> expectedSystemStyle()
{
    if (!qEnvironmentVariableIsSet("PQ_EXPECTED_DECIMAL_SEPARATOR"))
        return std::nullopt;
    return NumberStyle{qEnvironmentVariable("PQ_EXPECTED_DECIMAL_SEPARATOR"),
                       qEnvironmentVariable("PQ_EXPECTED_LEADING_ZERO") != u"0"};
}

} // namespace

void TestReport::systemStyleFollowsTheLocaleEnvironment()
{
    const auto expected = expectedSystemStyle();
    if (!expected)
        QSKIP("runs under the locales and regional settings the test suite sets up");

    const NumberStyle style = systemNumberStyle();
    QCOMPARE(style.decimalSeparator, expected->decimalSeparator);
    QCOMPARE(style.leadingZero, expected->leadingZero);
}

void TestReport::realReportUsesTheSystemSeparator()
{
    const auto expected = expectedSystemStyle();
    if (!expected)
        QSKIP("runs under the locales and regional settings the test suite sets up");

    // Draws that give 0.93 and 2.18, alternately: one figure below 1 and one above.
    ScriptedRandom random({0.0535F, 0.3442F});
    const QStringList lines = buildEvaluationReport(random, systemNumberStyle()).chopped(2).split(CrLf);
    const QString &separator = expected->decimalSeparator;
    const QString belowOne =
        (expected->leadingZero ? QStringLiteral("0") : QString()) + separator + QStringLiteral("93");
    QCOMPARE(lines.at(1), QStringLiteral("山东:") + belowOne + QStringLiteral("毫秒"));
    QCOMPARE(lines.at(2), QStringLiteral("河北:2") + separator + QStringLiteral("18毫秒"));
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
