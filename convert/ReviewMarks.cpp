#include "convert/ReviewMarks.h"

#include "window/Guard.h"

#include <QAction>
#include <QApplication>
#include <QGlyphRun>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

namespace {

// More would not fit on a screen; the cap keeps a tiny font from slowing every repaint.
constexpr int MaxDrawn = 4000;

QTextCursor cursorOver(QTextDocument *document, const ReviewMark &mark)
{
    QTextCursor cursor(document);
    cursor.setPosition(int(mark.position));
    cursor.setPosition(int(mark.position + mark.length()), QTextCursor::KeepAnchor);
    return cursor;
}

} // namespace

ReviewMarks::ReviewMarks(QPlainTextEdit *memo)
    : QObject(memo)
    , m_memo(memo)
    , m_viewport(memo->viewport())
    , m_menu(new QMenu(memo))
{
    setObjectName(QStringLiteral("reviewMarks"));
    m_menu->setObjectName(QStringLiteral("reviewCandidateMenu"));
    connect(&m_list, &ReviewMarkList::countChanged, this, &ReviewMarks::countChanged);
    connect(memo->document(), &QTextDocument::contentsChange, this, &ReviewMarks::contentsChanged);
    connect(memo, &QPlainTextEdit::updateRequest, this, [this] { refreshSelections(); });
    memo->viewport()->installEventFilter(this);
}

void ReviewMarks::setMarks(QList<ReviewMark> marks)
{
    // An empty box in the candidate menu would choose nothing the user can read.
    m_list.setMarks(std::move(marks), [this](const QString &candidate) { return drawable(candidate); });
    refreshSelections(true);
}

void ReviewMarks::clear()
{
    if (m_list.isEmpty())
        return;
    setMarks({});
}

int ReviewMarks::indexAtPoint(QPoint viewportPoint) const
{
    if (m_list.isEmpty())
        return -1;
    const int position = m_memo->cursorForPosition(viewportPoint).position();
    // The nearest place between characters may be on either side of the one under the point.
    for (int at : { position - 1, position }) {
        const int index = indexAt(at);
        if (index < 0)
            continue;
        const ReviewMark &mark = m_list.at(index);
        QTextCursor cursor(m_memo->document());
        cursor.setPosition(int(mark.position));
        const QRect start = m_memo->cursorRect(cursor);
        cursor.setPosition(int(mark.position + mark.length()));
        const QRect end = m_memo->cursorRect(cursor);
        const int right = end.top() == start.top()
            ? end.left()
            : start.left() + m_memo->fontMetrics().horizontalAdvance(mark.candidates.first());
        if (QRect(QPoint(start.left(), start.top()), QPoint(right, start.bottom())).contains(viewportPoint))
            return index;
    }
    return -1;
}

int ReviewMarks::indexForContextMenu() const
{
    if (m_rightPressed) {
        const int index = indexAtPoint(m_rightPressPoint);
        if (index >= 0)
            return index;
    }
    const QTextCursor caret = m_memo->textCursor();
    const int index = indexAt(caret.selectionStart());
    return index >= 0 || caret.hasSelection() ? index : indexAt(caret.position() - 1);
}

void ReviewMarks::choose(int index, const QString &candidate)
{
    if (index < 0 || index >= count())
        return;
    const ReviewMark mark = m_list.at(index);
    if (candidate == mark.candidates.first()) {
        // Kept as it is: looked at, so no longer waiting.
        m_list.remove(index);
        refreshSelections(true);
        return;
    }
    QTextCursor cursor = cursorOver(m_memo->document(), mark);
    cursor.beginEditBlock();
    cursor.insertText(candidate); // the edit drops the mark
    cursor.endEditBlock();
    m_memo->setTextCursor(cursor);
}

bool ReviewMarks::selectNext()
{
    const QTextCursor caret = m_memo->textCursor();
    const int index = m_list.next(caret.hasSelection() ? caret.selectionStart() + 1 : caret.position());
    if (index < 0)
        return false;
    m_memo->setTextCursor(cursorOver(m_memo->document(), m_list.at(index)));
    m_memo->ensureCursorVisible();
    return true;
}

void ReviewMarks::showCandidates(int index, QPoint globalPos)
{
    if (index < 0 || index >= count())
        return;
    m_menu->clear();
    const ReviewMark mark = m_list.at(index);
    for (const QString &candidate : mark.candidates) {
        QAction *action = m_menu->addAction(candidate);
        action->setCheckable(true);
        action->setChecked(candidate == mark.candidates.first());
        connect(action, &QAction::triggered, this, guardedSlot(m_memo->window(), [this, mark, candidate] {
            if (const int now = indexOf(mark); now >= 0)
                choose(now, candidate);
        }));
    }
    m_menu->popup(globalPos);
}

bool ReviewMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_viewport || m_list.isEmpty())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int index = indexAtPoint(help->pos());
        if (index < 0)
            return false;
        QToolTip::showText(help->globalPos(), toolTip(m_list.at(index)), m_memo->viewport());
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_rightPressed = mouse->button() == Qt::RightButton;
        if (m_rightPressed)
            m_rightPressPoint = mouse->position().toPoint();
        else
            m_pressPoint = mouse->position().toPoint();
        return false;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() != Qt::LeftButton
            || (at - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
            return false;
        const int index = indexAtPoint(at);
        if (index < 0)
            return false;
        // After the memo has placed the caret for this click.
        const ReviewMark mark = m_list.at(index);
        const QPoint global = mouse->globalPosition().toPoint();
        QMetaObject::invokeMethod(
            this,
            [this, mark, global] {
                if (const int now = indexOf(mark); now >= 0)
                    showCandidates(now, global);
            },
            Qt::QueuedConnection);
        return false;
    }
    case QEvent::Resize:
        refreshSelections();
        return false;
    default:
        return false;
    }
}

void ReviewMarks::contentsChanged(int position, int removed, int added)
{
    if (m_list.isEmpty())
        return;
    // Clearing reports a step that leaves marks past the end for a moment; never keep those.
    m_list.follow(position, removed, added, m_memo->document()->characterCount() - 1);
    // Drawn once the memo has laid the change out.
    if (!m_refreshPending) {
        m_refreshPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_refreshPending = false;
                refreshSelections(true);
            },
            Qt::QueuedConnection);
    }
}

void ReviewMarks::refreshSelections(bool force)
{
    if (m_list.isEmpty()) {
        // Reset first: setting the selections asks for a repaint, which calls back here.
        const bool drawn = m_drawnFrom >= 0;
        m_drawnFrom = m_drawnTo = -1;
        if (drawn || force)
            m_memo->setExtraSelections({});
        return;
    }
    const QWidget *viewport = m_memo->viewport();
    const int from = m_memo->cursorForPosition(QPoint(0, 0)).position();
    const int to = m_memo->cursorForPosition(QPoint(viewport->width(), viewport->height())).position();
    if (!force && from == m_drawnFrom && to == m_drawnTo)
        return;
    m_drawnFrom = from;
    m_drawnTo = to;

    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::DotLine);
    format.setUnderlineColor(QColor(0xc0, 0x39, 0x2b));
    format.setBackground(QColor(0xfd, 0xec, 0xea));
    QList<QTextEdit::ExtraSelection> selections;
    const QList<ReviewMark> &marks = m_list.marks();
    const int textEnd = m_memo->document()->characterCount() - 1;
    for (auto it = marks.begin() + m_list.firstEndingAfter(from);
         it != marks.end() && it->position <= to + 1 && selections.size() < MaxDrawn; ++it) {
        if (it->position + it->length() <= textEnd)
            selections.append({ cursorOver(m_memo->document(), *it), format });
    }
    m_memo->setExtraSelections(selections);
}

QString ReviewMarks::toolTip(const ReviewMark &mark) const
{
    return QStringLiteral("待核对：可以是 %1\n单击可选择，F3 到下一个").arg(mark.candidates.join(QStringLiteral("、")));
}

bool ReviewMarks::drawable(const QString &text)
{
    if (m_drawableFont != m_memo->font()) {
        m_drawableFont = m_memo->font();
        m_drawable.clear();
    }
    const auto known = m_drawable.constFind(text);
    if (known != m_drawable.cend())
        return *known;
    // Laid out as the memo would, so that the fallback fonts count; glyph 0 is the empty box.
    QTextLayout layout(text, m_drawableFont);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    bool drawn = true;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        drawn = drawn && !glyphs.contains(0u);
    }
    m_drawable.insert(text, drawn);
    return drawn;
}
