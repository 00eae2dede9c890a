#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace pq {

// Shows a picture from its top-left corner, at its own size times the picture scale, and reports clicks.
// Being a button, it can also be reached with Tab and pressed with Space, or with Enter as a link is. Screen
// readers present it as the link it is, and can press it. Wherever it is shown larger than the picture's own
// pixels (a picture scale above 1, or a screen scaled above 100 %), it draws the picture's version at twice
// the size, when it has one.
class Banner final : public QAbstractButton
{
    Q_OBJECT

public:
    explicit Banner(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture, const QPixmap &atTwiceTheSize = {});
    [[nodiscard]] const QPixmap &picture() const noexcept { return m_picture; }
    void setPictureScale(qreal scale);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_atTwiceTheSize;
    qreal m_pictureScale = 1;
};

} // namespace pq
