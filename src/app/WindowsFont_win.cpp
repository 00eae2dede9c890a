#include "app/WindowsFont.h"

#include <QString>
#include <cstdlib>
#include <windows.h>

namespace pq {

std::optional<QFont> windowsMessageFontAfter(const void *message)
{
    const auto *windowMessage = static_cast<const MSG *>(message);
    if (windowMessage->message != WM_SETTINGCHANGE || windowMessage->wParam != SPI_SETNONCLIENTMETRICS)
        return std::nullopt;

    // In the units of 96 dpi, as Qt asks for it: the display scaling applies on top of the font.
    constexpr UINT Dpi = 96;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, Dpi) == FALSE)
        return std::nullopt;
    const LOGFONTW &font = metrics.lfMessageFont;
    QFont messageFont(QString::fromWCharArray(font.lfFaceName));
    messageFont.setPointSizeF(std::abs(font.lfHeight) * 72.0 / Dpi);
    if (font.lfWeight != FW_DONTCARE)
        messageFont.setWeight(static_cast<QFont::Weight>(font.lfWeight));
    messageFont.setItalic(font.lfItalic != 0);
    messageFont.setUnderline(font.lfUnderline != 0);
    messageFont.setStrikeOut(font.lfStrikeOut != 0);
    return messageFont;
}

} // namespace pq
