#include "find/QueryMatcher.h"

#include "find/Pinyin.h"

#include <QChar>

#include <algorithm>
#include <bit>

namespace {

constexpr int MaxPinyinQuery = 63;

bool isLetter(char16_t c)
{
    return c >= u'a' && c <= u'z';
}
bool isSeparator(char16_t c)
{
    return c == u' ' || c == u'\'';
}

} // namespace

quint32 QueryMatcher::letterBit(char16_t c)
{
    if (c == u'ü')
        c = u'v';
    return isLetter(c) ? 1u << (c - u'a') : 0;
}

QString QueryMatcher::folded(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QueryMatcher::QueryMatcher(const QString &query, const Pinyin &pinyin)
    : m_readings(pinyin)
{
    const QString trimmed = folded(query).trimmed();
    m_query.reserve(std::size_t(trimmed.size()));
    for (const QChar c : trimmed) {
        m_query.push_back(c.unicode());
        m_spelled.push_back(m_query.back() == u'ü' ? u'v' : m_query.back());
    }
    for (std::size_t i = 0; i < m_query.size(); ++i) {
        const char16_t c = m_query[i];
        if (const quint32 bit = letterBit(c)) {
            m_letters |= bit;
            m_matchesReadings = true;
        }
        if (isSeparator(c) && i < 64)
            m_separators |= States(1) << i;
    }
    if (m_query.size() > MaxPinyinQuery)
        m_matchesReadings = false;
}

QueryMatcher::States QueryMatcher::closure(States states) const
{
    for (;;) {
        const States more = states | ((states & m_separators) << 1);
        if (more == states)
            return states;
        states = more;
    }
}

QueryMatcher::Reached QueryMatcher::step(Reached from, char16_t c, quint16 set) const
{
    const std::size_t n = m_query.size();
    const Pinyin::ReadingSet *readings = set ? &m_readings.set(set) : nullptr;
    Reached next;
    States states = from.any;
    while (states) {
        const std::size_t p = std::size_t(std::countr_zero(states));
        states &= states - 1;
        if (p >= n)
            continue;
        // All ones when this position was reached through common readings only.
        const States common = States(0) - ((from.common >> p) & 1);
        if (m_query[p] == c) {
            next.any |= States(1) << (p + 1);
            next.common |= (States(1) << (p + 1)) & common;
        }
        const char16_t q = m_spelled[p];
        if (!readings || !isLetter(q) || !(readings->firstLetters & (1u << (q - u'a'))))
            continue;
        for (std::size_t r = 0; r < readings->spellings.size(); ++r) {
            const std::string_view spelling = readings->spellings[r];
            const States keep = r < readings->commonCount ? common : 0;
            std::size_t k = 0;
            while (k < spelling.size() && p + k < n && m_spelled[p + k] == char16_t(spelling[k])) {
                ++k;
                next.any |= States(1) << (p + k);
                next.common |= (States(1) << (p + k)) & keep;
            }
        }
    }
    return { closure(next.any), closure(next.common) };
}

QueryMatcher::Ranks QueryMatcher::ranks(std::u16string_view text, const quint16 *sets) const
{
    const std::size_t n = m_query.size();
    if (n == 0 || text.empty())
        return {};
    if (!m_matchesReadings) {
        const std::u16string_view q(m_query);
        const Rank rank = text == q ? Whole : text.starts_with(q) ? Prefix : text.find(q) != q.npos ? Inside : NoMatch;
        return { rank, rank };
    }

    const States done = States(1) << n;
    const States start = closure(1);
    // From the first character: a whole or a prefix match.
    Ranks ranks;
    Reached reached { start, start };
    for (std::size_t j = 0; j < text.size() && reached.any; ++j) {
        reached = step(reached, text[j], sets[j]);
        const Rank rank = j + 1 == text.size() ? Whole : Prefix;
        if (reached.any & done)
            ranks.any = std::min(ranks.any, rank);
        if (reached.common & done)
            ranks.common = std::min(ranks.common, rank);
    }
    if (ranks.common != NoMatch)
        return ranks;
    // From any character, until the common readings give their best rank.
    reached = {};
    for (std::size_t j = 1; j < text.size(); ++j) {
        reached = step({ reached.any | start, reached.common | start }, text[j], sets[j]);
        if (reached.any & done)
            ranks.any = std::min(ranks.any, Inside);
        if (reached.common & done) {
            ranks.common = Inside;
            break;
        }
    }
    return ranks;
}

bool QueryMatcher::holdsEveryMatchOf(const QueryMatcher &longer) const
{
    // An empty search text matches nothing.
    if (isEmpty() || !std::u16string_view(longer.m_query).starts_with(m_query))
        return false;
    // A match by readings runs through the shorter text's end, and so does a literal one.
    if (m_matchesReadings || !longer.m_matchesReadings)
        return true;
    // This one matches literally and the longer by readings, where a space or an
    // apostrophe may be left out: '  finds only texts with one, 't also those without.
    return m_separators == 0;
}
