#include "find/FindCommands.h"

#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/DataGrid.h"
#include "browse/PageTabs.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
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
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocumentFragment>

FindCommands::FindCommands(
    const Context &context, PageTabs *pages, CatalogueLists *grids, CollectionMemos *memos, UserStore *store)
    : QObject(context.form)
    , m_context(context)
    , m_pages(pages)
    , m_grids(grids)
    , m_memos(memos)
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

    // Category menu: "查找与收藏" first, "收藏此条" after a right click on a grid row.
    QMenu *category = m_pages->categoryMenu();
    QAction *before = category->actions().value(0);
    auto *find = new QAction(QStringLiteral("查找与收藏"), category);
    find->setObjectName(QStringLiteral("findItem"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setShortcutContext(Qt::WindowShortcut);
    category->insertAction(before, find);
    form->addAction(find);
    connect(find, &QAction::triggered, this, guardedSlot(form, [this] { openFind(); }));
    m_starRow = new QAction(QStringLiteral("收藏此条"), category);
    m_starRow->setObjectName(QStringLiteral("starRowItem"));
    m_starRow->setVisible(false);
    category->insertAction(before, m_starRow);
    connect(m_starRow, &QAction::triggered, this, guardedSlot(form, [this] { starGridRow(); }));
    category->insertSeparator(before)->setObjectName(QStringLiteral("findSeparator"));
    connect(category, &QMenu::aboutToShow, this, [this] {
        m_starRow->setVisible(m_rowClickPending && m_menuRow >= 0);
        m_rowClickPending = false;
    });
    for (int n = 1; n <= CatalogueLists::GridCount; ++n)
        m_grids->grid(n)->viewport()->installEventFilter(this);

    // The collections' menu: "收藏" stars the selection.
    m_starSelection = m_memos->bsSkinPopupMenu2->addAction(QStringLiteral("收藏"));
    m_starSelection->setObjectName(QStringLiteral("starSelectionItem"));
    connect(m_starSelection, &QAction::triggered, this, guardedSlot(form, [this] { starMemoSelection(); }));
    connect(m_memos->bsSkinPopupMenu2, &QMenu::aboutToShow, this,
        [this] { m_starSelection->setEnabled(m_memos->menuMemo() && m_memos->menuMemo()->hasSelection()); });

    // The menu bar: "查  找" after the last item.
    if (QMenuBar *bar = m_context.bsSkinMainMenuBar1) {
        QAction *item = bar->addAction(QStringLiteral("查  找"));
        item->setObjectName(QStringLiteral("findMenuItem"));
        connect(item, &QAction::triggered, this, guardedSlot(form, [this] { openFind(); }));
    }
}

bool FindCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        for (int n = 1; n <= CatalogueLists::GridCount; ++n) {
            DataGrid *grid = m_grids->grid(n);
            if (watched != grid->viewport())
                continue;
            m_menuGrid = n;
            m_menuRow = menuEvent->reason() == QContextMenuEvent::Mouse ? grid->indexAt(menuEvent->pos()).row() : -1;
            m_rowClickPending = true;
        }
    }
    return QObject::eventFilter(watched, event);
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

void FindCommands::copyFromFind(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    store().recordCopy(text);
    if (m_form)
        m_form->showStatus(QStringLiteral("已复制：") + ResultModel::summary(text));
}

void FindCommands::starMemoSelection()
{
    SkinMemo *memo = m_memos->menuMemo();
    if (!memo || !memo->hasSelection())
        return;
    store().setFavourite(memo->textCursor().selection().toPlainText(), true);
    note()->showNear(QCursor::pos(), QStringLiteral("已收藏"));
}

void FindCommands::starGridRow()
{
    if (m_menuRow < 0 || m_menuGrid < 1)
        return;
    const CatalogueQuery *query = m_grids->grid(m_menuGrid)->dataSource()->DataSet();
    if (m_menuRow >= query->rowCount() || query->fieldCount() < 2)
        return;
    store().setFavourite(query->cell(m_menuRow, 1), true);
    note()->showNear(QCursor::pos(), QStringLiteral("已收藏"));
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
