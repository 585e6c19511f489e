#include "convert/PhraseMenu.h"

#include "convert/ConvertPage.h"
#include "convert/PhraseLibrary.h"
#include "convert/PhraseLoader.h"
#include "convert/PhraseTask.h"
#include "convert/ReviewMarks.h"
#include "widgets/Announcement.h"
#include "widgets/SkinMemo.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>

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
    , m_status(context.bsSkinStatusPanel1)
    , m_loader(new PhraseLoader(dataDir, std::move(check), this))
    , m_task(new PhraseTask(this))
    , m_replacement(new ChunkedReplacement(page->bsSkinMemo220, this))
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
    connect(m_loader, &PhraseLoader::loaded, this, guardedSlot(context.form, [this] { libraryLoaded(); }));
    connect(m_task, &PhraseTask::done, this, guardedSlot(context.form, [this] { conversionDone(); }));
    connect(m_replacement, &ChunkedReplacement::finished, this, &PhraseMenu::replacementDone);
    connect(m_replacement, &ChunkedReplacement::abandoned, this, &PhraseMenu::finishConversion);
    connect(page, &ConvertPage::aboutToUseText, this, &PhraseMenu::cancelConversion);
    setStepScheduler([this](std::function<void()> step) {
        QTimer::singleShot(0, this, guardedSlot(m_context.form, std::move(step)));
    });
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
    m_loader->start();
}

void PhraseMenu::setStepScheduler(StepScheduler scheduler)
{
    m_replacement->setStepScheduler(std::move(scheduler));
}

PhraseMenu::~PhraseMenu() = default;

void PhraseMenu::libraryLoaded()
{
    m_library = m_loader->result();
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
        const PhraseResult result = m_library->converter(config)->convert(text);
        m_replacement->replaceAll(result.text);
        memo->moveCursor(QTextCursor::Start);
        reviewMarks->setMarks(result.marks);
        return;
    }
    // Meanwhile the text can be neither changed nor selected: while the result goes in
    // it is half old, half new. The page's commands cancel the conversion first.
    m_converting = true;
    m_replacement->watch(text);
    m_sourceMarks = reviewMarks->marks();
    m_wasReadOnly = memo->isReadOnly();
    m_savedFlags = memo->textInteractionFlags();
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    updateItems();
    updateStatus();
    m_task->start(m_library, config, std::move(text));
}

void PhraseMenu::conversionDone()
{
    if (!m_converting)
        return; // cancelled meanwhile
    if (m_replacement->isSpoiled()) {
        finishConversion();
        return;
    }
    PhraseResult result = m_task->result();
    m_marks = std::move(result.marks);
    m_replacement->start(std::move(result.text));
}

void PhraseMenu::replacementDone()
{
    m_page->bsSkinMemo220->moveCursor(QTextCursor::Start);
    reviewMarks->setMarks(std::move(m_marks));
    finishConversion();
}

void PhraseMenu::cancelConversion()
{
    if (!m_converting)
        return;
    if (m_replacement->cancel())
        reviewMarks->setMarks(m_sourceMarks);
    finishConversion();
}

void PhraseMenu::finishConversion()
{
    m_replacement->stop();
    m_converting = false;
    m_marks.clear();
    m_sourceMarks.clear();
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
        const bool changed = message != m_status->text();
        m_status->setText(message);
        if (changed)
            Announcement::announce(m_status, message);
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
