#include "app/ScreenReaderAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <chrono>

using namespace std::chrono_literals;

namespace pq {
namespace {

// How long an announcement shows. Screen readers come to the event when they have spoken what came before,
// and then look whether the notification still shows (Orca 48 does; hidden at once, it would say nothing).
constexpr auto ShownFor = 2s;

QAccessibleInterface *accessibleAnnouncer(const QString & /*className*/, QObject *object)
{
    auto *announcer = qobject_cast<ScreenReaderAnnouncer *>(object);
    return announcer != nullptr ? new QAccessibleWidget(announcer, QAccessible::Notification) : nullptr;
}

} // namespace

ScreenReaderAnnouncer::ScreenReaderAnnouncer(QWidget *parent) : QWidget(parent), m_hideLater(new QTimer(this))
{
    // Before screen readers first ask for this widget, which would cache the plain widget's interface.
    static const bool installed = (QAccessible::installFactory(accessibleAnnouncer), true);
    Q_UNUSED(installed)
    setObjectName(QStringLiteral("screenReaderAnnouncer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect()); // no pixels to draw while it shows
    hide();
    m_hideLater->setSingleShot(true);
    m_hideLater->setInterval(ShownFor);
    connect(m_hideLater, &QTimer::timeout, this, &QWidget::hide);
}

void ScreenReaderAnnouncer::announce(const QString &text)
{
    setAccessibleName(text);
#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // UI Automation: a notification event, which Windows' screen readers speak. Qt 6.8 raises one for an
    // announcement (for a value change it now raises a change of the Value property, which they ignore here).
    QAccessibleAnnouncementEvent announcement(this, text);
    QAccessible::updateAccessibility(&announcement);
#else
    // UI Automation in Qt 6.4 raises a notification event for a value change that carries a text. AT-SPI
    // passes such a change on only for controls that have a value; this has none.
    QAccessibleValueChangeEvent changed(this, text);
    QAccessible::updateAccessibility(&changed);
#endif
    // AT-SPI: screen readers speak a notification that comes to show, by its name. One that still shows from
    // the announcement before is shown anew.
    hide();
    show();
    m_hideLater->start();
}

} // namespace pq
