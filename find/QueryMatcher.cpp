#include "find/QueryMatcher.h"

#include "find/Pinyin.h"

#include <QChar>

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

QueryMatcher::States QueryMatcher::step(States states, char16_t c, quint16 set, Readings through) const
{
    const std::size_t n = m_query.size();
    const Pinyin::ReadingSet *readings = set ? &m_readings.set(set) : nullptr;
    States next = 0;
    while (states) {
        const std::size_t p = std::size_t(std::countr_zero(states));
        states &= states - 1;
        if (p >= n)
            continue;
        if (m_query[p] == c)
            next |= States(1) << (p + 1);
        const char16_t q = m_spelled[p];
        if (!readings || !isLetter(q) || !(readings->firstLetters & (1u << (q - u'a'))))
            continue;
        const std::size_t count = through == CommonReadings ? readings->commonCount : readings->spellings.size();
        for (std::size_t r = 0; r < count; ++r) {
            const std::string_view spelling = readings->spellings[r];
            std::size_t k = 0;
            while (k < spelling.size() && p + k < n && m_spelled[p + k] == char16_t(spelling[k])) {
                ++k;
                next |= States(1) << (p + k);
            }
        }
    }
    return closure(next);
}

QueryMatcher::Rank QueryMatcher::match(std::u16string_view text, const quint16 *sets, Readings through) const
{
    const std::size_t n = m_query.size();
    if (n == 0 || text.empty())
        return NoMatch;
    if (!m_matchesReadings) {
        const std::u16string_view q(m_query);
        if (text == q)
            return Whole;
        if (text.starts_with(q))
            return Prefix;
        return text.find(q) != std::u16string_view::npos ? Inside : NoMatch;
    }

    const States done = States(1) << n;
    const States start = closure(1);
    // From the first character: a whole or a prefix match.
    States states = start;
    bool prefix = false;
    for (std::size_t j = 0; j < text.size() && states; ++j) {
        states = step(states, text[j], sets[j], through);
        if (states & done) {
            if (j + 1 == text.size())
                return Whole;
            prefix = true;
        }
    }
    if (prefix)
        return Prefix;
    // From any character.
    states = 0;
    for (std::size_t j = 1; j < text.size(); ++j) {
        states = step(states | start, text[j], sets[j], through);
        if (states & done)
            return Inside;
    }
    return NoMatch;
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
