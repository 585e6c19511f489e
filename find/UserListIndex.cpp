#include "find/UserListIndex.h"

#include "find/SearchIndex.h"

#include <QSet>

namespace {

bool same(const QStringList &a, const QStringList &b)
{
    return a.isSharedWith(b) && a.size() == b.size();
}

} // namespace

UserListIndex::UserListIndex(const Pinyin &pinyin, const UserStore &store)
    : m_pinyin(pinyin)
    , m_store(store)
{
}

UserListIndex::~UserListIndex() = default;

void UserListIndex::setCatalogue(const SearchIndex *catalogue)
{
    m_catalogue = catalogue;
}

QList<Entry> UserListIndex::entriesOf(UserStore::List list) const
{
    const QStringList &texts = m_store.entries(list);
    QList<Entry> out;
    out.reserve(texts.size());
    if (list == UserStore::Mine) {
        for (const QString &text : texts)
            out.append(Entry { text, {}, {}, MineOrigin });
        return out;
    }
    const QStringList &mine = m_store.entries(UserStore::Mine);
    const QSet<QString> own(mine.begin(), mine.end());
    for (const QString &text : texts) {
        const qsizetype at = m_catalogue ? m_catalogue->indexOfText(text) : -1;
        if (at >= 0)
            out.append(m_catalogue->entry(at));
        else
            out.append(Entry { text, {}, {}, own.contains(text) ? MineOrigin : QString() });
    }
    return out;
}

const SearchIndex &UserListIndex::index(UserStore::List list)
{
    Prepared &p = m_lists[std::size_t(list)];
    const QStringList &texts = m_store.entries(list);
    const QStringList &mine = m_store.entries(UserStore::Mine);
    // Whether an entry is one's own shows in the other lists too.
    const bool upToDate = p.made && same(p.from, texts) && p.catalogue == m_catalogue
        && (list == UserStore::Mine || same(p.mineFrom, mine));
    if (upToDate)
        return *p.index;
    if (!p.index)
        p.index = std::make_unique<SearchIndex>(m_pinyin);
    p.index->assign(entriesOf(list));
    p.from = texts;
    p.mineFrom = mine;
    p.catalogue = m_catalogue;
    p.made = true;
    return *p.index;
}
