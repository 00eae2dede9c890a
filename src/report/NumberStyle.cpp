#include "report/NumberStyle.h"

#include <QLocale>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "report/RegionalNumberSettings.h"
#endif

namespace pq {

QString formatTwoDecimals(double value, const NumberStyle &style)
{
    // 'f' rounds the exact binary value, so 4.995 (stored a hair below) gives "4.99" and anything from
    // the next double up gives "5.00".
    QString plain = QString::number(value, 'f', 2);
    const qsizetype point = plain.indexOf(u'.');
    if (point < 0) // nan or inf: nothing to localise
        return plain;

    const bool negative = plain.startsWith(u'-');
    QStringView whole = QStringView(plain).sliced(negative ? 1 : 0, point - (negative ? 1 : 0));
    if (!style.leadingZero && whole == u"0")
        whole = {};

    QString text;
    text.reserve(plain.size() + style.decimalSeparator.size());
    if (negative)
        text += u'-';
    text += whole;
    text += style.decimalSeparator;
    text += QStringView(plain).sliced(point + 1);
    return text;
}

NumberStyle systemNumberStyle()
{
#ifdef Q_OS_WIN
    const RegionalNumberSettings settings = readUserNumberSettings();
    return {QString::fromStdWString(settings.decimalSeparator), settings.leadingZero};
#else
    return {QLocale::system().decimalPoint(), true};
#endif
}

} // namespace pq
