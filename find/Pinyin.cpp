#include "find/Pinyin.h"

#include "find/PinyinTable.h"

#include <map>

Pinyin::Pinyin()
    : m_setOf(0x10000, 0)
    , m_sets(1)
{
    std::vector<std::vector<quint16>> syllablesOf(0x10000);
    for (int s = 0; s < PinyinTable::syllableCount; ++s) {
        for (const char16_t c : PinyinTable::syllables[s].characters)
            syllablesOf[c].push_back(quint16(s));
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
                const std::string_view spelling = PinyinTable::syllables[s].spelling;
                set.spellings.push_back(spelling);
                set.firstLetters |= 1u << (spelling.front() - 'a');
                for (const char letter : spelling)
                    set.letters |= 1u << (letter - 'a');
            }
            m_sets.push_back(std::move(set));
        }
        m_setOf[c] = it->second;
    }
}

QStringList Pinyin::readings(QChar c) const
{
    QStringList out;
    for (const std::string_view s : set(readingSet(c)).spellings)
        out.append(QString::fromLatin1(s.data(), qsizetype(s.size())));
    return out;
}
