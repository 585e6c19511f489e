#pragma once

#include "convert/PhraseConverter.h"

#include <QList>
#include <QObject>

#include <functional>

// The review marks of a text after a phrase-level conversion, in order of position: where
// each is, its candidates, how an edit of the text moves or drops them, which one comes
// next. How they look and answer the mouse is ReviewMarks' business.
class ReviewMarkList : public QObject
{
    Q_OBJECT
public:
    using CandidateFilter = std::function<bool(const QString &candidate)>;

    explicit ReviewMarkList(QObject *parent = nullptr);

    // A candidate after the first that `keep` refuses is no candidate; a mark left with
    // one is dropped.
    void setMarks(QList<ReviewMark> marks, const CandidateFilter &keep = {});
    void clear();
    int count() const { return int(m_marks.size()); }
    bool isEmpty() const { return m_marks.isEmpty(); }
    const QList<ReviewMark> &marks() const { return m_marks; }
    const ReviewMark &at(int index) const { return m_marks[index]; }

    // The mark on the character at a text position, or -1.
    int indexAt(qsizetype position) const;
    // Where `mark` is now, or -1 when it has gone or changed.
    int indexOf(const ReviewMark &mark) const;
    // The first mark at or after `from`, from the top again after the last; -1 when none.
    int next(qsizetype from) const;
    // The first mark that may still show at `from` or after it: where drawing starts.
    int firstEndingAfter(qsizetype from) const;

    // Drops a mark that was looked at.
    void remove(int index);
    // Follows an edit of the text: marks after it move, those it touches go, and so do
    // those that no longer end inside a text of textLength characters.
    void follow(int position, int removed, int added, int textLength);

signals:
    void countChanged(int count);

private:
    QList<ReviewMark> m_marks;
};
