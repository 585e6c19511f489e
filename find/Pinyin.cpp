#include "find/Pinyin.h"

#include "find/PinyinTable.h"

#include <map>

namespace {

// Marks a syllable that is only a rare reading of a character.
constexpr quint16 Rare = 0x8000;

// The other spelling input methods accept, or nothing.
std::string_view alternativeSpelling(std::string_view spelling)
{
    if (spelling == "lve")
        return "lue";
    if (spelling == "nve")
        return "nue";
    return {};
}

QStringList latin(const std::vector<std::string_view> &spellings, std::size_t count)
{
    QStringList out;
    for (std::size_t i = 0; i < count; ++i)
        out.append(QString::fromLatin1(spellings[i].data(), qsizetype(spellings[i].size())));
    return out;
}

} // namespace

Pinyin::Pinyin()
    : m_setOf(0x10000, 0)
    , m_sets(1)
{
    // Common syllables first, so that each character's list starts with them.
    std::vector<std::vector<quint16>> syllablesOf(0x10000);
    for (int s = 0; s < PinyinTable::syllableCount; ++s) {
        for (const char16_t c : PinyinTable::syllables[s].characters)
            syllablesOf[c].push_back(quint16(s));
    }
    for (int s = 0; s < PinyinTable::syllableCount; ++s) {
        for (const char16_t c : PinyinTable::syllables[s].rare)
            syllablesOf[c].push_back(quint16(s | Rare));
    }
    std::map<std::vector<quint16>, quint16> ids;
    for (std::size_t c = 0; c < syllablesOf.size(); ++c) {
        const std::vector<quint16> &list = syllablesOf[c];
        if (list.empty())
            continue;
        auto [it, added] = ids.try_emplace(list, quint16(m_sets.size()));
        if (added) {
            ReadingSet set;
            for (const quint16 s : list) {
                const std::string_view spelling = PinyinTable::syllables[s & ~Rare].spelling;
                const std::string_view other = alternativeSpelling(spelling);
                for (const std::string_view one : { spelling, other }) {
                    if (one.empty())
                        continue;
                    set.spellings.push_back(one);
                    set.firstLetters |= 1u << (one.front() - 'a');
                    for (const char letter : one)
                        set.letters |= 1u << (letter - 'a');
                }
                if (!(s & Rare))
                    set.commonCount = set.spellings.size();
            }
            m_sets.push_back(std::move(set));
        }
        m_setOf[c] = it->second;
    }
}

QStringList Pinyin::readings(QChar c) const
{
    const ReadingSet &s = set(readingSet(c));
    return latin(s.spellings, s.spellings.size());
}

QStringList Pinyin::commonReadings(QChar c) const
{
    const ReadingSet &s = set(readingSet(c));
    return latin(s.spellings, s.commonCount);
}
