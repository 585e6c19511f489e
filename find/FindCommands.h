#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class CatalogueLists;
class CollectionMemos;
class CopyFeedback;
class CopyNote;
class FindForm;
class PageTabs;
class Pinyin;
class QAction;
class QMenu;
class QMenuBar;
class QThread;
class SearchIndex;
class SettingsStore;
class TbsSkinMessage;
class UserStore;
struct Entry;

// The find window's place in the main window: Ctrl+F, the menu-bar item "查  找", the
// category menu's "查找与收藏" and "收藏此条", the collection menu's "收藏", the quiet-copy
// setting, and what follows every copy (recorded as recent; a brief note instead of the
// notice when copying quietly). The search index is built the first time the window
// opens; a large catalogue's on a worker thread, while the window already answers.
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
    };

    FindCommands(
        const Context &context, PageTabs *pages, CatalogueLists *grids, CollectionMemos *memos, UserStore *store);
    ~FindCommands() override;

    // Copies are acknowledged by a brief note instead of the notice (〖设  置〗 安静复制).
    bool quietCopy() const;

    void openFind();
    void starMemoSelection();
    void starGridRow();
    // After every copy: records an entry as recent; true when the quiet note took the
    // notice's place.
    bool copied(const QString &entry);
    // Copies from the find window: clipboard, recent, and a note in that window.
    void copyFromFind(const QString &text);

    // Nothing before the first opening.
    FindForm *findForm() const;
    CopyNote *note();
    UserStore &store();
    // Nothing until built.
    // From this many catalogue rows on, the index is built on a worker thread.
    void setBackgroundIndexFrom(qsizetype entries) { m_backgroundFrom = entries; }
    static constexpr qsizetype BackgroundIndexFrom = 50000;
    // What every page shows, in page order, read now; each part turns into entries
    // when called, on any thread.
    std::vector<std::function<QList<Entry>()>> pageSources() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();

    Context m_context;
    PageTabs *m_pages;
    CatalogueLists *m_grids;
    CollectionMemos *m_memos;
    UserStore *m_store;
    bool m_storeLoaded = false;
    std::unique_ptr<Pinyin> m_pinyin;
    void buildIndex();

    std::unique_ptr<SearchIndex> m_index;
    std::unique_ptr<SearchIndex> m_building;
    QThread *m_indexThread = nullptr;
    qsizetype m_backgroundFrom = BackgroundIndexFrom;
    QPointer<FindForm> m_form;
    QPointer<CopyNote> m_note;
    QAction *m_starRow = nullptr;
    QAction *m_starSelection = nullptr;
    // The grid row a right click opened the category menu on.
    int m_menuGrid = 0;
    int m_menuRow = -1;
    bool m_rowClickPending = false;
};
