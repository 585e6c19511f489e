#include "convert/ReviewMarkList.h"

#include <algorithm>

ReviewMarkList::ReviewMarkList(QObject *parent)
    : QObject(parent)
{
}

void ReviewMarkList::setMarks(QList<ReviewMark> marks, const CandidateFilter &keep)
{
    m_marks.clear();
    m_marks.reserve(marks.size());
    for (ReviewMark &mark : marks) {
        for (qsizetype i = mark.candidates.size() - 1; i > 0 && keep; --i) {
            if (!keep(mark.candidates[i]))
                mark.candidates.removeAt(i);
        }
        if (mark.candidates.size() > 1)
            m_marks.append(std::move(mark));
    }
    emit countChanged(count());
}

void ReviewMarkList::clear()
{
    if (m_marks.isEmpty())
        return;
    m_marks.clear();
    emit countChanged(0);
}

int ReviewMarkList::indexOf(const ReviewMark &mark) const
{
    const int now = indexAt(mark.position);
    return now >= 0 && m_marks[now] == mark ? now : -1;
}

int ReviewMarkList::indexAt(qsizetype position) const
{
    const auto it = std::partition_point(m_marks.begin(), m_marks.end(),
        [position](const ReviewMark &mark) { return mark.position + mark.length() <= position; });
    if (it == m_marks.end() || it->position > position)
        return -1;
    return int(it - m_marks.begin());
}

int ReviewMarkList::next(qsizetype from) const
{
    if (m_marks.isEmpty())
        return -1;
    const auto it = std::partition_point(
        m_marks.begin(), m_marks.end(), [from](const ReviewMark &mark) { return mark.position < from; });
    return it == m_marks.end() ? 0 : int(it - m_marks.begin());
}

int ReviewMarkList::firstEndingAfter(qsizetype from) const
{
    const auto it = std::partition_point(
        m_marks.begin(), m_marks.end(), [from](const ReviewMark &mark) { return mark.position + 2 < from; });
    return int(it - m_marks.begin());
}

void ReviewMarkList::remove(int index)
{
    if (index < 0 || index >= m_marks.size())
        return;
    m_marks.removeAt(index);
    emit countChanged(count());
}

void ReviewMarkList::follow(int position, int removed, int added, int textLength)
{
    if (m_marks.isEmpty())
        return;
    const int end = position + removed;
    const int delta = added - removed;
    const qsizetype before = m_marks.size();
    QList<ReviewMark> kept;
    kept.reserve(before);
    for (ReviewMark &mark : m_marks) {
        if (mark.position >= end)
            mark.position += delta;
        else if (mark.position + mark.length() > position)
            continue;
        if (mark.position + mark.length() <= textLength)
            kept.append(std::move(mark));
    }
    m_marks = std::move(kept);
    if (m_marks.size() != before)
        emit countChanged(count());
}
