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
        // The common readings first, then the rare ones. Input methods take lue and nue for
        // lüe and nüe, so those are spelled both ways.
        std::vector<std::string_view> spellings;
        std::size_t commonCount = 0; // spellings before this are common readings
        quint32 firstLetters = 0; // bit n: a spelling starts with 'a' + n
        quint32 letters = 0; // bit n: a spelling holds 'a' + n
    };

    Pinyin();

    // 0 for a character without readings.
    int readingSet(QChar c) const { return m_setOf[c.unicode()]; }
    const ReadingSet &set(int id) const { return m_sets[std::size_t(id)]; }
    // As the search spells them, common ones first.
    QStringList readings(QChar c) const;
    QStringList commonReadings(QChar c) const;

private:
    std::vector<quint16> m_setOf;
    std::vector<ReadingSet> m_sets;
};
