#pragma once

#include <QPixmap>
#include <QString>

namespace pq {

// The link the banner opens and the link box shows: fixed when the program is built.
[[nodiscard]] QString promotionUrl();

// The banner picture, 466 x 34, built into the program.
[[nodiscard]] QPixmap bannerPicture();

// The same banner drawn at twice the size (932 x 68, device pixel ratio 2), for screens scaled above 100 %.
[[nodiscard]] QPixmap bannerPictureAtTwiceTheSize();

// Asks the desktop to open promotionUrl() in the default browser. Returns at once; whether the
// desktop manages is not the program's concern, so nothing is reported either way.
void openPromotionLink();

} // namespace pq
