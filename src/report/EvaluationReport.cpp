#include "report/EvaluationReport.h"

#include <cmath>

namespace pq {
namespace {

// One latency line each, in this order.
constexpr QStringView Provinces =
    u"山东|河北|湖南|湖北|广东|广西|北京|上海|宁夏|山西|河南|安徽|福建|四川|重庆|贵州";
constexpr QStringView LatencyHeader = u"网速测试：ping值测试";
constexpr QStringView ProvinceSeparator = u":";
constexpr QStringView LatencyUnit = u"毫秒";
constexpr QStringView ReadLabel = u"ssd随机读：单次I/O的块文件4K:";
constexpr QStringView WriteLabel = u"ssd随机写：单次I/O的块文件4K:";
constexpr QStringView SsdUnit = u"iops";

// Latency in ms: 0.7 <= ping < 5.0. The product is widened to double before 0.7 is added.
constexpr double LatencyScale = 4.3;
constexpr double LatencyFloor = 0.7;

// SSD figures in thousands of IOPS, drawn as floor(r * steps) + lowest: reads 29..36, writes 22..35.
struct SsdRange
{
    float steps;
    float lowest;
};
constexpr SsdRange ReadRange{8.0F, 29.0F};
constexpr SsdRange WriteRange{14.0F, 22.0F};
constexpr int IopsPerUnit = 1000;

constexpr qsizetype ApproximateLength = 320; // 19 lines; saves the appends from regrowing the buffer

void appendSsdLine(QString &report, QStringView label, SsdRange range, float r)
{
    const float thousands = std::floor(r * range.steps) + range.lowest;
    const int iops = static_cast<int>(thousands) * IopsPerUnit;
    report += label;
    report += QString::number(iops); // plain digits, whatever the locale
    report += SsdUnit;
    report += LineEnd;
}

} // namespace

QString buildEvaluationReport(RandomSource &random, const NumberStyle &style)
{
    QString report;
    report.reserve(ApproximateLength);
    report += LatencyHeader;
    report += LineEnd;
    random.reseedFromClock();

    for (const QStringView province : Provinces.tokenize(u'|')) {
        const double ping = static_cast<double>(random.next()) * LatencyScale + LatencyFloor;
        report += province;
        report += ProvinceSeparator;
        report += formatTwoDecimals(ping, style);
        report += LatencyUnit;
        report += LineEnd;
    }

    // Both draws happen before either line is composed, reads first.
    const float readDraw = random.next();
    const float writeDraw = random.next();
    appendSsdLine(report, ReadLabel, ReadRange, readDraw);
    appendSsdLine(report, WriteLabel, WriteRange, writeDraw);
    return report;
}

} // namespace pq
