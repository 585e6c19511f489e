#include "browse/SkinEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

#include <limits>

SkinEdit::SkinEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // Entries of any length are shown and copied whole.
    setMaxLength(std::numeric_limits<int>::max());
}

QMenu *SkinEdit::createEditMenu()
{
    const bool writable = !isReadOnly();
    const bool selected = hasSelectedText();
    // Asking the clipboard waits on the program that owns it: only a writable edit asks.
    const QMimeData *clip = writable ? QGuiApplication::clipboard()->mimeData() : nullptr;
    const bool canPaste = clip && clip->hasText() && !clip->text().isEmpty();
    const bool canSelectAll = !text().isEmpty() && selectedText() != text();

    struct Item
    {
        const char16_t *caption; // nullptr: a separator
        const char *name;
        QKeySequence::StandardKey key;
        bool enabled;
        void (*command)(QLineEdit *);
    };
    const Item items[] = {
        { u"撤消", "editUndo", QKeySequence::Undo, writable && isUndoAvailable(), [](QLineEdit *e) { e->undo(); } },
        { nullptr, nullptr, QKeySequence::UnknownKey, false, nullptr },
        { u"剪切", "editCut", QKeySequence::Cut, writable && selected, [](QLineEdit *e) { e->cut(); } },
        { u"复制", "editCopy", QKeySequence::Copy, selected, [](QLineEdit *e) { e->copy(); } },
        { u"粘贴", "editPaste", QKeySequence::Paste, writable && canPaste, [](QLineEdit *e) { e->paste(); } },
        { u"删除", "editDelete", QKeySequence::Delete, writable && selected, [](QLineEdit *e) { e->del(); } },
        { nullptr, nullptr, QKeySequence::UnknownKey, false, nullptr },
        { u"全选", "editSelectAll", QKeySequence::SelectAll, canSelectAll, [](QLineEdit *e) { e->selectAll(); } },
    };

    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("editMenu"));
    const QPointer<SkinEdit> self(this);
    for (const Item &item : items) {
        if (!item.caption) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(QString::fromUtf16(item.caption));
        a->setObjectName(QLatin1String(item.name));
        a->setShortcut(QKeySequence(item.key));
        a->setEnabled(item.enabled);
        const auto command = item.command;
        connect(a, &QAction::triggered, menu, [self, command] {
            if (self)
                command(self);
        });
    }
    return menu;
}

void SkinEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createEditMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}
