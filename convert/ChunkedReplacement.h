#pragma once

#include <QObject>
#include <QString>
#include <QTextCursor>

#include <functional>

class QPlainTextEdit;

// Puts a new text in place of a memo's whole text as one undo step. A long one goes in
// piece by piece, the event loop running in between: replacing megabytes at once would
// freeze the window for seconds. Meanwhile an edit by someone else spoils it; then what
// was removed of the old text comes back around that edit.
class ChunkedReplacement : public QObject
{
    Q_OBJECT
public:
    explicit ChunkedReplacement(QPlainTextEdit *memo, QObject *parent = nullptr);

    // Long texts reach the memo in pieces of this many UTF-16 units.
    static constexpr qsizetype PieceLength = 100'000;

    // Runs the next step later; by default at the next turn of the event loop.
    using StepScheduler = std::function<void(std::function<void()>)>;
    void setStepScheduler(StepScheduler scheduler) { m_schedule = std::move(scheduler); }

    // Replaces the memo text at once.
    void replaceAll(const QString &text);

    // From now on an edit of the memo by someone else spoils the replacement of `source`,
    // the memo's text now.
    void watch(QString source);
    bool isSpoiled() const { return m_spoiled; }
    // Starts putting `text` in place of the watched source; finished() when it is all in,
    // abandoned() when an edit spoiled it on the way.
    void start(QString text);
    // Ends a replacement: undone when it is running, the old text back when it was spoiled.
    // True when the memo is as it was before, undo history and all.
    bool cancel();
    // Stops watching; a step still scheduled does nothing.
    void stop();

signals:
    void finished();
    void abandoned();

private:
    void applyNextPiece();
    bool applyStep(qsizetype end);
    QTextCursor editCursor();
    void endEdit(QTextCursor &cursor);
    void restoreRemoved();
    void trackOwnPart();

    QPlainTextEdit *m_memo;
    StepScheduler m_schedule;
    QString m_text;
    qsizetype m_applied = 0;
    // The source text, to go back to.
    QString m_source;
    // The part of the memo the replacement has made its own so far: the source text it has
    // removed gave way to it. Start and end follow edits made by others.
    QTextCursor m_ownStart;
    QTextCursor m_ownEnd;
    qsizetype m_sourceLeft = 0;
    unsigned m_run = 0;
    bool m_watching = false;
    bool m_spoiled = false;
    bool m_ownEdit = false;
    bool m_editStarted = false;
};
