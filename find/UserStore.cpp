#include "find/UserStore.h"

#include "find/FortuneFormat.h"
#include "platform/FileLock.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A zero character would make the file unreadable to other programs and older versions.
QString cleaned(QString text)
{
    text.remove(QChar(0));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

} // namespace

struct UserStore::Disk
{
    enum State { Missing, Read, Unreadable, TooLarge, Malformed } state = Missing;
    QStringList entries;
    RegularFile::Version version;
};

UserStore::UserStore(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder)
{
    setObjectName(QStringLiteral("userStore"));
}

QString UserStore::fileName(List list)
{
    static const char *const names[ListCount] = { "favourites.txt", "recent.txt", "mine.txt" };
    return QString::fromLatin1(names[list]);
}

QString UserStore::path(List list) const
{
    return QDir(m_folder).filePath(fileName(list));
}

bool UserStore::isFavourite(const QString &text) const
{
    const QStringList &favourites = m_lists[Favourites].entries;
    if (!m_starsFrom.isSharedWith(favourites) || m_starsFrom.size() != favourites.size()) {
        m_stars = QSet<QString>(favourites.begin(), favourites.end());
        m_starsFrom = favourites;
    }
    return m_stars.contains(text);
}

UserStore::Disk UserStore::readFile(List list) const
{
    Disk disk;
    const QString file = path(list);
    disk.version = RegularFile::version(file);
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return disk;
    const RegularFile::ReadResult read = RegularFile::read(file, MaxFileBytes);
    if (!read.ok()) {
        disk.state = read.tooLarge ? Disk::TooLarge : Disk::Unreadable;
        return disk;
    }
    std::optional<QStringList> entries = FortuneFormat::read(read.bytes);
    if (!entries) {
        disk.state = Disk::Malformed;
        return disk;
    }
    disk.state = Disk::Read;
    disk.entries = std::move(*entries);
    if (list == Recent && disk.entries.size() > RecentCapacity)
        disk.entries.resize(RecentCapacity);
    return disk;
}

void UserStore::hold(List list, const Disk &disk)
{
    Data &data = m_lists[list];
    data.held = true;
    data.pending.clear();
    const QString file = QDir::toNativeSeparators(path(list));
    const QString kept = QStringLiteral("本次运行中的改动只保存在内存里，这个文件保持原样。");
    if (disk.state == Disk::TooLarge)
        emit notice(QStringLiteral("“%1”超过 64 MiB，太大了，没有读取。").arg(file) + kept);
    else if (disk.state == Disk::Malformed)
        emit notice(QStringLiteral("“%1”不是能读懂的 UTF-8 文本。").arg(file) + kept);
    else
        emit notice(QStringLiteral("无法读取“%1”。").arg(file) + kept);
}

void UserStore::load()
{
    for (int i = 0; i < ListCount; ++i) {
        const List list = List(i);
        const Disk disk = readFile(list);
        Data &data = m_lists[i];
        data = Data {};
        data.version = disk.version;
        if (disk.state == Disk::Read)
            data.entries = disk.entries;
        else if (disk.state != Disk::Missing)
            hold(list, disk);
    }
    // Made now so that it can be watched before this copy first writes in it; when that
    // fails, the first write says so.
    QDir().mkpath(m_folder);
    watch();
}

void UserStore::apply(List list, QStringList &entries, const Change &change)
{
    switch (change.kind) {
    case Change::ToFront:
        entries.removeAll(change.text);
        entries.prepend(change.text);
        if (list == Recent && entries.size() > RecentCapacity)
            entries.resize(RecentCapacity);
        break;
    case Change::PrependOnce:
        if (!entries.contains(change.text))
            entries.prepend(change.text);
        break;
    case Change::Append:
        entries.append(change.text);
        break;
    case Change::Replace: {
        // Gone elsewhere meanwhile: the edited text is still the user's.
        const qsizetype at = entries.indexOf(change.text);
        if (at < 0 && !change.replacement.isEmpty())
            entries.append(change.replacement);
        else if (at >= 0 && change.replacement.isEmpty())
            entries.removeAt(at);
        else if (at >= 0)
            entries[at] = change.replacement;
        break;
    }
    case Change::Remove:
        entries.removeAll(change.text);
        break;
    }
}

// Under the folder's lock, this copy's changes since it last wrote go into what the file
// holds now, so that changes other copies made in between are kept.
UserStore::Saved UserStore::save(List list)
{
    Data &data = m_lists[list];
    if (!QDir().mkpath(m_folder))
        return Saved::Failed;
    const FileLock lock(QDir(m_folder).filePath(QStringLiteral("lists.lock")));
    QStringList merged;
    // Unchanged since this copy last wrote or read it, with nothing left over from a failed
    // write: what is in memory is what the file holds, and a large file is not read again.
    if (data.pending.size() == 1 && RegularFile::version(path(list)) == data.version) {
        merged = data.entries;
        apply(list, merged, data.pending.front());
    } else {
        const Disk disk = readFile(list);
        if (disk.state != Disk::Read && disk.state != Disk::Missing) {
            hold(list, disk);
            return Saved::Held;
        }
        merged = disk.entries;
        for (const Change &change : data.pending)
            apply(list, merged, change);
    }
    const QByteArray bytes = FortuneFormat::write(merged);
    if (bytes.size() > MaxFileBytes)
        return Saved::TooLarge;
    // commit() does not notice when writing out its buffer fails (ulimit -f, a full disk)
    // and would put the cut-off file in place; flush() does.
    QSaveFile f(path(list));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() || !f.commit())
        return Saved::Failed;
    data.entries = merged;
    data.pending.clear();
    data.version = RegularFile::version(path(list));
    watch();
    return Saved::Yes;
}

bool UserStore::commit(List list, const Change &change)
{
    Data &data = m_lists[list];
    const auto refuse = [&] {
        emit notice(QStringLiteral("这一条没有保存：加上它，“%1”会超过 64 MiB，以后就无法读取了。")
                        .arg(QDir::toNativeSeparators(path(list))));
        return false;
    };
    if (!data.held) {
        data.pending.push_back(change);
        const Saved saved = save(list);
        if (saved == Saved::Yes) {
            emit changed(list);
            return true;
        }
        if (saved == Saved::TooLarge) {
            data.pending.pop_back();
            return refuse();
        }
        if (saved == Saved::Failed && !m_writeFailureReported) {
            m_writeFailureReported = true;
            emit notice(QStringLiteral("无法在“%1”里保存收藏、最近复制和我的条目。本次运行中的改动只保存在内存里。")
                            .arg(QDir::toNativeSeparators(m_folder)));
        }
    }
    // Kept in memory only; it must still fit the file once it can be written.
    QStringList next = data.entries;
    apply(list, next, change);
    if (FortuneFormat::write(next).size() > MaxFileBytes) {
        if (!data.held)
            data.pending.pop_back();
        return refuse();
    }
    data.entries = next;
    emit changed(list);
    return true;
}

void UserStore::watch()
{
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &UserStore::reloadChanged);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &UserStore::reloadChanged);
    }
    // A file written by renaming a new one into its place is watched anew.
    const QStringList watched = m_watcher->directories() + m_watcher->files();
    QStringList wanted;
    if (QFileInfo(m_folder).isDir())
        wanted.append(m_folder);
    for (int i = 0; i < ListCount; ++i)
        if (QFileInfo::exists(path(List(i))))
            wanted.append(path(List(i)));
    for (const QString &p : std::as_const(wanted))
        if (!watched.contains(p))
            m_watcher->addPath(p);
}

void UserStore::reloadChanged()
{
    watch();
    for (int i = 0; i < ListCount; ++i) {
        const List list = List(i);
        Data &data = m_lists[i];
        if (data.held || RegularFile::version(path(list)) == data.version)
            continue;
        const Disk disk = readFile(list);
        data.version = disk.version;
        // A file that went bad is reported when this copy next writes it.
        if (disk.state != Disk::Read && disk.state != Disk::Missing)
            continue;
        QStringList next = disk.entries;
        for (const Change &change : data.pending)
            apply(list, next, change);
        if (next != data.entries) {
            data.entries = next;
            emit changed(list);
        }
    }
}

void UserStore::recordCopy(const QString &raw)
{
    const QString text = cleaned(raw);
    if (text.isEmpty())
        return;
    const QStringList &recent = m_lists[Recent].entries;
    if (!recent.isEmpty() && recent.front() == text)
        return;
    commit(Recent, { Change::ToFront, text, {} });
}

void UserStore::setFavourite(const QString &raw, bool on)
{
    const QString text = cleaned(raw);
    if (text.isEmpty() || isFavourite(text) == on)
        return;
    commit(Favourites, { on ? Change::PrependOnce : Change::Remove, text, {} });
}

bool UserStore::addOwn(const QString &raw)
{
    const QString text = cleaned(raw);
    if (text.isEmpty())
        return false;
    return commit(Mine, { Change::Append, text, {} });
}

bool UserStore::replaceOwn(const QString &oldText, const QString &raw)
{
    if (!m_lists[Mine].entries.contains(oldText))
        return false;
    return commit(Mine, { Change::Replace, oldText, cleaned(raw) });
}

void UserStore::remove(List list, const QString &text)
{
    if (m_lists[list].entries.contains(text))
        commit(list, { Change::Remove, text, {} });
}
