#pragma once

#include <QString>

#include <string_view>
#include <vector>

class Pinyin;

// One search text, ready to be matched against many entries. Neither case nor width nor
// style counts: ＡＢＣ, ⓐⓑⓒ and 𝐀𝐁𝐂 match abc. A text with Latin letters also matches Han
// characters by their readings: whole syllables (xinqing), initials (xq) and both mixed
// (xinq), each character by any of its readings; spaces and apostrophes between syllables
// may be left out; ü may be typed as v. Everything else matches literally. A match may be
// limited to common readings, to tell those found only through rare ones apart.
class QueryMatcher
{
public:
    enum Rank { Whole = 0, Prefix = 1, Inside = 2, NoMatch = 3 };
    // Which readings of Han characters a match may go through; letters as themselves
    // always match.
    enum Readings { AllReadings, CommonReadings };

    QueryMatcher(const QString &query, const Pinyin &pinyin);

    bool isEmpty() const { return m_query.empty(); }
    // Letters an entry must offer (as themselves or in a reading) to match by pinyin.
    quint32 letters() const { return m_letters; }
    bool usesPinyin() const { return m_matchesReadings; }

    // text: folded characters; sets: their reading sets, one per character.
    Rank match(std::u16string_view text, const quint16 *sets, Readings through = AllReadings) const;

    // Whether every text this matches matches the shorter search text it was typed from,
    // so that searching among that one's results finds all.
    bool holdsEveryMatchOf(const QueryMatcher &longer) const;

    // The form every text is matched in: compatibility forms (full-width, circled, styled
    // letters) as their plain characters, case folded. It may differ in length from the
    // text, so it is for matching only, never shown or copied.
    static QString folded(const QString &text);
    // The bit of a folded character among the 26 letters that readings are spelled with
    // (ü as v), or 0.
    static quint32 letterBit(char16_t c);

private:
    using States = quint64;
    States closure(States states) const;
    States step(States states, char16_t c, quint16 set, Readings through) const;

    const Pinyin &m_readings;
    std::u16string m_query;
    // The query as readings are spelled: ü as v.
    std::u16string m_spelled;
    States m_separators = 0;
    quint32 m_letters = 0;
    bool m_matchesReadings = false;
};
