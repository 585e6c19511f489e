#include "convert/PhraseMenu.h"

#include "convert/ConvertPage.h"
#include "convert/PhraseLibrary.h"
#include "convert/ReviewMarks.h"
#include "widgets/SkinMemo.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {

struct Item
{
    PhraseConverter::Config config;
    const char *name;
    const char16_t *caption;
};

constexpr Item Items[] = {
    { PhraseConverter::S2T, "phraseS2T", u"简体→繁体" },
    { PhraseConverter::S2TWP, "phraseS2TWP", u"简体→台湾正体（含用词）" },
    { PhraseConverter::S2HK, "phraseS2HK", u"简体→香港繁体" },
    { PhraseConverter::T2S, "phraseT2S", u"繁体→简体" },
    { PhraseConverter::TW2SP, "phraseTW2SP", u"台湾正体→简体（含用词）" },
};

} // namespace

PhraseMenu::PhraseMenu(const Context &context, ConvertPage *page, const QString &dataDir, DictionaryCheck check)
    : QObject(context.form)
    , m_context(context)
    , m_page(page)
    , m_dataDir(dataDir)
    , m_check(std::move(check))
    , m_status(context.bsSkinStatusPanel1)
{
    setObjectName(QStringLiteral("phraseMenu"));
    SkinMemo *memo = page->bsSkinMemo220;
    reviewMarks = new ReviewMarks(memo);

    QMenu *menu = page->bsSkinPopupMenu5;
    menu->addSeparator();
    phraseMenu = menu->addMenu(QStringLiteral("按词组转换"));
    phraseMenu->setObjectName(QStringLiteral("phraseConvertMenu"));
    phraseMenu->setToolTipsVisible(true);
    for (const Item &item : Items) {
        QAction *action = phraseMenu->addAction(QString::fromUtf16(item.caption));
        action->setObjectName(QLatin1String(item.name));
        const PhraseConverter::Config config = item.config;
        connect(action, &QAction::triggered, this, guardedSlot(context.form, [this, config] { convertClick(config); }));
        convertActions[config] = action;
    }
    nextMarkAction = menu->addAction(QStringLiteral("下一个待核对"));
    nextMarkAction->setObjectName(QStringLiteral("nextReviewMark"));
    nextMarkAction->setShortcut(QKeySequence(Qt::Key_F3));
    nextMarkAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    memo->addAction(nextMarkAction); // so that F3 works in the memo, menu closed
    connect(nextMarkAction, &QAction::triggered, this, guardedSlot(context.form, [this] { nextMarkClick(); }));
    connect(menu, &QMenu::aboutToShow, this, guardedSlot(context.form, [this] { addReplaceItems(); }));

    connect(reviewMarks, &ReviewMarks::countChanged, this, [this] {
        updateItems();
        updateStatus();
    });
    connect(memo->document(), &QTextDocument::contentsChange, this, [this] {
        if (m_converting && !m_ownEdit)
            m_stale = true;
    });
    connect(&m_loading, &QFutureWatcher<std::shared_ptr<const PhraseLibrary>>::finished, this,
        guardedSlot(context.form, [this] { libraryLoaded(); }));
    connect(&m_conversion, &QFutureWatcher<PhraseResult>::finished, this,
        guardedSlot(context.form, [this] { conversionDone(); }));
    connect(page, &ConvertPage::aboutToUseText, this, &PhraseMenu::cancelConversion);
    m_schedule = [this](std::function<void()> step) {
        QTimer::singleShot(0, this, guardedSlot(m_context.form, std::move(step)));
    };
    updateItems();
    memo->installEventFilter(this);
}

bool PhraseMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched == m_page->bsSkinMemo220) {
        watched->removeEventFilter(this);
        startLoading();
    }
    return QObject::eventFilter(watched, event);
}

void PhraseMenu::startLoading()
{
    if (m_loadStarted)
        return;
    m_loadStarted = true;
    m_loading.setFuture(QtConcurrent::run([dataDir = m_dataDir, check = m_check]() mutable {
        return std::shared_ptr<const PhraseLibrary>(new PhraseLibrary(dataDir, &check));
    }));
}

PhraseMenu::~PhraseMenu() = default;

void PhraseMenu::libraryLoaded()
{
    m_library = m_loading.result();
    updateItems();
    if (!m_library->refused().isEmpty() && m_context.messages) {
        m_context.messages->ShowMessageDialog(
            m_library->refused() + QStringLiteral("。按词组转换用不了；请删除或换掉这个文件后重新启动本程序"),
            mtWarning, mbOKSet, 0);
    }
}

void PhraseMenu::convertClick(PhraseConverter::Config config)
{
    if (!m_library || m_converting || !m_library->converter(config))
        return;
    SkinMemo *memo = m_page->bsSkinMemo220;
    QString text = memo->exactText();
    if (text.size() < BackgroundLength) {
        m_result = m_library->converter(config)->convert(text);
        m_applied = 0;
        m_editStarted = false;
        applyStep(m_result.text.size());
        return;
    }
    // Meanwhile the text can be neither changed nor selected: while the result goes in
    // it is half old, half new. The page's commands cancel the conversion first.
    m_converting = true;
    m_stale = false;
    m_editStarted = false;
    m_source = text;
    m_sourceMarks = reviewMarks->marks();
    m_wasReadOnly = memo->isReadOnly();
    m_savedFlags = memo->textInteractionFlags();
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    updateItems();
    updateStatus();
    m_conversion.setFuture(QtConcurrent::run(
        [library = m_library, config, text = std::move(text)] { return library->converter(config)->convert(text); }));
}

void PhraseMenu::conversionDone()
{
    if (!m_converting || m_editStarted)
        return; // cancelled meanwhile
    if (m_stale) {
        finishConversion();
        return;
    }
    m_result = m_conversion.result();
    m_applied = 0;
    m_sourceLeft = m_source.size();
    applyNextPiece();
}

// A long text leaves the memo and the result goes in piece by piece, the event loop
// running in between, all as one undo step: replacing megabytes at once would freeze the
// window for seconds.
void PhraseMenu::applyNextPiece()
{
    if (m_stale) {
        restoreRemoved();
        finishConversion();
        return;
    }
    QTextDocument *document = m_page->bsSkinMemo220->document();
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
        qsizetype end = std::min(m_result.text.size(), m_applied + PieceLength);
        if (end < m_result.text.size() && m_result.text.at(end - 1).isHighSurrogate())
            ++end;
        if (applyStep(end)) {
            finishConversion();
            return;
        }
        trackOwnPart();
    }
    m_schedule([this, run = m_run] {
        if (run == m_run && m_converting)
            applyNextPiece();
    });
}

void PhraseMenu::trackOwnPart()
{
    QTextDocument *document = m_page->bsSkinMemo220->document();
    m_ownStart = QTextCursor(document);
    m_ownStart.setPosition(int(m_sourceLeft));
    m_ownEnd = QTextCursor(document);
    m_ownEnd.movePosition(QTextCursor::End);
    // What others insert at either edge stays outside.
    m_ownEnd.setKeepPositionOnInsert(true);
}

// Someone else changed the text while the result went in: what the conversion removed of
// the source comes back in place of what it put there, around the other change.
void PhraseMenu::restoreRemoved()
{
    if (!m_editStarted)
        return;
    QTextCursor cursor = m_ownStart;
    cursor.setPosition(std::max(m_ownStart.position(), m_ownEnd.position()), QTextCursor::KeepAnchor);
    m_ownEdit = true;
    SkinMemo::insertExactText(cursor, QStringView(m_source).sliced(m_sourceLeft));
    m_ownEdit = false;
}

void PhraseMenu::cancelConversion()
{
    if (!m_converting)
        return;
    if (m_stale) {
        restoreRemoved();
    } else if (m_editStarted) {
        // The pieces so far are one undo step on top of the history; undone, the source is
        // back whole, and nothing is left to redo.
        QTextDocument *document = m_page->bsSkinMemo220->document();
        m_ownEdit = true;
        document->undo();
        m_ownEdit = false;
        document->clearUndoRedoStacks(QTextDocument::RedoStack);
        reviewMarks->setMarks(m_sourceMarks);
    }
    finishConversion();
}

// The first edit of a conversion opens its undo entry; the later ones join it.
QTextCursor PhraseMenu::editCursor()
{
    QTextCursor cursor(m_page->bsSkinMemo220->document());
    m_ownEdit = true;
    if (m_editStarted) {
        cursor.joinPreviousEditBlock();
    } else {
        cursor.beginEditBlock();
        m_editStarted = true;
    }
    return cursor;
}

void PhraseMenu::endEdit(QTextCursor &cursor)
{
    cursor.endEditBlock();
    m_ownEdit = false;
}

// Puts the result up to end in place of the memo text (the first step) or after what is
// already there; after the last step the marks come, and it returns true.
bool PhraseMenu::applyStep(qsizetype end)
{
    const bool first = !m_editStarted;
    QTextCursor cursor = editCursor();
    if (first)
        cursor.select(QTextCursor::Document);
    else
        cursor.movePosition(QTextCursor::End);
    SkinMemo::insertExactText(cursor, QStringView(m_result.text).sliced(m_applied, end - m_applied));
    endEdit(cursor);
    m_applied = end;
    if (m_applied < m_result.text.size())
        return false;
    m_page->bsSkinMemo220->moveCursor(QTextCursor::Start);
    reviewMarks->setMarks(m_result.marks);
    m_result = {};
    return true;
}

void PhraseMenu::finishConversion()
{
    ++m_run;
    m_converting = false;
    m_editStarted = false;
    m_result = {};
    m_source.clear();
    m_sourceMarks.clear();
    m_ownStart = {};
    m_ownEnd = {};
    SkinMemo *memo = m_page->bsSkinMemo220;
    memo->setReadOnly(m_wasReadOnly);
    memo->setTextInteractionFlags(m_savedFlags);
    updateItems();
    updateStatus();
}

void PhraseMenu::nextMarkClick()
{
    reviewMarks->selectNext();
}

void PhraseMenu::updateItems()
{
    for (const Item &item : Items) {
        QAction *action = convertActions[item.config];
        QString why;
        if (!m_library)
            why = QStringLiteral("正在载入 OpenCC 的词典…");
        else if (!m_library->error(item.config).isEmpty())
            why = QStringLiteral("无法按词组转换：") + m_library->error(item.config);
        action->setEnabled(why.isEmpty() && !m_converting);
        action->setToolTip(why.isEmpty() ? action->text() : why);
    }
    nextMarkAction->setEnabled(reviewMarks->count() > 0);
}

void PhraseMenu::updateStatus()
{
    if (!m_status)
        return;
    QString message;
    if (m_converting)
        message = QStringLiteral("正在按词组转换…");
    else if (reviewMarks->count() > 0)
        message = QStringLiteral("还有 %1 个字待核对（F3 到下一个）").arg(reviewMarks->count());
    if (!message.isEmpty()) {
        if (!m_statusShown)
            m_savedStatus = m_status->text();
        m_statusShown = true;
        m_status->setText(message);
    } else if (m_statusShown) {
        m_statusShown = false;
        m_status->setText(m_savedStatus);
    }
}

// "换成 …" for the mark right-clicked or at the caret, at the end of the memo's menu.
void PhraseMenu::addReplaceItems()
{
    qDeleteAll(m_replaceActions);
    m_replaceActions.clear();
    const int index = reviewMarks->indexForContextMenu();
    if (index < 0)
        return;
    const ReviewMark mark = reviewMarks->marks().at(index);
    QMenu *menu = m_page->bsSkinPopupMenu5;
    m_replaceActions.append(menu->addSeparator());
    for (const QString &candidate : mark.candidates.mid(1)) {
        QAction *action = menu->addAction(QStringLiteral("换成 %1").arg(candidate));
        action->setObjectName(QStringLiteral("replaceWith"));
        connect(action, &QAction::triggered, this, guardedSlot(m_context.form, [this, mark, candidate] {
            if (const int now = reviewMarks->indexOf(mark); now >= 0)
                reviewMarks->choose(now, candidate);
        }));
        m_replaceActions.append(action);
    }
}
