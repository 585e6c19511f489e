#include "decorate/Graphemes.h"

#include <QTextBoundaryFinder>

namespace {

bool isRegionalIndicator(const QString &piece)
{
    if (piece.size() != 2 || !piece.at(0).isHighSurrogate())
        return false;
    const char32_t c = QChar::surrogateToUcs4(piece.at(0), piece.at(1));
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

} // namespace

namespace Graphemes {

QStringList split(const QString &text)
{
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    // Qt 6.4 breaks between the two letters of a flag; they are joined here, in pairs.
    bool loneRegional = false;
    while (finder.toNextBoundary() >= 0) {
        const qsizetype end = finder.position();
        const QString piece = text.mid(start, end - start);
        start = end;
        const bool regional = isRegionalIndicator(piece);
        if (regional && loneRegional) {
            out.back() += piece;
            loneRegional = false;
            continue;
        }
        loneRegional = regional;
        out.append(piece);
    }
    return out;
}

} // namespace Graphemes
