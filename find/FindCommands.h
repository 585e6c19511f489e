#pragma once

#include "find/CopyRecorder.h"
#include "find/EmojiSource.h"
#include "platform/DesktopServices.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class CopyFeedback;
class CopyNote;
class EntrySource;
class FindForm;
class IndexBuilder;
class PasteSequence;
class Pinyin;
class QAction;
class QMenu;
class QThread;
class SearchIndex;
class SettingsStore;
class TbsSkinMessage;
class UserStore;

// The find window's place in the main window: Ctrl+F, the menu-bar item "查  找", the
// category menu's "查找与收藏" and "Emoji表情". Every copy goes to the CopyRecorder. The
// window searches the entry sources it is given; their index is built the first time it
// opens, and again when the emoji's skin tone changes.
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
        QAction *findMenuItem = nullptr; // 查  找
        QMenu *categoryMenu = nullptr;
        // Where the find window can be summoned from other programs and paste into them.
        DesktopServices *desktop = nullptr;
    };

    static inline const QString CopiedForPaste = QStringLiteral("已复制，按 Ctrl+V 粘贴");

    FindCommands(const Context &context, UserStore *store);
    ~FindCommands() override;

    // What 全部 searches, in page order; set before the window first opens.
    void setEntrySources(const QList<const EntrySource *> &sources) { m_sources = sources; }
    // The emoji, to be among those sources; the table is read when the window first opens.
    const EntrySource *emojiSource() const { return &m_emoji; }

    void openFind();
    // The find window on 表情, with the emoji grid.
    void openEmoji();
    // Stores the skin tone and shows the emoji in it; throws AppError when the setting
    // cannot be stored, and then nothing changes.
    void chooseTone(int tone);
    // Brings the find window to a user in another program (the desktop-wide key, the
    // command line), with `text` in the field unless it is null. `timestamp`: the window
    // system's time of the user's action, 0 when unknown. Enter then puts the chosen entry
    // into the window the user was in.
    void summon(const QString &text, quint32 timestamp);
    // Copies from the find window: clipboard, recent, and a note in that window.
    void copyFromFind(const QString &text);
    // What every copy from a secondary window does: clipboard and recent.
    void copyText(const QString &text);

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
    void ensureForm();
    // Enter on a summoned window.
    void pasteFromFind(const QString &text, bool keepOpen, quint32 timestamp);

    Context m_context;
    UserStore *m_store;
    CopyRecorder m_copies;
    QList<const EntrySource *> m_sources;
    EmojiSource m_emoji;
    std::unique_ptr<Pinyin> m_pinyin;
    // A child, so that tests find its thread; deleted before the pinyin table it reads.
    IndexBuilder *m_builder;
    QPointer<FindForm> m_form;
    QAction *m_categorySeparator = nullptr;
    PasteSequence *m_paste = nullptr;
    // The other program's window that was active when the find window was summoned.
    DesktopServices::WindowId m_pasteTarget = 0;
};
