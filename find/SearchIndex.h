#pragma once

#include "find/Entry.h"

#include <QHash>
#include <QList>

#include <array>
#include <string>
#include <vector>

class Pinyin;

// Every entry the program shows, in page order, prepared for matching: each text folded
// once, with the reading set of each of its characters.
class SearchIndex
{
public:
    // Matching entries by rank (whole-entry matches, those that start with the search text,
    // the rest), each in the index's order: first those matched through common readings,
    // then the same three for those matched only through rare ones.
    static constexpr std::size_t RankCount = 6;
    using Ranked = std::array<std::vector<qsizetype>, RankCount>;

    // The previous search on one index, so that a longer text can search only among its
    // results where that provably gives the same.
    struct LastSearch
    {
        const SearchIndex *index = nullptr;
        quint64 generation = 0;
        QString query;
        std::vector<qsizetype> hits;
    };

    explicit SearchIndex(const Pinyin &pinyin);

    void add(const QList<Entry> &entries);
    // Makes the index hold exactly these entries. An entry whose text, label and heading it
    // already holds keeps its prepared characters, so a small change to a long list costs
    // little.
    void assign(const QList<Entry> &entries);
    qsizetype size() const { return m_entries.size(); }
    const Entry &entry(qsizetype i) const { return m_entries[i]; }
    // The first entry whose copied text is exactly this, or -1.
    qsizetype indexOfText(const QString &text) const;
    // Changes whenever the entries' numbers may mean other entries.
    quint64 generation() const { return m_generation; }
    // Characters prepared, those of entries no longer held included.
    std::size_t preparedChars() const { return m_chars.size(); }

    // The matching entries, best first: whole-entry matches, then those that start with
    // the search text, then the rest, each group in page order; entries matched only
    // through rare readings after all others. "among" limits the search to those entries,
    // e.g. the results of a shorter search text.
    std::vector<qsizetype> search(const QString &query) const;
    std::vector<qsizetype> search(const QString &query, const std::vector<qsizetype> &among) const;
    // The same by rank, among the last search's results when they hold every match.
    Ranked search(const QString &query, LastSearch &last) const;

private:
    struct Span
    {
        quint32 offset = 0;
        quint32 length = 0;
    };
    struct Prepared
    {
        Span text, label, heading;
        quint32 letters = 0;
    };
    Span append(const QString &s, quint32 &letters);
    Prepared prepare(const Entry &e);
    template <typename Ids> Ranked run(const QString &query, const Ids &ids, qsizetype count) const;
    Ranked ranked(const QString &query, const std::vector<qsizetype> &among) const;
    static std::vector<qsizetype> flatten(Ranked ranked);

    const Pinyin &m_pinyin;
    QList<Entry> m_entries;
    std::vector<Prepared> m_prepared;
    std::u16string m_chars;
    std::vector<quint16> m_sets;
    mutable QHash<QString, qsizetype> m_byText;
    quint64 m_generation = 0;
};
