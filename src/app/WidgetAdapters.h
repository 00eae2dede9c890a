#pragma once

#include "playback/ReportPlayback.h"

class QTimer;

namespace pq {

class ReportBox;

// The result box as the playback sees it. Text comes and goes with CR LF line ends, as the report
// writes them. When new text is the current text plus more, only the addition is inserted (so a tick
// costs the same with a megabyte in the box, and the user's caret and selection stay put), and the
// view scrolls just far enough to show the newest line of text.
class PlainTextResultBox final : public ResultBox
{
public:
    explicit PlainTextResultBox(ReportBox &box) : m_box(box) {}

    [[nodiscard]] QString text() const override;
    void setText(const QString &text) override;

private:
    ReportBox &m_box;
    // The CR LF text for one revision of the document: rebuilt only after the user has edited the box.
    mutable QString m_text;
    mutable int m_textRevision = -1;
};

class QtPlaybackTimer final : public PlaybackTimer
{
public:
    explicit QtPlaybackTimer(QTimer &timer) : m_timer(timer) {}

    void setInterval(std::chrono::milliseconds interval) override;

private:
    QTimer &m_timer;
};

} // namespace pq
