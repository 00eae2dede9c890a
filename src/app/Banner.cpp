#include "app/Banner.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace pq {

Banner::Banner(QWidget *parent) : QAbstractButton(parent) {}

void Banner::setPicture(const QPixmap &picture, const QPixmap &atTwiceTheSize)
{
    m_picture = picture;
    m_atTwiceTheSize = atTwiceTheSize;
    update();
}

QSize Banner::sizeHint() const
{
    return m_picture.isNull() ? QSize(32, 32) : m_picture.deviceIndependentSize().toSize();
}

void Banner::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    // From 150 % on, the larger picture scaled down stays sharp where the small one scaled up would blur.
    const bool scaledScreen = devicePixelRatioF() > 1.0 && !m_atTwiceTheSize.isNull();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, scaledScreen ? m_atTwiceTheSize : m_picture);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace pq
