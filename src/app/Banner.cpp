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
