#pragma once

// Helpers for the tests that drive the real window.

#include "TestSupport.h"

#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace pq::test {

// The box keeps no CR; this gives its text with the line ends the report uses.
inline QString boxText(const QTextEdit *box)
{
    return box->toPlainText().replace(u'\n', CrLf);
}

template<typename T> T *findControl(const QWidget *window, const char *name)
{
    auto *found = window->findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control named %s", name);
    return found;
}

// Stands in for the desktop's browser: records what it was asked to open. Install it with
// QDesktopServices::setUrlHandler(scheme, &catcher, "open"), and unset it before it dies.
class UrlCatcher final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> requests;

public slots:
    void open(const QUrl &url) { requests << url; }
};

// Timer events delivered at once, rather than every 500 ms.
inline void deliverTicks(QTimer *timer, int count = 1)
{
    for (int i = 0; i < count; ++i)
        QMetaObject::invokeMethod(timer, "timeout");
}

} // namespace pq::test
