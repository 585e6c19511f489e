#pragma once

#include "find/CopyRecorder.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class CopyFeedback;
class CopyNote;
class EntrySource;
class FindForm;
class IndexBuilder;
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
// category menu's "查找与收藏". Every copy goes to the CopyRecorder. The window searches the entry sources it is given;
// their index is built the first time it opens.
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
        QMenu *categoryMenu = nullptr;
    };

    FindCommands(const Context &context, UserStore *store);
    ~FindCommands() override;

    // What 全部 searches, in page order; set before the window first opens.
    void setEntrySources(const QList<const EntrySource *> &sources) { m_sources = sources; }

    void openFind();
    // Copies from the find window: clipboard, recent, and a note in that window.
    void copyFromFind(const QString &text);

    // The separator after the find window's items at the top of the category menu.
    QAction *categorySeparator() const { return m_categorySeparator; }
    // Nothing before the first opening.
    FindForm *findForm() const;
    CopyNote *note();
    UserStore &store();
    // From this many entries on, the index is built on a worker thread.
    void setBackgroundIndexFrom(qsizetype entries);

private:
    void buildActions();

    Context m_context;
    UserStore *m_store;
    CopyRecorder m_copies;
    QList<const EntrySource *> m_sources;
    std::unique_ptr<Pinyin> m_pinyin;
    // A child, so that tests find its thread; deleted before the pinyin table it reads.
    IndexBuilder *m_builder;
    QPointer<FindForm> m_form;
    QAction *m_categorySeparator = nullptr;
};
