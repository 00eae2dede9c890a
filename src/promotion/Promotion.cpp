#include "Promotion.h"

#include "PromotionLink.h"

#include <QDesktopServices>
#include <QUrl>

namespace pq {

QString PromotionUrl()
{
    return QStringLiteral("https://%1/ntms/dovetrail/invite.html?userCode=%2")
        .arg(QStringView(build::PromotionHost), QStringView(build::PromotionCode));
}

QPixmap BannerPicture()
{
    return {QStringLiteral(":/pindlequorix/banner.jpg")};
}

QPixmap BannerPictureAtTwiceTheSize()
{
    QPixmap picture(QStringLiteral(":/pindlequorix/banner@2x.jpg"));
    picture.setDevicePixelRatio(2.0);
    return picture;
}

void OpenPromotionLink()
{
    (void)QDesktopServices::openUrl(QUrl(PromotionUrl(), QUrl::StrictMode));
}

} // namespace pq
