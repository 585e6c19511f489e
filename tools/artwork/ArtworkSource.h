#pragma once

#include <QByteArray>
#include <QStringList>

namespace ArtworkSource {

// The font families an SVG source names, in attributes and in style declarations, each once,
// in the order of first use. Generic families (serif, sans-serif, monospace…) are left out:
// they always resolve to something.
QStringList fontFamilies(const QByteArray &svg);

} // namespace ArtworkSource
