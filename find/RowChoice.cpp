#include "find/RowChoice.h"

RowChoice::RowChoice(const Pinyin &pinyin, const UserStore &store)
    : m_lists(pinyin, store)
{
}

void RowChoice::setIndex(const SearchIndex *index)
{
    m_index = index;
    m_lists.setCatalogue(index);
}

UserStore::List RowChoice::listShown(Filter filter)
{
    switch (filter) {
    case Favourites:
        return UserStore::Favourites;
    case Recent:
        return UserStore::Recent;
    case All:
    case Mine:
        break;
    }
    return UserStore::Mine;
}

std::vector<RowChoice::Row> RowChoice::rows(const QString &query, Filter filter)
{
    const SearchIndex *index = filter == All ? m_index : nullptr;
    const SearchIndex &list = m_lists.index(listShown(filter));
    std::vector<Row> rows;
    if (query.isEmpty()) {
        rows.reserve(std::size_t((index ? index->size() : 0) + list.size()));
        for (qsizetype i = 0; index && i < index->size(); ++i)
            rows.push_back({ index, i });
        for (qsizetype i = 0; i < list.size(); ++i)
            rows.push_back({ &list, i });
        return rows;
    }
    const SearchIndex::Ranked own = list.search(query, m_lastInList);
    const SearchIndex::Ranked found = index ? index->search(query, m_lastInIndex) : SearchIndex::Ranked {};
    // One's own entries first within each rank: the user put them there to find them.
    for (std::size_t rank = 0; rank < own.size(); ++rank) {
        for (const qsizetype i : own[rank])
            rows.push_back({ &list, i });
        for (const qsizetype i : found[rank])
            rows.push_back({ index, i });
    }
    return rows;
}
