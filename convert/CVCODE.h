#pragma once

#include <QString>
#include <QStringView>

// The locale converter: a character-by-character mapping between simplified and
// traditional Chinese. Every character without a form in the requested script, every
// non-Chinese character and every character outside code page 936 stays as it is, so the
// result always has the length of the input.
QString ToTraditional(QStringView text);
QString ToSimplified(QStringView text);
