#include "find/EntrySplitter.h"

#include <algorithm>

namespace {

bool isHeading(QStringView line)
{
    const QStringView t = line.trimmed();
    return t.size() >= 2 && t.startsWith(u'【') && t.endsWith(u'】');
}

QString withoutTrailingBlanks(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    return line.left(end).toString();
}

} // namespace

namespace EntrySplitter {

QList<Entry> splitCollection(const QString &text, Kind kind, const QString &page)
{
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList lines = normalized.split(u'\n');
    const bool hasHeadings = std::any_of(lines.cbegin(), lines.cend(), [](const QString &l) { return isHeading(l); });

    QList<Entry> entries;
    QString heading;
    bool seenHeading = !hasHeadings;
    QStringList block;
    const auto closeBlock = [&] {
        if (!block.isEmpty())
            entries.append(Entry { block.join(u'\n'), {}, heading, page });
        block.clear();
    };

    for (const QString &raw : lines) {
        if (isHeading(raw)) {
            closeBlock();
            const QString t = raw.trimmed();
            heading = t.mid(1, t.size() - 2);
            seenHeading = true;
            continue;
        }
        if (!seenHeading)
            continue;
        const QString line = withoutTrailingBlanks(raw);
        if (line.trimmed().isEmpty()) {
            closeBlock();
            continue;
        }
        switch (kind) {
        case Kind::Pictures:
            block.append(line);
            break;
        case Kind::Lines:
            entries.append(Entry { line, {}, heading, page });
            break;
        case Kind::Labelled: {
            // The meaning stands after the last gap of two or more spaces.
            qsizetype gap = -1;
            for (qsizetype i = line.size() - 1; i > 0; --i) {
                if (line[i] == u' ' && line[i - 1] == u' ') {
                    gap = i - 1;
                    break;
                }
            }
            if (gap <= 0) {
                entries.append(Entry { line, {}, heading, page });
                break;
            }
            const QString label = line.mid(gap).trimmed();
            entries.append(Entry { withoutTrailingBlanks(QStringView(line).left(gap)), label, heading, page });
            break;
        }
        }
    }
    closeBlock();
    return entries;
}

QList<Entry> catalogueList(const QStringList &rows, const QString &page, const QString &listName)
{
    const QString origin = listName.isEmpty() ? page : page + QStringLiteral("·") + listName;
    QList<Entry> entries;
    entries.reserve(rows.size());
    for (const QString &row : rows) {
        if (!row.trimmed().isEmpty())
            entries.append(Entry { row, {}, {}, origin });
    }
    return entries;
}

} // namespace EntrySplitter
