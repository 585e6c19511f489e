#include "find/FindCommands.h"

#include "find/CopyNote.h"
#include "find/FindForm.h"
#include "find/IndexBuilder.h"
#include "find/PasteSequence.h"
#include "find/Pinyin.h"
#include "find/ResultModel.h"
#include "find/UserStore.h"
#include "window/CopyFeedback.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

FindCommands::FindCommands(const Context &context, UserStore *store)
    : QObject(context.form)
    , m_context(context)
    , m_store(store)
    , m_copies(*context.store, *store, context.form)
    , m_builder(new IndexBuilder(this))
{
    setObjectName(QStringLiteral("findCommands"));
    if (m_context.desktop)
        m_paste = new PasteSequence(*m_context.desktop, *m_context.store, this);
    buildActions();
    connect(m_builder, &IndexBuilder::built, this, [this](const SearchIndex *index) {
        if (m_form)
            m_form->setIndex(index);
    });
    if (m_context.copies)
        // The window owns the feedback and destroys it before its children, this one
        // among them, so the handler asks whether this is still there.
        m_context.copies->setHandler([self = QPointer<FindCommands>(this)](
                                         const QString &entry) { return self && self->m_copies.copied(entry); });
    connect(m_store, &UserStore::notice, this, [this](const QString &message) {
        // After the command that hit the problem has finished.
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                guarded(m_context.form, [&] { m_context.messages->ShowMessageDialog(message, mtWarning, mbOKSet, 0); });
            },
            Qt::QueuedConnection);
    });
}

FindCommands::~FindCommands()
{
    // The window reads the index and the pinyin table owned here, the builder's worker
    // the pinyin table.
    delete m_form;
    delete m_builder;
}

void FindCommands::buildActions()
{
    QWidget *form = m_context.form;

    // Category menu: "查找与收藏" first, then a separator before the page items.
    QMenu *category = m_context.categoryMenu;
    QAction *before = category->actions().value(0);
    auto *find = new QAction(QStringLiteral("查找与收藏"), category);
    find->setObjectName(QStringLiteral("findItem"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setShortcutContext(Qt::WindowShortcut);
    category->insertAction(before, find);
    form->addAction(find);
    connect(find, &QAction::triggered, this, guardedSlot(form, [this] { openFind(); }));
    auto *emoji = new QAction(QStringLiteral("Emoji表情"), category);
    emoji->setObjectName(QStringLiteral("emojiItem"));
    category->insertAction(before, emoji);
    connect(emoji, &QAction::triggered, this, guardedSlot(form, [this] { openEmoji(); }));
    m_categorySeparator = category->insertSeparator(before);
    m_categorySeparator->setObjectName(QStringLiteral("findSeparator"));

    if (QAction *item = m_context.findMenuItem)
        connect(item, &QAction::triggered, this, guardedSlot(form, [this] { openFind(); }));
}

FindForm *FindCommands::findForm() const
{
    return m_form;
}

UserStore &FindCommands::store()
{
    return m_copies.store();
}

CopyNote *FindCommands::note()
{
    return m_copies.note();
}

void FindCommands::setBackgroundIndexFrom(qsizetype entries)
{
    m_builder->setBackgroundFrom(entries);
}

void FindCommands::copyText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    store().recordCopy(text);
}

void FindCommands::copyFromFind(const QString &text)
{
    copyText(text);
    if (m_form)
        m_form->showStatus(QStringLiteral("已复制：") + ResultModel::summary(text));
}

void FindCommands::ensureForm()
{
    if (m_form)
        return;
    m_pinyin = std::make_unique<Pinyin>();
    m_form = new FindForm(*m_pinyin, store(), m_context.form);
    connect(m_form, &FindForm::copyRequested, this,
        [this](const QString &text) { guarded(m_form, [&] { copyFromFind(text); }); });
    connect(m_form, &FindForm::pasteRequested, this, [this](const QString &text, bool keepOpen, quint32 timestamp) {
        guarded(m_form, [&] { pasteFromFind(text, keepOpen, timestamp); });
    });
    m_emoji.setTone(EmojiSource::storedTone(*m_context.store));
    m_form->setEmojiSource(&m_emoji);
    m_form->setTone(m_emoji.tone());
    connect(m_form, &FindForm::toneChosen, this, [this](int tone) {
        guarded(m_form, [&] { chooseTone(tone); });
        m_form->setTone(m_emoji.tone());
    });
    m_builder->build(*m_pinyin, m_sources);
}

void FindCommands::openFind()
{
    ensureForm();
    m_form->open(m_context.form);
}

void FindCommands::summon(const QString &text, quint32 timestamp)
{
    ensureForm();
    // Summoned again while open: the window the user came from stays the one to paste into.
    if (!m_form->isVisible() || !m_form->isSummoned()) {
        m_pasteTarget = m_context.desktop ? m_context.desktop->activeWindow() : 0;
        // One of this program's own windows is no target: Enter copies there as always.
        if (m_pasteTarget && QWidget::find(WId(m_pasteTarget)))
            m_pasteTarget = 0;
    }
    m_form->openSummoned(text);
    // Qt asks with the time of this program's last input, long ago when it sat in the tray;
    // the user's key is what the window manager should weigh.
    if (m_context.desktop)
        m_context.desktop->activateWindow(DesktopServices::WindowId(m_form->winId()), timestamp);
}

void FindCommands::pasteFromFind(const QString &text, bool keepOpen, quint32 timestamp)
{
    store().recordCopy(text);
    if (!m_paste || !m_paste->canPaste(m_pasteTarget)) {
        QGuiApplication::clipboard()->setText(text);
        if (keepOpen) {
            m_form->showStatus(CopiedForPaste);
        } else {
            m_form->hide();
            note()->showNear(QCursor::pos(), CopiedForPaste);
        }
        return;
    }
    m_form->setHoldOpen(keepOpen);
    if (!keepOpen)
        m_form->hide();
    const QPointer<FindForm> form = m_form;
    m_paste->paste(text, m_pasteTarget, timestamp, [this, form, text, keepOpen](bool sent) {
        if (!form)
            return;
        if (keepOpen) {
            form->setHoldOpen(false);
            form->showStatus(sent ? QStringLiteral("已粘贴：") + ResultModel::summary(text) : CopiedForPaste);
            m_context.desktop->activateWindow(DesktopServices::WindowId(form->winId()), 0);
        } else if (!sent) {
            note()->showNear(QCursor::pos(), CopiedForPaste);
        }
    });
}

void FindCommands::openEmoji()
{
    openFind();
    m_form->searchField()->clear();
    m_form->setFilter(FindForm::Emoji);
}

void FindCommands::chooseTone(int tone)
{
    if (tone == m_emoji.tone())
        return;
    EmojiSource::storeTone(*m_context.store, tone);
    m_emoji.setTone(tone);
    if (m_form)
        m_form->setTone(tone);
    // The index holds each emoji as it is copied; a build still running read the old tone.
    if (m_pinyin)
        m_builder->build(*m_pinyin, m_sources);
}
