#include "playback/ReportPlayback.h"

#include "playback/RuntimeError.h"
#include "report/EvaluationReport.h"

namespace pq {

ReportPlayback::ReportPlayback(ResultBox &resultBox, PlaybackTimer &timer, ReportSource buildReport)
    : m_resultBox(resultBox), m_timer(timer), m_buildReport(std::move(buildReport))
{}

void ReportPlayback::start()
{
    m_state.nextLine = 0;
    const QString report = m_buildReport();
    // The report ends in CR LF, so the last element is empty: its reveal leaves an empty last line.
    m_state.lines = report.split(LineEnd.toString(), Qt::KeepEmptyParts, Qt::CaseSensitive);
    m_resultBox.setText(QString());
    m_state.lastLine = checkedNarrow(m_state.lines.size() - 1);
    m_timer.setInterval(RevealInterval);
}

bool ReportPlayback::revealNextLine()
{
    if (m_state.nextLine > m_state.lastLine) {
        m_timer.setInterval(std::chrono::milliseconds::zero());
        return false;
    }
    // Only reachable by a tick before the first start, which the idle timer never delivers.
    if (m_state.nextLine >= m_state.lines.size())
        throw SubscriptOutOfRangeError();

    QString text = m_resultBox.text();
    text += m_state.lines.at(m_state.nextLine);
    text += LineEnd;
    m_resultBox.setText(text);
    m_state.nextLine = checkedIncrement(m_state.nextLine);
    return m_state.nextLine > m_state.lastLine;
}

} // namespace pq
