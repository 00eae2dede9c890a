#include "EvaluationReport.h"

#include <QCoreApplication>
#include <QTextStream>

// Until the window exists: print one report.
int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    QString provinceList;
    pq::ClockSeededRandom random;
    QTextStream(stdout) << pq::BuildEvaluationReport(provinceList, random, pq::SystemNumberStyle());
    return 0;
}
