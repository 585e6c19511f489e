#include "find/FindCommands.h"

#include "find/CopyNote.h"
#include "find/FindForm.h"
#include "find/IndexBuilder.h"
#include "find/Pinyin.h"
#include "find/ResultModel.h"
#include "find/UserStore.h"
#include "window/CopyFeedback.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>

FindCommands::FindCommands(const Context &context, UserStore *store)
    : QObject(context.form)
    , m_context(context)
    , m_store(store)
    , m_copies(*context.store, *store, context.form)
    , m_builder(new IndexBuilder(this))
{
    setObjectName(QStringLiteral("findCommands"));
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
    m_categorySeparator = category->insertSeparator(before);
    m_categorySeparator->setObjectName(QStringLiteral("findSeparator"));

    // The menu bar: "查  找" after the last item.
    if (QMenuBar *bar = m_context.bsSkinMainMenuBar1) {
        QAction *item = bar->addAction(QStringLiteral("查  找"));
        item->setObjectName(QStringLiteral("findMenuItem"));
        connect(item, &QAction::triggered, this, guardedSlot(form, [this] { openFind(); }));
    }
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

void FindCommands::openFind()
{
    if (!m_form) {
        m_pinyin = std::make_unique<Pinyin>();
        m_form = new FindForm(*m_pinyin, store(), m_context.form);
        connect(m_form, &FindForm::copyRequested, this,
            [this](const QString &text) { guarded(m_form, [&] { copyFromFind(text); }); });
        m_builder->build(*m_pinyin, m_sources);
    }
    m_form->open(m_context.form);
}
