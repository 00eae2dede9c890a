#pragma once

// Helpers shared by the tests of the playback and the window.

#include <QString>
#include <algorithm>
#include <functional>

namespace pq::test {

inline const QString CrLf = QStringLiteral("\r\n");

// Reports whose lines name their report ("A1".."A19", then "B1".., each ending in CR LF), so that
// no line of one report can pass for a line of another.
inline std::function<QString()> letteredReports()
{
    return [made = char16_t{0}]() mutable {
        const QChar letter(char16_t(u'A' + made++));
        QString report;
        for (int line = 1; line <= 19; ++line)
            report += letter + QString::number(line) + CrLf;
        return report;
    };
}

// The box after `count` reveals of a lettered report: its first lines, and from the 20th reveal on
// the empty element after the report's final CR LF.
inline QString firstLines(QChar letter, int count)
{
    QString text;
    for (int line = 1; line <= std::min(count, 19); ++line)
        text += letter + QString::number(line) + CrLf;
    if (count >= 20)
        text += CrLf;
    return text;
}

} // namespace pq::test
