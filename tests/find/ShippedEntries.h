#pragma once

// Every entry of the shipped content in page order, as the main window hands them to the
// find index: the four catalogue lists (from content/catalogue, or any other lists of the
// same shape), then the nineteen collections split into entries. For the ranking test and
// the search benchmark.
#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/PageTabs.h"
#include "find/Entry.h"
#include "find/EntrySplitter.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <array>

namespace ShippedEntries {

using Lists = std::array<QStringList, CatalogueLists::GridCount>;

inline QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The catalogue's columns in the order of the grids.
inline Lists catalogueLists(const QString &contentDir)
{
    static const char *const Columns[CatalogueLists::GridCount] = { "gxqm", "gxqlwm", "gxnswm", "gxnvswm" };
    Lists read;
    for (std::size_t i = 0; i < read.size(); ++i) {
        read[i] = readText(contentDir + QStringLiteral("/catalogue/%1.txt").arg(QLatin1String(Columns[i])))
                      .split(u'\n', Qt::SkipEmptyParts);
    }
    return read;
}

// The nineteen collection files' texts, in file order.
inline QStringList collectionTexts(const QString &contentDir)
{
    QStringList texts;
    for (int n = 1; n <= 19; ++n)
        texts.append(readText(contentDir + QStringLiteral("/collections/%1.txt").arg(n, 2, 10, QLatin1Char('0'))));
    return texts;
}

inline QList<Entry> pageEntries(const QStringList &collections, const Lists &lists)
{
    QList<Entry> entries;
    for (const PageTabs::Page &page : PageTabs::Pages) {
        const QString caption = QString::fromUtf16(page.caption);
        if (page.collection > 0) {
            entries += EntrySplitter::splitCollection(
                collections[page.collection - 1], CollectionMemos::entryKind(page.collection), caption);
            continue;
        }
        for (int n = 1; n <= CatalogueLists::GridCount; ++n) {
            const CatalogueLists::GridPlace &place = CatalogueLists::GridPlaces[std::size_t(n - 1)];
            if (QLatin1String(page.name) == QLatin1String(place.page))
                entries += EntrySplitter::catalogueList(
                    lists[std::size_t(n - 1)], caption, place.list ? QString::fromUtf16(place.list) : QString());
        }
    }
    return entries;
}

} // namespace ShippedEntries
