#include "find/RowChoice.h"

#include "find/EmojiSource.h"
#include "find/QueryMatcher.h"

RowChoice::RowChoice(const Pinyin &pinyin, const UserStore &store)
    : m_lists(pinyin, store)
{
}

void RowChoice::setIndex(const SearchIndex *index)
{
    m_index = index;
    // A new index may take the place of the old one at the same address.
    m_lastInIndex = {};
    m_lists.setCatalogue(index);
    m_emojiFrom = m_emojiTo = 0;
    for (qsizetype i = 0; index && i < index->size(); ++i) {
        if (index->entry(i).page != EmojiSource::Page)
            continue;
        if (m_emojiFrom == m_emojiTo)
            m_emojiFrom = i;
        m_emojiTo = i + 1;
    }
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
    case Emoji:
        break;
    }
    return UserStore::Mine;
}

std::vector<RowChoice::Row> RowChoice::rows(const QString &query, Filter filter)
{
    if (filter == Emoji)
        return emojiRows(query);
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
    // One's own entries first within each rank: the user put them there to find them. Then,
    // among whole and prefix matches, the emoji: an emoji's name of a word or two that
    // starts with the search text says more than a long text that does.
    for (std::size_t rank = 0; rank < own.size(); ++rank) {
        for (const qsizetype i : own[rank])
            rows.push_back({ &list, i });
        const bool emojiFirst = rank < std::size_t(QueryMatcher::Inside);
        for (const bool emoji : { true, false }) {
            for (const qsizetype i : found[rank]) {
                if (!emojiFirst || isEmoji(i) == emoji)
                    rows.push_back({ index, i });
            }
            if (!emojiFirst)
                break;
        }
    }
    return rows;
}

std::vector<RowChoice::Row> RowChoice::emojiRows(const QString &query)
{
    std::vector<Row> rows;
    if (!m_index)
        return rows;
    if (query.isEmpty()) {
        for (qsizetype i = m_emojiFrom; i < m_emojiTo; ++i)
            rows.push_back({ m_index, i });
        return rows;
    }
    // The same search as 全部, so that either narrows the other's next one.
    for (const std::vector<qsizetype> &group : m_index->search(query, m_lastInIndex)) {
        for (const qsizetype i : group) {
            if (isEmoji(i))
                rows.push_back({ m_index, i });
        }
    }
    return rows;
}
