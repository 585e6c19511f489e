#include "find/SearchIndex.h"

#include "find/Pinyin.h"
#include "find/QueryMatcher.h"

#include <algorithm>
#include <array>

SearchIndex::SearchIndex(const Pinyin &pinyin)
    : m_pinyin(pinyin)
{
}

SearchIndex::Span SearchIndex::append(const QString &s, quint32 &letters)
{
    const Span span { quint32(m_chars.size()), quint32(s.size()) };
    for (const QChar ch : s) {
        const char16_t c = QueryMatcher::fold(ch.unicode());
        const int set = m_pinyin.readingSet(ch);
        m_chars.push_back(c);
        m_sets.push_back(quint16(set));
        if (c >= u'a' && c <= u'z')
            letters |= 1u << (c - u'a');
        letters |= m_pinyin.set(set).letters;
    }
    return span;
}

void SearchIndex::add(const QList<Entry> &entries)
{
    m_byText.clear();
    m_entries.reserve(m_entries.size() + entries.size());
    m_prepared.reserve(m_prepared.size() + std::size_t(entries.size()));
    std::size_t chars = m_chars.size();
    for (const Entry &e : entries)
        chars += std::size_t(e.text.size() + e.label.size() + e.heading.size());
    m_chars.reserve(chars);
    m_sets.reserve(chars);
    for (const Entry &e : entries) {
        Prepared p;
        p.text = append(e.text, p.letters);
        p.label = append(e.label, p.letters);
        p.heading = append(e.heading, p.letters);
        m_prepared.push_back(p);
        m_entries.append(e);
    }
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
std::vector<qsizetype> SearchIndex::run(const QString &query, const Ids &ids, qsizetype count) const
{
    const QueryMatcher matcher(query, m_pinyin);
    if (matcher.isEmpty())
        return {};
    const quint32 letters = matcher.usesPinyin() ? matcher.letters() : 0;
    std::array<std::vector<qsizetype>, 3> byRank;
    const std::u16string_view chars(m_chars);
    const auto rankOf
        = [&](Span s) { return matcher.match(chars.substr(s.offset, s.length), m_sets.data() + s.offset); };
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype i = ids(k);
        const Prepared &p = m_prepared[std::size_t(i)];
        if ((p.letters & letters) != letters)
            continue;
        int rank = std::min(rankOf(p.text), rankOf(p.label));
        // A heading is context: what stands under it matches, but never as a whole.
        if (rank > QueryMatcher::Inside && rankOf(p.heading) != QueryMatcher::NoMatch)
            rank = QueryMatcher::Inside;
        if (rank <= QueryMatcher::Inside)
            byRank[std::size_t(rank)].push_back(i);
    }
    std::vector<qsizetype> out = std::move(byRank[0]);
    out.insert(out.end(), byRank[1].begin(), byRank[1].end());
    out.insert(out.end(), byRank[2].begin(), byRank[2].end());
    return out;
}

std::vector<qsizetype> SearchIndex::search(const QString &query) const
{
    return run(
        query, [](qsizetype k) { return k; }, size());
}

std::vector<qsizetype> SearchIndex::search(const QString &query, const std::vector<qsizetype> &among) const
{
    // Page order within each group needs the candidates in page order.
    std::vector<qsizetype> sorted = among;
    std::sort(sorted.begin(), sorted.end());
    return run(
        query, [&](qsizetype k) { return sorted[std::size_t(k)]; }, qsizetype(sorted.size()));
}
