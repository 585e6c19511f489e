#include "app/ClockText.h"

namespace ClockText {

namespace {

bool isPatternLetter(QChar c)
{
    return c.isLetter() && c.unicode() < 0x80;
}

// Brackets that held only the removed time zone, and the blanks around them, go.
QString dropEmptyBrackets(QString s)
{
    for (const char *pair : { "[]", "()", "（）" }) {
        s.remove(QString::fromUtf8(pair));
    }
    return s.simplified();
}

} // namespace

QString timeFormat(const QLocale &locale)
{
    const QString source = locale.timeFormat(QLocale::LongFormat);
    // Chinese desktops show the hour without a leading zero (9:05:07), whatever CLDR says.
    const bool plainHour = locale.language() == QLocale::Chinese;
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < source.size();) {
        const QChar c = source[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        if (quoted || !isPatternLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < source.size() && source[j] == c)
            ++j;
        const qsizetype run = j - i;
        switch (c.unicode()) {
        case 'h':
        case 'H':
            out += plainHour ? QString(c) : QString(run, c);
            break;
        case 'm':
        case 's':
            out += QString(2, c);
            break;
        case 'a':
        case 'A':
        case 'B': // CLDR's flexible day period: the plain AM/PM marker is what Qt offers
        case 'b':
            out += QStringLiteral("AP");
            break;
        case 'P':
        case 'p':
            if (i > 0 && (source[i - 1] == QLatin1Char('A') || source[i - 1] == QLatin1Char('a')))
                break; // "AP" already written for its "A"
            out += QStringLiteral("AP");
            break;
        default: // time zone, milliseconds and any letter Qt would print as it is
            break;
        }
        i = j;
    }
    out = dropEmptyBrackets(out);
    while (!out.isEmpty() && (out.endsWith(QLatin1Char('.')) || out.endsWith(QLatin1Char(','))))
        out.chop(1);
    return out.trimmed();
}

QString format(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, timeFormat(locale));
}

} // namespace ClockText
