#include "widgets/SkinMemo.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

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

QMimeData *SkinMemo::createMimeDataFromSelection() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    auto *mime = new QMimeData;
    mime->setText(text);
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
    QPlainTextEdit::insertFromMimeData(source);
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
        if (ch == QLatin1Char('\n') || ch == QChar::ParagraphSeparator) {
            if (line > m_longestLine)
                return false;
            line = 0;
        } else {
            ++line;
        }
    }
    return line + after <= m_longestLine;
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
