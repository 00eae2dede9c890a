#pragma once

#include <QWidget>

class QTimer;

namespace pq {

// Says a short text to screen readers, whatever has the keyboard focus, and shows nothing: on Linux (AT-SPI)
// it is a notification that shows for a moment, without a pixel to draw; on Windows (UI Automation) a
// notification event. It takes neither the focus nor a click, and between announcements it is hidden, so
// that a screen reader's review of the window does not come upon it.
class ScreenReaderAnnouncer final : public QWidget
{
    Q_OBJECT

public:
    explicit ScreenReaderAnnouncer(QWidget *parent);

    void announce(const QString &text);

private:
    QTimer *const m_hideLater;
};

} // namespace pq
