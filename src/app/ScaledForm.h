#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>

class QFont;
class QWidget;

namespace pq {

// A form of fixed rectangles that grows with its font, as a dialog measured in dialog units does. The
// rectangles are those the form was drawn with, for a font of 12 px (9 pt at 100 %); a form for a
// larger font is the same form, scaled.
class ScaledForm final
{
public:
    // Takes the window's size and its controls' rectangles as they are now: the form as drawn.
    explicit ScaledForm(QWidget &window);

    // How much larger the form must be for font's text to fit it as the drawn font's did: the ratio of
    // the two pixel sizes. A font of 12 px or less keeps the form as drawn.
    [[nodiscard]] static qreal scaleFor(const QFont &font);

    [[nodiscard]] QSize size(qreal scale) const;
    // Puts every control at its drawn rectangle times scale, each edge at the nearest whole pixel (so
    // that controls side by side stay side by side).
    void layOut(qreal scale) const;

private:
    void takeControls(const QWidget &parent);

    struct Control
    {
        QPointer<QWidget> widget;
        QRect drawn;
    };
    QSize m_drawnSize;
    QList<Control> m_controls;
};

} // namespace pq
