#include "widgets/SkinMemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include <algorithm>

namespace {

// A line break that came in as another character than a line feed keeps that character
// in the format of the block after it: undo and redo carry block formats along.
constexpr int BreakProperty = QTextFormat::UserProperty + 1;

bool isOtherBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

QChar breakBefore(const QTextBlock &block)
{
    const QVariant value = block.blockFormat().property(BreakProperty);
    return value.isValid() ? QChar(char16_t(value.toUInt())) : QChar(u'\n');
}

// Blocks that insertText() splits off take the current block's format, other break included.
void insertLines(QTextCursor &cursor, QStringView text)
{
    if (!cursor.blockFormat().hasProperty(BreakProperty)) {
        cursor.insertText(text.toString());
        return;
    }
    const int first = cursor.blockNumber();
    cursor.insertText(text.toString());
    QTextBlock block = cursor.document()->findBlockByNumber(first + 1);
    for (int n = first + 1; n <= cursor.blockNumber() && block.isValid(); ++n, block = block.next()) {
        QTextCursor at(block);
        QTextBlockFormat format = block.blockFormat();
        format.clearProperty(BreakProperty);
        at.setBlockFormat(format);
    }
}

} // namespace

SkinMemo::SkinMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
}

void SkinMemo::makeReadOnly()
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void SkinMemo::attachScrollBar(QScrollBar *bar)
{
    m_bar = bar;
    bar->setOrientation(Qt::Vertical);
    // Right clicks pass on to the page, as on every other part of it without a menu.
    bar->setContextMenuPolicy(Qt::NoContextMenu);
    QScrollBar *own = verticalScrollBar();
    followOwnBar();
    connect(own, &QScrollBar::rangeChanged, bar, [this] { followOwnBar(); });
    // The text sets its page step right after its range: take it once that is done.
    connect(
        own, &QScrollBar::rangeChanged, bar, [this] { followOwnBar(); }, Qt::QueuedConnection);
    connect(own, &QScrollBar::valueChanged, bar, &QScrollBar::setValue);
    // Moving the caret scrolls the text with the bar's signals blocked; the repaint request
    // that follows still tells.
    connect(this, &QPlainTextEdit::updateRequest, bar, [this] {
        if (m_bar)
            m_bar->setValue(verticalScrollBar()->value());
    });
    connect(bar, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
}

void SkinMemo::followOwnBar()
{
    if (!m_bar)
        return;
    const QScrollBar *own = verticalScrollBar();
    m_bar->setRange(own->minimum(), own->maximum());
    m_bar->setPageStep(own->pageStep());
    m_bar->setSingleStep(own->singleStep());
    m_bar->setValue(own->value());
}

QString SkinMemo::exactText() const
{
    QString text = document()->toRawText();
    for (QTextBlock block = document()->begin().next(); block.isValid(); block = block.next())
        text[block.position() - 1] = breakBefore(block);
    return text;
}

QString SkinMemo::exactText(int from, int to) const
{
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    from = cursor.selectionStart();
    to = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(from).next(); block.isValid() && block.position() <= to;
         block = block.next())
        text[block.position() - 1 - from] = breakBefore(block);
    return text;
}

void SkinMemo::setExactText(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), isOtherBreak)) {
        setPlainText(text);
        return;
    }
    setPlainText(QString());
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    insertExactText(cursor, text);
    doc->setUndoRedoEnabled(undo);
}

void SkinMemo::insertExactText(QTextCursor &cursor, QStringView text)
{
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = std::find_if(text.begin() + from, text.end(), isOtherBreak) - text.begin();
        if (at > from)
            insertLines(cursor, text.sliced(from, at - from));
        if (at == text.size())
            break;
        QTextBlockFormat format = cursor.blockFormat();
        format.setProperty(BreakProperty, uint(text[at].unicode()));
        cursor.insertBlock(format);
        from = at + 1;
    }
    cursor.endEditBlock();
}

QMimeData *SkinMemo::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *mime = new QMimeData;
    mime->setText(exactText(cursor.selectionStart(), cursor.selectionEnd()));
    return mime;
}

bool SkinMemo::canInsertFromMimeData(const QMimeData *source) const
{
    return source && !source->formats().isEmpty() && QPlainTextEdit::canInsertFromMimeData(source);
}

void SkinMemo::insertFromMimeData(const QMimeData *source)
{
    if (!source || source->formats().isEmpty())
        return;
    if (m_longestLine > 0 && source->hasText() && !fitsLongestLine(source->text())) {
        QMetaObject::invokeMethod(this, &SkinMemo::lineTooLong, Qt::QueuedConnection);
        return;
    }
    if (!source->hasText() || !(textInteractionFlags() & Qt::TextEditable)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    insertExactText(cursor, source->text());
    setTextCursor(cursor);
    ensureCursorVisible();
}

// The inserted text joins the rest of the caret's first line and the rest of its last one.
bool SkinMemo::fitsLongestLine(const QString &inserted) const
{
    const QTextCursor c = textCursor();
    const QTextBlock first = document()->findBlock(c.selectionStart());
    const QTextBlock last = document()->findBlock(c.selectionEnd());
    const qsizetype after = last.position() + last.length() - 1 - c.selectionEnd();
    qsizetype line = c.selectionStart() - first.position();
    for (const QChar ch : inserted) {
        if (ch == QLatin1Char('\n') || isOtherBreak(ch)) {
            if (line > m_longestLine)
                return false;
            line = 0;
        } else {
            ++line;
        }
    }
    return line + after <= m_longestLine;
}

// Enter in a line after another break starts a line after a plain line feed.
void SkinMemo::keyPressEvent(QKeyEvent *event)
{
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && (textInteractionFlags() & Qt::TextEditable) && textCursor().blockFormat().hasProperty(BreakProperty)) {
        QTextCursor cursor = textCursor();
        insertExactText(cursor, u"\n");
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SkinMemo::mouseMoveEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    emit mouseMoved();
}

void SkinMemo::wheelEvent(QWheelEvent *event)
{
    // A read-only text would zoom on Ctrl+wheel; the memo's font is fixed, so it scrolls.
    if (event->modifiers() & Qt::ControlModifier) {
        QWheelEvent plain(event->position(), event->globalPosition(), event->pixelDelta(), event->angleDelta(),
            event->buttons(), event->modifiers() & ~Qt::ControlModifier, event->phase(), event->inverted(),
            event->source());
        QPlainTextEdit::wheelEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

void SkinMemo::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    followOwnBar();
}
