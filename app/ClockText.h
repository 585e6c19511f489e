#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The clock panel's text: the locale's long time form without its time-zone part,
// minutes and seconds always with two digits.
namespace ClockText {

QString format(const QTime &time, const QLocale &locale);

// The locale's long time format reduced to hours, minutes, seconds and AM/PM.
QString timeFormat(const QLocale &locale);

} // namespace ClockText
