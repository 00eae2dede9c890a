#include "app/Banner.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace pq {
namespace {

// What screen readers get: a link (Qt would make it a button), which their press action follows.
class AccessibleBanner final : public QAccessibleWidget
{
public:
    explicit AccessibleBanner(Banner *banner) : QAccessibleWidget(banner, QAccessible::Link) {}

    [[nodiscard]] QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            static_cast<Banner *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString &actionName) const override
    {
        return actionName == pressAction() ? QStringList{QStringLiteral("Enter"), QStringLiteral("Space")}
                                           : QAccessibleWidget::keyBindingsForAction(actionName);
    }
};

QAccessibleInterface *accessibleBanner(const QString & /*className*/, QObject *object)
{
    auto *banner = qobject_cast<Banner *>(object);
    return banner != nullptr ? new AccessibleBanner(banner) : nullptr;
}

} // namespace

Banner::Banner(QWidget *parent) : QAbstractButton(parent)
{
    // Before screen readers first ask for this widget, which would cache a button's interface.
    static const bool installed = (QAccessible::installFactory(accessibleBanner), true);
    Q_UNUSED(installed)
}

void Banner::setPicture(const QPixmap &picture, const QPixmap &atTwiceTheSize)
{
    m_picture = picture;
    m_atTwiceTheSize = atTwiceTheSize;
    update();
}

void Banner::setPictureScale(qreal scale)
{
    if (scale == m_pictureScale)
        return;
    m_pictureScale = scale;
    updateGeometry();
    update();
}

QSize Banner::sizeHint() const
{
    return m_picture.isNull() ? QSize(32, 32) : (m_picture.deviceIndependentSize() * m_pictureScale).toSize();
}

void Banner::keyPressEvent(QKeyEvent *event)
{
    // Links open with Enter. Space presses it as it presses a button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void Banner::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    // Shown larger than its own pixels, the larger picture scaled down stays sharp where the small one
    // scaled up would blur.
    const bool enlarged = m_pictureScale * devicePixelRatioF() > 1.0 && !m_atTwiceTheSize.isNull();
    const QPixmap &shown = enlarged ? m_atTwiceTheSize : m_picture;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF(), m_picture.deviceIndependentSize() * m_pictureScale), shown,
                       QRectF(shown.rect()));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace pq
