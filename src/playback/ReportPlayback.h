#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

namespace pq {

// The box the report is revealed in: the playback only ever reads its whole text or replaces it.
class ResultBox
{
public:
    virtual ~ResultBox() = default;

    [[nodiscard]] virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// The timer that paces the reveal: an interval of 0 stops it; any other interval (re)starts it.
class PlaybackTimer
{
public:
    virtual ~PlaybackTimer() = default;

    virtual void setInterval(std::chrono::milliseconds interval) = 0;
};

inline constexpr std::chrono::milliseconds RevealInterval{500};

struct PlaybackState
{
    QStringList lines;   // the current report cut at CR LF; empty until the first start
    qint16 lastLine = 0; // upper bound of lines
    qint16 nextLine = 0; // element the next tick reveals
};

// Start: fetch a new report, empty the box and start the timer. Each tick then appends one element of
// the report and CR LF to whatever the box holds; the tick after the last element stops the timer.
// revealNextLine() says whether its tick was the one that completed the report, by showing its last
// element. Both operations may throw RuntimeError.
class ReportPlayback final
{
public:
    using ReportSource = std::function<QString()>;

    ReportPlayback(ResultBox &resultBox, PlaybackTimer &timer, ReportSource buildReport);

    void start();
    bool revealNextLine();

    [[nodiscard]] const PlaybackState &state() const noexcept { return m_state; }

private:
    ResultBox &m_resultBox;
    PlaybackTimer &m_timer;
    ReportSource m_buildReport;
    PlaybackState m_state;
};

} // namespace pq
