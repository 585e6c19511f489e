#pragma once

#include "find/SearchIndex.h"
#include "find/UserListIndex.h"
#include "find/UserStore.h"

#include <QString>

#include <vector>

class Pinyin;

// Which entries the find window shows for a search text and a filter, in which order:
// 全部 shows the index's entries with one's own among them, 表情 the index's emoji, each
// other filter its list.
// Without a text every entry in order; with one the matches by rank, one's own first
// within each rank, then, among whole and prefix matches, the emoji. A longer text searches only among the last results
// where that gives the same.
class RowChoice
{
public:
    enum Filter { All, Favourites, Recent, Mine, Emoji };
    static constexpr int FilterCount = 5;

    struct Row
    {
        const SearchIndex *index; // must live as long as the rows
        qsizetype entry;
    };

    RowChoice(const Pinyin &pinyin, const UserStore &store);

    // The index of every entry; null until built. It must live as long as this.
    void setIndex(const SearchIndex *index);
    const SearchIndex *index() const { return m_index; }
    // The user's list a filter shows.
    static UserStore::List listShown(Filter filter);

    std::vector<Row> rows(const QString &query, Filter filter);

private:
    std::vector<Row> emojiRows(const QString &query);
    bool isEmoji(qsizetype entry) const { return entry >= m_emojiFrom && entry < m_emojiTo; }

    const SearchIndex *m_index = nullptr;
    UserListIndex m_lists;
    // The last searches, to narrow as the user types on.
    SearchIndex::LastSearch m_lastInIndex;
    SearchIndex::LastSearch m_lastInList;
    // The index's emoji, which one source gives together.
    qsizetype m_emojiFrom = 0;
    qsizetype m_emojiTo = 0;
};
