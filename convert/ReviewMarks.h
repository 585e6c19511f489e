#pragma once

#include "convert/ReviewMarkList.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPoint>

class QMenu;
class QPlainTextEdit;

// The review marks of a memo after a phrase-level conversion, kept in a ReviewMarkList: each
// is drawn with a dotted underline (only those in view, so that a huge text stays quick),
// explains itself in a tooltip and offers its candidates on a click. They live beside the
// document, never in it, so copies never carry them.
class ReviewMarks : public QObject
{
    Q_OBJECT
public:
    explicit ReviewMarks(QPlainTextEdit *memo);

    // Positions are the memo document's. A candidate the memo's font cannot draw is no
    // candidate; a mark left with one is dropped.
    void setMarks(QList<ReviewMark> marks);
    void clear();
    int count() const { return m_list.count(); }
    const QList<ReviewMark> &marks() const { return m_list.marks(); }

    // The mark on the character at a document position, or -1.
    int indexAt(int position) const { return m_list.indexAt(position); }
    // Where `mark` is now, or -1 when it has gone or changed (a menu or a queued call
    // holds a copy; the marks may have changed since).
    int indexOf(const ReviewMark &mark) const { return m_list.indexOf(mark); }
    // The mark under a point of the memo's viewport, or -1.
    int indexAtPoint(QPoint viewportPoint) const;
    // The mark a context menu is for: the one right-clicked, else the one at the caret.
    int indexForContextMenu() const;

    // Replaces the marked character by candidate as one undo step; the mark goes.
    void choose(int index, const QString &candidate);
    // Selects the next mark after the caret, from the top again after the last.
    bool selectNext();
    // Offers the candidates of a mark; the one in the text is checked.
    void showCandidates(int index, QPoint globalPos);

    QMenu *candidateMenu() const { return m_menu; }

signals:
    void countChanged(int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int position, int removed, int added);
    void refreshSelections(bool force = false);
    QString toolTip(const ReviewMark &mark) const;
    bool drawable(const QString &text);

    QPlainTextEdit *m_memo;
    // Kept apart: the viewport still sends events while the memo is being destroyed,
    // when the memo can no longer be asked for it.
    QWidget *m_viewport;
    QMenu *m_menu;
    ReviewMarkList m_list;
    // What the drawn selections were made for, to redraw only when it changes.
    int m_drawnFrom = -1;
    int m_drawnTo = -1;
    QPoint m_pressPoint;
    QPoint m_rightPressPoint;
    bool m_rightPressed = false;
    bool m_refreshPending = false;
    // Which candidates the memo could draw, for the font it had then.
    QHash<QString, bool> m_drawable;
    QFont m_drawableFont;
};
