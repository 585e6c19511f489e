#pragma once

#include "find/Entry.h"
#include "find/UserStore.h"

#include <QStringList>

#include <array>
#include <memory>

class Pinyin;
class SearchIndex;

// The user's lists prepared for the find window's search, one index each. A list's index
// is brought up to date when the list has changed since, not at every keystroke, and
// then prepares only the entries it does not hold yet. An entry of 收藏 or 最近 that the
// catalogue holds is shown with its place there; an own entry is marked 〖我的〗.
class UserListIndex
{
public:
    static inline const QString MineOrigin = QStringLiteral("〖我的〗");

    UserListIndex(const Pinyin &pinyin, const UserStore &store);
    ~UserListIndex();

    // Where entries of 收藏 and 最近 are looked up; may be null. It must live as long as
    // this.
    void setCatalogue(const SearchIndex *catalogue);
    const SearchIndex &index(UserStore::List list);

private:
    struct Prepared
    {
        std::unique_ptr<SearchIndex> index;
        // The lists it was made from: a change to the store's list detaches it from these.
        QStringList from, mineFrom;
        const SearchIndex *catalogue = nullptr;
        bool made = false;
    };
    QList<Entry> entriesOf(UserStore::List list) const;

    const Pinyin &m_pinyin;
    const UserStore &m_store;
    const SearchIndex *m_catalogue = nullptr;
    std::array<Prepared, UserStore::ListCount> m_lists;
};
