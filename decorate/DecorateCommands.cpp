#include "decorate/DecorateCommands.h"

#include "browse/CatalogueLists.h"
#include "browse/DataGrid.h"
#include "browse/PageTabs.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
#include "decorate/DecorateForm.h"
#include "decorate/FrameList.h"
#include "find/FindCommands.h"
#include "find/ResultModel.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

DecorateCommands::DecorateCommands(const Context &context, PageTabs *pages, CatalogueLists *grids, FindCommands *find)
    : QObject(context.form)
    , m_context(context)
    , m_grids(grids)
    , m_find(find)
    , m_frames(new FrameList({}, this))
{
    setObjectName(QStringLiteral("decorateCommands"));
    buildActions(pages);
    connect(m_frames, &FrameList::notice, this, [this](const QString &message) {
        // After the command that hit the problem has finished.
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                guarded(m_context.form, [&] { m_context.messages->ShowMessageDialog(message, mtWarning, mbOKSet, 0); });
            },
            Qt::QueuedConnection);
    });
}

DecorateCommands::~DecorateCommands()
{
    delete m_form;
}

DecorateForm *DecorateCommands::decorateForm() const
{
    return m_form;
}

void DecorateCommands::buildActions(PageTabs *pages)
{
    QWidget *form = m_context.form;
    if (m_context.menuItem)
        connect(m_context.menuItem, &QAction::triggered, this, guardedSlot(form, [this] { openDecorate(); }));

    // Category menu: "花样网名" after the find window's items, "装饰此网名" after a right
    // click on a nick name.
    QMenu *category = pages->categoryMenu();
    QAction *before = category->findChild<QAction *>(QStringLiteral("findSeparator"));
    if (!before)
        before = category->actions().value(0);
    auto *open = new QAction(QStringLiteral("花样网名"), category);
    open->setObjectName(QStringLiteral("decorateItem"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    open->setShortcutContext(Qt::WindowShortcut);
    form->addAction(open);
    category->insertAction(before, open);
    connect(open, &QAction::triggered, this, guardedSlot(form, [this] { openDecorate(); }));
    m_decorateRow = new QAction(QStringLiteral("装饰此网名"), category);
    m_decorateRow->setObjectName(QStringLiteral("decorateRowItem"));
    m_decorateRow->setVisible(false);
    category->insertAction(before, m_decorateRow);
    connect(m_decorateRow, &QAction::triggered, this, guardedSlot(form, [this] { decorateGridRow(); }));
    connect(category, &QMenu::aboutToShow, this, [this] {
        m_decorateRow->setVisible(m_rowClickPending && m_menuRow >= 0);
        m_rowClickPending = false;
    });
    for (int n = FirstNameGrid; n <= CatalogueLists::GridCount; ++n)
        m_grids->grid(n)->viewport()->installEventFilter(this);
}

bool DecorateCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        for (int n = FirstNameGrid; n <= CatalogueLists::GridCount; ++n) {
            DataGrid *grid = m_grids->grid(n);
            if (watched != grid->viewport())
                continue;
            m_menuGrid = n;
            m_menuRow = menuEvent->reason() == QContextMenuEvent::Mouse ? grid->indexAt(menuEvent->pos()).row()
                                                                        : grid->currentIndex().row();
            m_rowClickPending = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DecorateCommands::decorateGridRow()
{
    if (m_menuRow < 0 || m_menuGrid < FirstNameGrid)
        return;
    const CatalogueQuery *query = m_grids->grid(m_menuGrid)->dataSource()->DataSet();
    if (m_menuRow >= query->rowCount() || query->fieldCount() < 2)
        return;
    openDecorate(query->cell(m_menuRow, 1));
}

void DecorateCommands::openDecorate(const QString &name)
{
    if (!m_form) {
        m_frames->load();
        m_form = new DecorateForm(m_find->store(), *m_frames, m_context.form);
        connect(m_form, &DecorateForm::copyRequested, this, [this](const QString &text) {
            guarded(m_form, [&] {
                m_find->copyText(text);
                m_form->showStatus(QStringLiteral("已复制：") + ResultModel::summary(text));
            });
        });
    }
    m_form->open(m_context.form, name);
}
