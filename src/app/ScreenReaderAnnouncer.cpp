#include "app/ScreenReaderAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pq {
namespace {

QAccessibleInterface *accessibleAnnouncer(const QString & /*className*/, QObject *object)
{
    auto *announcer = qobject_cast<ScreenReaderAnnouncer *>(object);
    return announcer != nullptr ? new QAccessibleWidget(announcer, QAccessible::Notification) : nullptr;
}

} // namespace

ScreenReaderAnnouncer::ScreenReaderAnnouncer(QWidget *parent) : QWidget(parent)
{
    // Before screen readers first ask for this widget, which would cache the plain widget's interface.
    static const bool installed = (QAccessible::installFactory(accessibleAnnouncer), true);
    Q_UNUSED(installed)
    setObjectName(QStringLiteral("screenReaderAnnouncer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect()); // no pixels to draw, even for the moment it is shown
    hide();
}

void ScreenReaderAnnouncer::announce(const QString &text)
{
    setAccessibleName(text);
    // UI Automation raises a notification event, which Windows' screen readers speak, for a value change that
    // carries a text. AT-SPI passes such a change on only for controls that have a value; this has none.
    QAccessibleValueChangeEvent changed(this, text);
    QAccessible::updateAccessibility(&changed);
    // AT-SPI: screen readers speak a notification that becomes showing, by its name. It is hidden again at
    // once: they read its name when they come to the event, and a hidden widget keeps it.
    show();
    hide();
}

} // namespace pq
