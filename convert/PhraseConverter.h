#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

class OpenccEngine;

// A piece of a phrase-level conversion's result that needs a person's eye: its source
// character has several forms in real use and no phrase chose one, or the phrase it is in
// has several forms. Mostly a single character.
struct ReviewMark
{
    qsizetype position = 0; // UTF-16 index into the converted text
    QStringList candidates; // candidates[0] is the form the conversion chose

    qsizetype length() const { return candidates.isEmpty() ? 0 : candidates.first().size(); }
    friend bool operator==(const ReviewMark &, const ReviewMark &) = default;
};

struct PhraseResult
{
    QString text;
    QList<ReviewMark> marks; // in order of position
};

// Phrase-level conversion by one OpenCC configuration. Characters that code page 936
// cannot hold (emoji, characters beyond the BMP, rare CJK) pass through unchanged and end
// a phrase, as they do in the page's other converters. Safe to use from several threads.
class PhraseConverter
{
public:
    enum Config { S2T, S2TWP, S2HK, T2S, TW2SP };
    static constexpr int ConfigCount = 5;

    // The simplified configurations offer only candidates that code page 936 holds.
    PhraseConverter(std::shared_ptr<const OpenccEngine> engine, Config config);
    ~PhraseConverter();

    // With review, the result also carries the marks.
    PhraseResult convert(QStringView text, bool review = true) const;

private:
    std::shared_ptr<const OpenccEngine> m_engine;
    bool m_simplified;
};
