#pragma once

#include "find/Entry.h"

#include <QHash>
#include <QList>

#include <string>
#include <vector>

class Pinyin;

// Every entry the program shows, in page order, prepared for matching: each text lowered
// once, with the reading set of each of its characters.
class SearchIndex
{
public:
    explicit SearchIndex(const Pinyin &pinyin);

    void add(const QList<Entry> &entries);
    qsizetype size() const { return m_entries.size(); }
    const Entry &entry(qsizetype i) const { return m_entries[i]; }
    // The first entry whose copied text is exactly this, or -1.
    qsizetype indexOfText(const QString &text) const;

    // The matching entries, best first: whole-entry matches, then those that start with
    // the search text, then the rest, each group in page order. "among" limits the search
    // to those entries, e.g. the results of a shorter search text.
    std::vector<qsizetype> search(const QString &query) const;
    std::vector<qsizetype> search(const QString &query, const std::vector<qsizetype> &among) const;

private:
    struct Span
    {
        quint32 offset = 0;
        quint32 length = 0;
    };
    struct Prepared
    {
        Span text, label, heading;
        quint32 letters = 0;
    };
    Span append(const QString &s, quint32 &letters);
    template <typename Ids> std::vector<qsizetype> run(const QString &query, const Ids &ids, qsizetype count) const;

    const Pinyin &m_pinyin;
    QList<Entry> m_entries;
    std::vector<Prepared> m_prepared;
    std::u16string m_chars;
    std::vector<quint16> m_sets;
    mutable QHash<QString, qsizetype> m_byText;
};
