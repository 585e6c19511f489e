#pragma once

#include "find/CopyRecorder.h"
#include "platform/DesktopServices.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class CatalogueLists;
class CollectionMemos;
class CopyFeedback;
class CopyNote;
class EntrySource;
class FindForm;
class IndexBuilder;
class PageTabs;
class PasteSequence;
class Pinyin;
class QAction;
class QMenu;
class QMenuBar;
class QThread;
class SearchIndex;
class SettingsStore;
class TbsSkinMessage;
class UserStore;

// The find window's place in the main window: Ctrl+F, the menu-bar item "查  找", the
// category menu's "查找与收藏" and "收藏此条", the collection menu's "收藏". Every copy goes
// to the CopyRecorder. The window searches the entry sources it is given; their index is
// built the first time it opens.
class FindCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        SettingsStore *store = nullptr;
        CopyFeedback *copies = nullptr;
        QMenuBar *bsSkinMainMenuBar1 = nullptr;
        // Where the find window can be summoned from other programs and paste into them.
        DesktopServices *desktop = nullptr;
    };

    static inline const QString CopiedForPaste = QStringLiteral("已复制，按 Ctrl+V 粘贴");

    FindCommands(
        const Context &context, PageTabs *pages, CatalogueLists *grids, CollectionMemos *memos, UserStore *store);
    ~FindCommands() override;

    // What 全部 searches, in page order; set before the window first opens.
    void setEntrySources(const QList<const EntrySource *> &sources) { m_sources = sources; }

    void openFind();
    // Brings the find window to a user in another program (the desktop-wide key, the
    // command line), with `text` in the field unless it is null. `timestamp`: the window
    // system's time of the user's action, 0 when unknown. Enter then puts the chosen entry
    // into the window the user was in.
    void summon(const QString &text, quint32 timestamp);
    void starMemoSelection();
    void starGridRow();
    // Copies from the find window: clipboard, recent, and a note in that window.
    void copyFromFind(const QString &text);

    // Nothing before the first opening.
    FindForm *findForm() const;
    CopyNote *note();
    UserStore &store();
    // From this many entries on, the index is built on a worker thread.
    void setBackgroundIndexFrom(qsizetype entries);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void ensureForm();
    // Enter on a summoned window.
    void pasteFromFind(const QString &text, bool keepOpen, quint32 timestamp);

    Context m_context;
    PageTabs *m_pages;
    CatalogueLists *m_grids;
    CollectionMemos *m_memos;
    UserStore *m_store;
    CopyRecorder m_copies;
    QList<const EntrySource *> m_sources;
    std::unique_ptr<Pinyin> m_pinyin;
    // A child, so that tests find its thread; deleted before the pinyin table it reads.
    IndexBuilder *m_builder;
    QPointer<FindForm> m_form;
    PasteSequence *m_paste = nullptr;
    // The other program's window that was active when the find window was summoned.
    DesktopServices::WindowId m_pasteTarget = 0;
    QAction *m_starRow = nullptr;
    QAction *m_starSelection = nullptr;
    // The grid row a right click opened the category menu on.
    int m_menuGrid = 0;
    int m_menuRow = -1;
    bool m_rowClickPending = false;
};
