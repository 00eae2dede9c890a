#include "ReportPlayback.h"

#include "RuntimeError.h"

namespace pq {
namespace {
constexpr QStringView LineEnd = u"\r\n";
} // namespace

ReportPlayback::ReportPlayback(ResultBox &resultBox, PlaybackTimer &timer, ReportSource buildReport)
    : m_resultBox(resultBox), m_timer(timer), m_buildReport(std::move(buildReport))
{}

void ReportPlayback::StartEvaluation()
{
    m_state.NextLineIndex = 0;
    const QString report = m_buildReport();
    // The report ends in CR LF, so the last element is empty: its reveal leaves an empty last line.
    m_state.ReportLines = report.split(LineEnd.toString(), Qt::KeepEmptyParts, Qt::CaseSensitive);
    m_resultBox.setText(QString());
    m_state.LastLineIndex = CheckedNarrow(m_state.ReportLines.size() - 1);
    m_timer.setInterval(RevealInterval);
}

void ReportPlayback::RevealNextLine()
{
    if (m_state.NextLineIndex > m_state.LastLineIndex) {
        m_timer.setInterval(0ms);
        return;
    }
    // Only reachable by a tick before the first start, which the idle timer never delivers.
    if (m_state.NextLineIndex >= m_state.ReportLines.size())
        throw SubscriptOutOfRangeError();

    QString text = m_resultBox.text();
    text += m_state.ReportLines.at(m_state.NextLineIndex);
    text += LineEnd;
    m_resultBox.setText(text);
    m_state.NextLineIndex = CheckedIncrement(m_state.NextLineIndex);
}

} // namespace pq
