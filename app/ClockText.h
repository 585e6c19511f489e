#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The clock panel's text: hour, minutes and seconds (two digits each) and, for a 12-hour
// locale, its day-period marker where the locale puts it; no time zone.
namespace ClockText {

QString format(const QTime &time, const QLocale &locale);

// The locale's long time format reduced to hours, minutes, seconds and the day period, as
// a QLocale pattern. CLDR patterns carry letters Qt does not know ("B", the flexible day
// period) and brackets around the time zone; neither is left over.
QString timeFormat(const QLocale &locale);

} // namespace ClockText
