#include "find/SearchIndex.h"

#include "find/Pinyin.h"
#include "find/QueryMatcher.h"

#include <algorithm>
#include <utility>

SearchIndex::SearchIndex(const Pinyin &pinyin)
    : m_pinyin(pinyin)
{
}

SearchIndex::Span SearchIndex::append(const QString &s, quint32 &letters)
{
    const QString folded = QueryMatcher::folded(s);
    const Span span { quint32(m_chars.size()), quint32(folded.size()) };
    for (const QChar ch : folded) {
        const char16_t c = ch.unicode();
        const int set = m_pinyin.readingSet(ch);
        m_chars.push_back(c);
        m_sets.push_back(quint16(set));
        letters |= QueryMatcher::letterBit(c);
        letters |= m_pinyin.set(set).letters;
    }
    return span;
}

SearchIndex::Prepared SearchIndex::prepare(const Entry &e)
{
    Prepared p;
    p.text = append(e.text, p.letters);
    p.label = append(e.label, p.letters);
    p.heading = append(e.heading, p.letters);
    return p;
}

void SearchIndex::add(const QList<Entry> &entries)
{
    m_byText.clear();
    ++m_generation;
    m_entries.reserve(m_entries.size() + entries.size());
    m_prepared.reserve(m_prepared.size() + std::size_t(entries.size()));
    std::size_t chars = m_chars.size();
    for (const Entry &e : entries)
        chars += std::size_t(e.text.size() + e.label.size() + e.heading.size());
    m_chars.reserve(chars);
    m_sets.reserve(chars);
    for (const Entry &e : entries) {
        m_prepared.push_back(prepare(e));
        m_entries.append(e);
    }
}

void SearchIndex::assign(const QList<Entry> &entries)
{
    const auto same = [](const Entry &a, const Entry &b) {
        return a.text == b.text && a.label == b.label && a.heading == b.heading;
    };
    const QList<Entry> oldEntries = std::exchange(m_entries, entries);
    const std::vector<Prepared> oldPrepared = std::exchange(m_prepared, {});
    m_byText.clear();
    ++m_generation;
    // A list mostly changes in one place: what stays before and after it is matched in
    // order, the rest through a table of the old texts.
    const qsizetype oldCount = oldEntries.size();
    const qsizetype count = entries.size();
    qsizetype head = 0;
    while (head < std::min(oldCount, count) && same(oldEntries[head], entries[head]))
        ++head;
    qsizetype tail = 0;
    while (tail < std::min(oldCount, count) - head && same(oldEntries[oldCount - 1 - tail], entries[count - 1 - tail]))
        ++tail;
    QHash<QString, qsizetype> old;
    for (qsizetype i = oldCount - tail - 1; i >= head; --i)
        old.insert(oldEntries[i].text, i);
    m_prepared.reserve(std::size_t(count));
    std::size_t live = 0;
    for (qsizetype k = 0; k < count; ++k) {
        const Entry &e = entries[k];
        const bool kept = k < head || k >= count - tail;
        const qsizetype at = k < head ? k : kept ? k - count + oldCount : old.value(e.text, -1);
        if (at >= 0 && (kept || same(oldEntries[at], e)))
            m_prepared.push_back(oldPrepared[std::size_t(at)]);
        else
            m_prepared.push_back(prepare(e));
        const Prepared &p = m_prepared.back();
        live += p.text.length + p.label.length + p.heading.length;
    }
    // Entries no longer held leave their characters behind; once they outweigh the rest,
    // the live ones are copied together.
    if (m_chars.size() <= 2 * live + 4096)
        return;
    std::u16string chars;
    std::vector<quint16> sets;
    chars.reserve(live);
    sets.reserve(live);
    const auto move = [&](Span &s) {
        const quint32 offset = quint32(chars.size());
        chars.append(m_chars, s.offset, s.length);
        sets.insert(sets.end(), m_sets.begin() + s.offset, m_sets.begin() + s.offset + s.length);
        s.offset = offset;
    };
    for (Prepared &p : m_prepared) {
        move(p.text);
        move(p.label);
        move(p.heading);
    }
    m_chars = std::move(chars);
    m_sets = std::move(sets);
}

qsizetype SearchIndex::indexOfText(const QString &text) const
{
    // Only the user's lists look entries up by text: the table is made the first time.
    if (m_byText.isEmpty() && !m_entries.isEmpty()) {
        m_byText.reserve(m_entries.size());
        for (qsizetype i = m_entries.size() - 1; i >= 0; --i)
            m_byText.insert(m_entries[i].text, i);
    }
    return m_byText.value(text, -1);
}

template <typename Ids>
SearchIndex::Ranked SearchIndex::run(const QString &query, const Ids &ids, qsizetype count) const
{
    const QueryMatcher matcher(query, m_pinyin);
    if (matcher.isEmpty())
        return {};
    const quint32 letters = matcher.usesPinyin() ? matcher.letters() : 0;
    Ranked byRank;
    const std::u16string_view chars(m_chars);
    const auto rankOf = [&](Span s, QueryMatcher::Readings through) {
        return matcher.match(chars.substr(s.offset, s.length), m_sets.data() + s.offset, through);
    };
    // A heading is context: what stands under it matches, but never as a whole.
    const auto entryRank = [&](const Prepared &p, QueryMatcher::Readings through) {
        int rank = rankOf(p.text, through);
        if (rank > QueryMatcher::Whole)
            rank = std::min(rank, int(rankOf(p.label, through)));
        if (rank > QueryMatcher::Inside && rankOf(p.heading, through) != QueryMatcher::NoMatch)
            rank = QueryMatcher::Inside;
        return rank;
    };
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype i = ids(k);
        const Prepared &p = m_prepared[std::size_t(i)];
        if ((p.letters & letters) != letters)
            continue;
        const int rank = entryRank(p, QueryMatcher::AllReadings);
        if (rank > QueryMatcher::Inside)
            continue;
        // Only matches are matched again, through common readings alone.
        const int common = letters ? entryRank(p, QueryMatcher::CommonReadings) : rank;
        if (common <= QueryMatcher::Inside)
            byRank[std::size_t(common)].push_back(i);
        else
            byRank[RankCount / 2 + std::size_t(rank)].push_back(i);
    }
    return byRank;
}

std::vector<qsizetype> SearchIndex::flatten(Ranked ranked)
{
    std::vector<qsizetype> out = std::move(ranked[0]);
    for (std::size_t rank = 1; rank < RankCount; ++rank)
        out.insert(out.end(), ranked[rank].begin(), ranked[rank].end());
    return out;
}

SearchIndex::Ranked SearchIndex::ranked(const QString &query, const std::vector<qsizetype> &among) const
{
    // Page order within each group needs the candidates in page order.
    std::vector<qsizetype> sorted = among;
    std::sort(sorted.begin(), sorted.end());
    return run(
        query, [&](qsizetype k) { return sorted[std::size_t(k)]; }, qsizetype(sorted.size()));
}

std::vector<qsizetype> SearchIndex::search(const QString &query) const
{
    return flatten(run(
        query, [](qsizetype k) { return k; }, size()));
}

std::vector<qsizetype> SearchIndex::search(const QString &query, const std::vector<qsizetype> &among) const
{
    return flatten(ranked(query, among));
}

SearchIndex::Ranked SearchIndex::search(const QString &query, LastSearch &last) const
{
    const bool narrow = last.index == this && last.generation == m_generation
        && QueryMatcher(last.query, m_pinyin).holdsEveryMatchOf(QueryMatcher(query, m_pinyin));
    Ranked found = narrow ? ranked(query, last.hits)
                          : run(
                              query, [](qsizetype k) { return k; }, size());
    last.index = this;
    last.generation = m_generation;
    last.query = query;
    last.hits.clear();
    for (const std::vector<qsizetype> &group : found)
        last.hits.insert(last.hits.end(), group.begin(), group.end());
    return found;
}
