#pragma once

// Windows only.

#include <QFont>
#include <optional>

namespace pq {

// Qt takes Windows' message font as the desktop's font, and Windows' text size scales it. When message
// (a window message, MSG) says that the user has changed Windows' fonts, this gives the message font as
// it is now, made into a QFont as Qt makes it at start-up.
[[nodiscard]] std::optional<QFont> windowsMessageFontAfter(const void *message);

} // namespace pq
