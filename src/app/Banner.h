#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace pq {

// Shows a picture from its top-left corner, unscaled, and reports clicks. Being a button, it can
// also be reached with Tab and pressed with Space, and screen readers present it as one. On a screen
// scaled above 100 %, it shows the picture's version at twice the size, when it has one.
class Banner final : public QAbstractButton
{
    Q_OBJECT

public:
    explicit Banner(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture, const QPixmap &atTwiceTheSize = {});
    [[nodiscard]] const QPixmap &picture() const noexcept { return m_picture; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_atTwiceTheSize;
};

} // namespace pq
