#pragma once

#include "platform/RegularFile.h"

#include <QObject>
#include <QSet>
#include <QStringList>

#include <array>
#include <vector>

class QFileSystemWatcher;

// The user's own lists: favourites (收藏), recent copies (最近) and own entries (我的),
// one file each in the user's data folder. Every change is written at once and atomically.
// Copies of the program sharing the folder take turns under a lock in it: each writes its
// own changes into what is on disk at that moment, and follows what the others write.
// A file that cannot be read or understood is reported, kept in memory for the session
// and never written over; a folder that cannot be written is reported once.
class UserStore : public QObject
{
    Q_OBJECT
public:
    enum List { Favourites, Recent, Mine };
    static constexpr int ListCount = 3;
    static constexpr int RecentCapacity = 100;
    // Larger files are not the user's lists; they are reported and left alone, and no
    // change may make a file larger.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

    // folder: where the files live; empty means the user's data folder.
    explicit UserStore(const QString &folder = {}, QObject *parent = nullptr);

    static QString fileName(List list);
    QString path(List list) const;

    // Reads the three files (a missing file is an empty list) and from then on follows
    // changes other copies make to them.
    void load();

    const QStringList &entries(List list) const { return m_lists[list].entries; }
    bool isFavourite(const QString &text) const;

    // The newest first, each text once, at most RecentCapacity.
    void recordCopy(const QString &text);
    void setFavourite(const QString &text, bool on);
    // Stars an entry that is not starred and the other way round; true when it is now.
    bool toggleFavourite(const QString &text)
    {
        const bool on = !isFavourite(text);
        setFavourite(text, on);
        return on;
    }
    // False when nothing was added or changed (empty, or the file would grow too large).
    bool addOwn(const QString &text);
    bool replaceOwn(const QString &oldText, const QString &newText);
    void remove(List list, const QString &text);

signals:
    // A problem to tell the user about, in the program's words.
    void notice(const QString &message);
    // A list's entries changed (in memory; written to its file when it can be).
    void changed(UserStore::List list);

private:
    // One change the user made, replayed on whatever the file holds when it is written.
    struct Change
    {
        enum Kind { ToFront, PrependOnce, Append, Replace, Remove } kind;
        QString text;
        QString replacement; // Replace only; empty removes
    };
    struct Data
    {
        QStringList entries;
        bool held = false; // its file could not be read: never written over
        std::vector<Change> pending; // made here, not yet in the file
        RegularFile::Version version; // of the file as last read or written here
    };
    enum class Saved { Yes, TooLarge, Held, Failed };
    struct Disk;

    Disk readFile(List list) const;
    void hold(List list, const Disk &disk);
    static void apply(List list, QStringList &entries, const Change &change);
    bool commit(List list, const Change &change);
    Saved save(List list);
    void watch();
    void reloadChanged();

    QString m_folder;
    std::array<Data, ListCount> m_lists;
    bool m_writeFailureReported = false;
    // The favourites as a set, made again whenever the list is no longer the one it was
    // made from (any change to a shared list detaches it).
    mutable QSet<QString> m_stars;
    mutable QStringList m_starsFrom;
    QFileSystemWatcher *m_watcher = nullptr;
};
