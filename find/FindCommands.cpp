#include "find/FindCommands.h"

#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/DataGrid.h"
#include "browse/PageTabs.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
#include "find/CopyNote.h"
#include "find/EntrySplitter.h"
#include "find/FindForm.h"
#include "find/Pinyin.h"
#include "find/ResultModel.h"
#include "find/SearchIndex.h"
#include "find/UserStore.h"
#include "platform/AppError.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
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
#include <QThread>

FindCommands::FindCommands(
    const Context &context, PageTabs *pages, CatalogueLists *grids, CollectionMemos *memos, UserStore *store)
    : QObject(context.form)
    , m_context(context)
    , m_pages(pages)
    , m_grids(grids)
    , m_memos(memos)
    , m_store(store)
{
    setObjectName(QStringLiteral("findCommands"));
    buildActions();
    if (m_context.copies)
        // The window owns the feedback and destroys it before its children, this one
        // among them, so the handler asks whether this is still there.
        m_context.copies->setHandler(
            [self = QPointer<FindCommands>(this)](const QString &entry) { return self && self->copied(entry); });
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
    if (m_indexThread)
        m_indexThread->wait();
    // The window reads the index and the pinyin table owned here.
    delete m_form;
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

bool FindCommands::quietCopy() const
{
    return m_context.store->isSet(Settings::QuietCopy);
}

FindForm *FindCommands::findForm() const
{
    return m_form;
}

UserStore &FindCommands::store()
{
    if (!m_storeLoaded) {
        m_storeLoaded = true;
        m_store->load();
    }
    return *m_store;
}

CopyNote *FindCommands::note()
{
    if (!m_note)
        m_note = new CopyNote(m_context.form);
    return m_note;
}

bool FindCommands::copied(const QString &entry)
{
    if (!entry.isEmpty()) {
        store().recordCopy(entry);
    }
    if (!quietCopy())
        return false;
    note()->showNear(QCursor::pos());
    return true;
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

std::vector<std::function<QList<Entry>()>> FindCommands::pageSources() const
{
    std::vector<std::function<QList<Entry>()>> sources;
    for (const PageTabs::Page &page : PageTabs::Pages) {
        const QString caption = QString::fromUtf16(page.caption);
        const QLatin1String name(page.name);
        if (page.collection > 0) {
            sources.push_back(
                [text = m_memos->memo(page.collection)->toPlainText(), number = page.collection, caption] {
                    return EntrySplitter::splitCollection(text, EntrySplitter::kindOfCollection(number), caption);
                });
            continue;
        }
        for (int n = 1; n <= CatalogueLists::GridCount; ++n) {
            const CatalogueLists::GridPlace &place = CatalogueLists::GridPlaces[std::size_t(n - 1)];
            if (name != QLatin1String(place.page))
                continue;
            const CatalogueQuery *query = m_grids->grid(n)->dataSource()->DataSet();
            // The grid holds only the rows shown so far; the rest are read by the index's
            // builder itself, so the grids never fetch everything.
            std::function<QStringList()> read;
            if (query->Active() && query->fieldCount() >= 2) {
                if (query->canFetchMore()) {
                    read = query->columnReader(1);
                } else {
                    QStringList rows;
                    rows.reserve(query->rowCount());
                    for (int r = 0; r < query->rowCount(); ++r)
                        rows.append(query->cell(r, 1));
                    read = [rows = std::move(rows)] { return rows; };
                }
            }
            sources.push_back(
                [read = std::move(read), caption, list = place.list ? QString::fromUtf16(place.list) : QString()] {
                    return EntrySplitter::catalogueList(read ? read() : QStringList(), caption, list);
                });
        }
    }
    return sources;
}

void FindCommands::buildIndex()
{
    auto sources = pageSources();
    const auto fill = [](SearchIndex *index, const std::vector<std::function<QList<Entry>()>> &parts) {
        for (const auto &part : parts)
            index->add(part());
    };
    qsizetype rows = 0;
    for (int n = 1; n <= CatalogueLists::GridCount; ++n) {
        const CatalogueQuery *query = m_grids->grid(n)->dataSource()->DataSet();
        if (!query->canFetchMore()) {
            rows += query->rowCount();
            continue;
        }
        // The grid has not fetched them all: the engine counts them.
        try {
            rows += query->RecordCount();
        } catch (const AppError &) {
            rows += m_backgroundFrom;
        }
    }
    auto index = std::make_unique<SearchIndex>(*m_pinyin);
    if (rows < m_backgroundFrom) {
        fill(index.get(), sources);
        m_index = std::move(index);
        m_form->setIndex(m_index.get());
        return;
    }
    // The pinyin table is only read from here on, the index only by the worker until
    // it has finished.
    m_building = std::move(index);
    m_indexThread
        = QThread::create([fill, index = m_building.get(), sources = std::move(sources)] { fill(index, sources); });
    // Owned here, so that it goes with this even when its end is never reported.
    m_indexThread->setParent(this);
    m_indexThread->setObjectName(QStringLiteral("findIndexThread"));
    connect(m_indexThread, &QThread::finished, this, [this] {
        m_index = std::move(m_building);
        m_indexThread->deleteLater();
        m_indexThread = nullptr;
        if (m_form)
            m_form->setIndex(m_index.get());
    });
    m_indexThread->start();
}

void FindCommands::openFind()
{
    if (!m_form) {
        m_pinyin = std::make_unique<Pinyin>();
        m_form = new FindForm(*m_pinyin, store(), m_context.form);
        connect(m_form, &FindForm::copyRequested, this,
            [this](const QString &text) { guarded(m_form, [&] { copyFromFind(text); }); });
        buildIndex();
    }
    m_form->open(m_context.form);
}
