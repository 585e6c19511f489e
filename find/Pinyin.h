#pragma once

#include <QChar>
#include <QStringList>

#include <string_view>
#include <vector>

// Looks up the readings of Han characters. Characters with the same readings share one
// reading set, so that the matcher works on small numbers.
class Pinyin
{
public:
    struct ReadingSet
    {
        std::vector<std::string_view> spellings;
        quint32 firstLetters = 0; // bit n: a spelling starts with 'a' + n
        quint32 letters = 0; // bit n: a spelling holds 'a' + n
    };

    Pinyin();

    // 0 for a character without readings.
    int readingSet(QChar c) const { return m_setOf[c.unicode()]; }
    const ReadingSet &set(int id) const { return m_sets[std::size_t(id)]; }
    QStringList readings(QChar c) const;

private:
    std::vector<quint16> m_setOf;
    std::vector<ReadingSet> m_sets;
};
