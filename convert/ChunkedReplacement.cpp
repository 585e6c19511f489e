#include "convert/ChunkedReplacement.h"

#include "widgets/SkinMemo.h"

#include <QPlainTextEdit>
#include <QTimer>

ChunkedReplacement::ChunkedReplacement(QPlainTextEdit *memo, QObject *parent)
    : QObject(parent)
    , m_memo(memo)
{
    connect(memo->document(), &QTextDocument::contentsChange, this, [this] {
        if (m_watching && !m_ownEdit)
            m_spoiled = true;
    });
    m_schedule = [this](std::function<void()> step) { QTimer::singleShot(0, this, std::move(step)); };
}

void ChunkedReplacement::replaceAll(const QString &text)
{
    m_text = text;
    m_applied = 0;
    m_editStarted = false;
    applyStep(m_text.size());
    m_editStarted = false;
}

void ChunkedReplacement::watch(QString source)
{
    m_source = std::move(source);
    m_watching = true;
    m_spoiled = false;
    m_editStarted = false;
}

void ChunkedReplacement::start(QString text)
{
    m_text = std::move(text);
    m_applied = 0;
    m_sourceLeft = m_source.size();
    applyNextPiece();
}

void ChunkedReplacement::applyNextPiece()
{
    if (m_spoiled) {
        restoreRemoved();
        emit abandoned();
        return;
    }
    QTextDocument *document = m_memo->document();
    const int old = m_applied == 0 ? document->characterCount() - 1 : 0;
    if (old > 0) {
        int start = std::max(0, old - int(PieceLength));
        if (start > 0 && document->characterAt(start).isLowSurrogate())
            --start;
        QTextCursor cursor = editCursor();
        cursor.setPosition(start);
        cursor.setPosition(old, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        endEdit(cursor);
        m_sourceLeft = start;
        trackOwnPart();
    } else {
        qsizetype end = std::min(m_text.size(), m_applied + PieceLength);
        if (end < m_text.size() && m_text.at(end - 1).isHighSurrogate())
            ++end;
        if (applyStep(end)) {
            emit finished();
            return;
        }
        trackOwnPart();
    }
    m_schedule([this, run = m_run] {
        if (run == m_run && m_watching)
            applyNextPiece();
    });
}

void ChunkedReplacement::trackOwnPart()
{
    QTextDocument *document = m_memo->document();
    m_ownStart = QTextCursor(document);
    m_ownStart.setPosition(int(m_sourceLeft));
    m_ownEnd = QTextCursor(document);
    m_ownEnd.movePosition(QTextCursor::End);
    // What others insert at either edge stays outside.
    m_ownEnd.setKeepPositionOnInsert(true);
}

void ChunkedReplacement::restoreRemoved()
{
    if (!m_editStarted)
        return;
    QTextCursor cursor = m_ownStart;
    cursor.setPosition(std::max(m_ownStart.position(), m_ownEnd.position()), QTextCursor::KeepAnchor);
    m_ownEdit = true;
    SkinMemo::insertExactText(cursor, QStringView(m_source).sliced(m_sourceLeft));
    m_ownEdit = false;
}

bool ChunkedReplacement::cancel()
{
    if (!m_watching)
        return false;
    if (m_spoiled) {
        restoreRemoved();
        return false;
    }
    if (!m_editStarted)
        return false;
    // The pieces so far are one undo step on top of the history; undone, the source is back
    // whole, and nothing is left to redo.
    QTextDocument *document = m_memo->document();
    m_ownEdit = true;
    document->undo();
    m_ownEdit = false;
    document->clearUndoRedoStacks(QTextDocument::RedoStack);
    return true;
}

void ChunkedReplacement::stop()
{
    ++m_run;
    m_watching = false;
    m_editStarted = false;
    m_text.clear();
    m_source.clear();
    m_ownStart = {};
    m_ownEnd = {};
}

// The first edit of a replacement opens its undo entry; the later ones join it.
QTextCursor ChunkedReplacement::editCursor()
{
    QTextCursor cursor(m_memo->document());
    m_ownEdit = true;
    if (m_editStarted) {
        cursor.joinPreviousEditBlock();
    } else {
        cursor.beginEditBlock();
        m_editStarted = true;
    }
    return cursor;
}

void ChunkedReplacement::endEdit(QTextCursor &cursor)
{
    cursor.endEditBlock();
    m_ownEdit = false;
}

// Puts the text up to end in place of the memo text (the first step) or after what is
// already there; true after the last step.
bool ChunkedReplacement::applyStep(qsizetype end)
{
    const bool first = !m_editStarted;
    QTextCursor cursor = editCursor();
    if (first)
        cursor.select(QTextCursor::Document);
    else
        cursor.movePosition(QTextCursor::End);
    SkinMemo::insertExactText(cursor, QStringView(m_text).sliced(m_applied, end - m_applied));
    endEdit(cursor);
    m_applied = end;
    if (m_applied < m_text.size())
        return false;
    m_text.clear();
    return true;
}
