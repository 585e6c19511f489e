#include "ArtworkSource.h"

#include <QRegularExpression>
#include <QSet>

namespace ArtworkSource {

QStringList fontFamilies(const QByteArray &svg)
{
    static const QSet<QString> generic = {
        QStringLiteral("serif"),
        QStringLiteral("sans-serif"),
        QStringLiteral("monospace"),
        QStringLiteral("cursive"),
        QStringLiteral("fantasy"),
        QStringLiteral("system-ui"),
    };
    // font-family="A, 'B'"  or  style="…; font-family: A, 'B'; …"
    static const QRegularExpression declaration(QStringLiteral(
        R"re(font-family\s*(?:=\s*(?:"([^"]*)"|'([^']*)')|:\s*([^;"'>]*(?:(?:"[^"]*"|'[^']*')[^;"'>]*)*)))re"));

    QStringList families;
    const QString text = QString::fromUtf8(svg);
    for (auto it = declaration.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString list = m.captured(1);
        if (list.isNull())
            list = m.captured(2);
        if (list.isNull())
            list = m.captured(3);
        for (QString name : list.split(QLatin1Char(','))) {
            name = name.trimmed();
            if (name.size() >= 2 && (name.front() == QLatin1Char('\'') || name.front() == QLatin1Char('"'))
                && name.back() == name.front())
                name = name.mid(1, name.size() - 2).trimmed();
            if (name.isEmpty() || generic.contains(name.toLower()) || families.contains(name))
                continue;
            families.append(name);
        }
    }
    return families;
}

} // namespace ArtworkSource
