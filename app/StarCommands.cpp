#include "app/StarCommands.h"

#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/DataGrid.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
#include "find/CopyNote.h"
#include "find/FindCommands.h"
#include "find/UserStore.h"
#include "window/Guard.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QTextDocumentFragment>

StarCommands::StarCommands(const Context &context)
    : QObject(context.form)
    , m_context(context)
{
    setObjectName(QStringLiteral("starCommands"));
    QWidget *form = m_context.form;
    QMenu *category = m_context.categoryMenu;

    m_starRow = new QAction(QStringLiteral("收藏此条"), category);
    m_starRow->setObjectName(QStringLiteral("starRowItem"));
    m_starRow->setVisible(false);
    category->insertAction(m_context.categoryBefore, m_starRow);
    connect(m_starRow, &QAction::triggered, this, guardedSlot(form, [this] { starGridRow(); }));
    connect(category, &QMenu::aboutToShow, this, [this] {
        m_starRow->setVisible(m_rowClickPending && m_menuRow >= 0);
        m_rowClickPending = false;
    });
    for (int n = 1; n <= CatalogueLists::GridCount; ++n)
        m_context.grids->grid(n)->viewport()->installEventFilter(this);

    CollectionMemos *memos = m_context.memos;
    m_starSelection = memos->bsSkinPopupMenu2->addAction(QStringLiteral("收藏"));
    m_starSelection->setObjectName(QStringLiteral("starSelectionItem"));
    connect(m_starSelection, &QAction::triggered, this, guardedSlot(form, [this] { starMemoSelection(); }));
    connect(memos->bsSkinPopupMenu2, &QMenu::aboutToShow, this,
        [this, memos] { m_starSelection->setEnabled(memos->menuMemo() && memos->menuMemo()->hasSelection()); });
}

bool StarCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        for (int n = 1; n <= CatalogueLists::GridCount; ++n) {
            DataGrid *grid = m_context.grids->grid(n);
            if (watched != grid->viewport())
                continue;
            m_menuGrid = n;
            m_menuRow = menuEvent->reason() == QContextMenuEvent::Mouse ? grid->indexAt(menuEvent->pos()).row() : -1;
            m_rowClickPending = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StarCommands::starMemoSelection()
{
    SkinMemo *memo = m_context.memos->menuMemo();
    if (!memo || !memo->hasSelection())
        return;
    m_context.find->store().setFavourite(memo->textCursor().selection().toPlainText(), true);
    m_context.find->note()->showNear(QCursor::pos(), QStringLiteral("已收藏"));
}

void StarCommands::starGridRow()
{
    if (m_menuRow < 0 || m_menuGrid < 1)
        return;
    const CatalogueQuery *query = m_context.grids->grid(m_menuGrid)->dataSource()->DataSet();
    if (m_menuRow >= query->rowCount() || query->fieldCount() < 2)
        return;
    m_context.find->store().setFavourite(query->cell(m_menuRow, 1), true);
    m_context.find->note()->showNear(QCursor::pos(), QStringLiteral("已收藏"));
}
