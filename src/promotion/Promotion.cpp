#include "promotion/Promotion.h"

#include "promotion/PromotionLink.h"

#include <QDesktopServices>
#include <QUrl>

namespace pq {

QString promotionUrl()
{
    return QStringLiteral("https://%1/ntms/dovetrail/invite.html?userCode=%2")
        .arg(QStringView(build::PromotionHost), QStringView(build::PromotionCode));
}

QPixmap bannerPicture()
{
    return {QStringLiteral(":/pindlequorix/banner.jpg")};
}

QPixmap bannerPictureAtTwiceTheSize()
{
    QPixmap picture(QStringLiteral(":/pindlequorix/banner@2x.jpg"));
    picture.setDevicePixelRatio(2.0);
    return picture;
}

void openPromotionLink()
{
    (void)QDesktopServices::openUrl(QUrl(promotionUrl(), QUrl::StrictMode));
}

} // namespace pq
