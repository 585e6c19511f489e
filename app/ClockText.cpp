#include "app/ClockText.h"

namespace ClockText {

QString timeFormat(const QLocale &locale)
{
    const QString source = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (quoted) {
            out += c;
            continue;
        }
        if (c == QLatin1Char('t'))
            continue; // the time zone
        if (c == QLatin1Char('m') || c == QLatin1Char('s')) {
            qsizetype j = i;
            while (j < source.size() && source[j] == c)
                ++j;
            out += QString(2, c);
            i = j - 1;
            continue;
        }
        if (c == QLatin1Char('z')) // milliseconds are not shown
            continue;
        out += c;
    }
    // Separators that only framed the removed parts go too.
    out = out.trimmed();
    while (!out.isEmpty() && (out.endsWith(QLatin1Char('.')) || out.endsWith(QLatin1Char(','))))
        out.chop(1);
    return out.trimmed();
}

QString format(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, timeFormat(locale));
}

} // namespace ClockText
