#include "browse/CollectionMemos.h"

#include "browse/PageTabs.h"
#include "catalogue/CollectionFile.h"
#include "find/EntrySplitter.h"
#include "skin/Skin.h"
#include "widgets/CopyNotice.h"
#include "widgets/SkinMemo.h"
#include "window/Guard.h"

#include <QMenu>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

constexpr int MemoHeight = 425;
constexpr int BarLeft = 664;
constexpr int BarWidth = 19;

bool wraps(int fileNumber)
{
    return fileNumber == 1 || fileNumber == 17 || fileNumber == 19;
}
int memoWidth(int fileNumber)
{
    return fileNumber <= 2 ? 664 : 665;
}

} // namespace

CollectionMemos::CollectionMemos(const PageContext &context, PageTabs *pages)
    : QObject(context.form)
    , m_context(context)
{
    setObjectName(QStringLiteral("collectionMemos"));
    buildMenu();
    for (int n = 1; n <= Count; ++n)
        buildMemo(n, pages->pageOfCollection(n));
}

void CollectionMemos::buildMenu()
{
    bsSkinPopupMenu2 = new QMenu(m_context.form);
    bsSkinPopupMenu2->setObjectName(QStringLiteral("bsSkinPopupMenu2"));
    N5 = bsSkinPopupMenu2->addAction(QStringLiteral("复制"));
    N5->setObjectName(QStringLiteral("N5"));
    connect(N5, &QAction::triggered, this, guardedSlot(m_context.form, [this] { N5Click(); }));
}

void CollectionMemos::buildMemo(int n, QWidget *sheet)
{
    auto *memo = new SkinMemo(sheet);
    memo->setObjectName(QStringLiteral("bsSkinMemo2%1").arg(n));
    for (const PageTabs::Page &page : PageTabs::Pages) {
        if (page.collection == n)
            memo->setAccessibleName(QString::fromUtf16(page.caption).remove(u'〖').remove(u'〗'));
    }
    memo->setGeometry(0, 0, memoWidth(n), MemoHeight);
    memo->makeReadOnly();
    memo->setFont(Skin::memoFont());
    memo->setLineWrapMode(wraps(n) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    // Lies over the memo's last column, as placed.
    auto *bar = new QScrollBar(Qt::Vertical, sheet);
    bar->setObjectName(QStringLiteral("bsSkinScrollBar%1").arg(n));
    bar->setGeometry(BarLeft, 0, BarWidth, MemoHeight);
    memo->attachScrollBar(bar);
    m_memos[n - 1] = memo;

    connect(memo, &QWidget::customContextMenuRequested, this,
        [this, memo](const QPoint &pos) { guarded(m_context.form, [&] { popupFor(memo, pos); }); });
    connect(memo, &SkinMemo::mouseMoved, this, guardedSlot(m_context.form, [this, n] { MemoMouseMove(n); }));
}

void CollectionMemos::popupFor(SkinMemo *memo, const QPoint &pos)
{
    m_menuMemo = memo;
    // A scroll area reports the place in its viewport.
    bsSkinPopupMenu2->popup(memo->viewport()->mapToGlobal(pos));
}

void CollectionMemos::LoadCollections()
{
    for (int n = 1; n <= Count; ++n)
        memo(n)->setPlainText(CollectionFile::load(CollectionFile::path(n)));
}

void CollectionMemos::DisableCopy()
{
    N5->setEnabled(false);
}

void CollectionMemos::MemoMouseMove(int fileNumber)
{
    N5->setEnabled(memo(fileNumber)->hasSelection());
}

void CollectionMemos::N5Click()
{
    SkinMemo *source = m_menuMemo;
    if (!source || !source->hasSelection())
        return;
    source->copy();
    CopyNotice::show(m_context, CopyNotice::ListTimeoutMs, source->textCursor().selection().toPlainText());
}

EntrySplitter::Kind CollectionMemos::entryKind(int fileNumber)
{
    switch (fileNumber) {
    case 3:
    case 6:
    case 7:
    case 9:
    case 10:
    case 11:
    case 12:
    case 15:
    case 19:
        return EntrySplitter::Kind::Pictures;
    case 14:
    case 18:
        return EntrySplitter::Kind::Labelled;
    default:
        return EntrySplitter::Kind::Lines;
    }
}

EntrySource::Reader CollectionMemos::entryReader() const
{
    struct Shown
    {
        QString text;
        int fileNumber;
        QString caption;
    };
    QList<Shown> shown;
    for (const PageTabs::Page &page : PageTabs::Pages) {
        if (page.collection > 0)
            shown.append({ memo(page.collection)->toPlainText(), page.collection, QString::fromUtf16(page.caption) });
    }
    return [shown = std::move(shown)] {
        QList<Entry> entries;
        for (const Shown &s : shown)
            entries += EntrySplitter::splitCollection(s.text, entryKind(s.fileNumber), s.caption);
        return entries;
    };
}

qsizetype CollectionMemos::entryCount() const
{
    // Lines, a bound on the entries: the text is at hand, so reading it costs little.
    qsizetype lines = 0;
    for (const SkinMemo *m : m_memos)
        lines += m->document()->blockCount();
    return lines;
}
