#include "PictureBox.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace pq {

PictureBox::PictureBox(QWidget *parent) : QAbstractButton(parent) {}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

QSize PictureBox::sizeHint() const
{
    return m_picture.isNull() ? QSize(32, 32) : m_picture.deviceIndependentSize().toSize();
}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace pq
