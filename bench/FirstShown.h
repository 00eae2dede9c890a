#pragma once

// For the start-up benchmark: once the window has painted for the first time, print
// "shown <peak resident KiB>" and end the process. The benchmark times the line's arrival.

#include <QCoreApplication>
#include <QEvent>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <sys/resource.h>

class FirstShown final : public QObject
{
public:
    explicit FirstShown(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint has finished and reached the screen.
            QTimer::singleShot(0, this, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                QTextStream(stdout) << "shown " << usage.ru_maxrss << Qt::endl;
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
