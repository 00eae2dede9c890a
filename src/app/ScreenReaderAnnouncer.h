#pragma once

#include <QWidget>

namespace pq {

// Says a short text to screen readers, whatever has the keyboard focus, and shows nothing: on Linux (AT-SPI)
// it is a notification that appears and is gone again at once, on Windows (UI Automation) a notification
// event. It takes neither the focus nor a click, and between announcements it is hidden, so that a screen
// reader's review of the window never comes upon it.
class ScreenReaderAnnouncer final : public QWidget
{
    Q_OBJECT

public:
    explicit ScreenReaderAnnouncer(QWidget *parent);

    void announce(const QString &text);
};

} // namespace pq
