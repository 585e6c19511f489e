#pragma once

#include <QStringList>

// User-perceived characters: an emoji sequence, a flag or a letter with its marks is one.
namespace Graphemes {

QStringList split(const QString &text);

} // namespace Graphemes
