#include "app/ScaledForm.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QWidget>

namespace pq {
namespace {

constexpr qreal DrawnFontPixels = 12;

int scaled(int coordinate, qreal scale)
{
    return qRound(coordinate * scale);
}

} // namespace

// The controls of a form are the window's children and the children of its group boxes. A control's
// own children (a text box's view and scroll bars) are laid out by the control.
void ScaledForm::takeControls(const QWidget &parent)
{
    for (QObject *object : parent.children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child == nullptr || child->isWindow())
            continue;
        m_controls.append({child, child->geometry()});
        if (qobject_cast<QGroupBox *>(child) != nullptr)
            takeControls(*child);
    }
}

ScaledForm::ScaledForm(QWidget &window) : m_drawnSize(window.size())
{
    takeControls(window);
}

qreal ScaledForm::scaleFor(const QFont &font)
{
    return qMax(1.0, QFontInfo(font).pixelSize() / DrawnFontPixels);
}

QSize ScaledForm::size(qreal scale) const
{
    return {scaled(m_drawnSize.width(), scale), scaled(m_drawnSize.height(), scale)};
}

void ScaledForm::layOut(qreal scale) const
{
    for (const Control &control : m_controls) {
        if (control.widget.isNull())
            continue;
        const QRect &drawn = control.drawn;
        const QPoint topLeft(scaled(drawn.x(), scale), scaled(drawn.y(), scale));
        const QPoint end(scaled(drawn.x() + drawn.width(), scale), scaled(drawn.y() + drawn.height(), scale));
        control.widget->setGeometry(QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())));
    }
}

} // namespace pq
