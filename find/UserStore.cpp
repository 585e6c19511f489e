#include "find/UserStore.h"

#include "find/FortuneFormat.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
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

void UserStore::load()
{
    for (int i = 0; i < ListCount; ++i) {
        const List list = List(i);
        Data &data = m_lists[i];
        data = Data {};
        const QString file = path(list);
        const QFileInfo info(file);
        if (!info.exists() && !info.isSymLink())
            continue;
        const RegularFile::ReadResult read = RegularFile::read(file, MaxFileBytes);
        if (!read.ok()) {
            data.held = true;
            emit notice(QStringLiteral("无法读取“%1”。本次运行中的改动只保存在内存里，这个文件保持原样。")
                            .arg(QDir::toNativeSeparators(file)));
            continue;
        }
        const std::optional<QStringList> entries = FortuneFormat::read(read.bytes);
        if (!entries) {
            data.held = true;
            emit notice(
                QStringLiteral("“%1”不是能读懂的 UTF-8 文本。本次运行中的改动只保存在内存里，这个文件保持原样。")
                    .arg(QDir::toNativeSeparators(file)));
            continue;
        }
        data.entries = *entries;
        if (list == Recent && data.entries.size() > RecentCapacity)
            data.entries.resize(RecentCapacity);
    }
}

void UserStore::save(List list)
{
    emit changed(list);
    const Data &data = m_lists[list];
    if (data.held)
        return;
    const bool ok = [&] {
        if (!QDir().mkpath(m_folder))
            return false;
        QSaveFile f(path(list));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        const QByteArray bytes = FortuneFormat::write(data.entries);
        return f.write(bytes) == bytes.size() && f.commit();
    }();
    if (!ok && !m_writeFailureReported) {
        m_writeFailureReported = true;
        emit notice(QStringLiteral("无法在“%1”里保存收藏、最近复制和我的条目。本次运行中的改动只保存在内存里。")
                        .arg(QDir::toNativeSeparators(m_folder)));
    }
}

void UserStore::recordCopy(const QString &raw)
{
    const QString text = cleaned(raw);
    if (text.isEmpty())
        return;
    QStringList &recent = m_lists[Recent].entries;
    if (!recent.isEmpty() && recent.front() == text)
        return;
    recent.removeAll(text);
    recent.prepend(text);
    if (recent.size() > RecentCapacity)
        recent.resize(RecentCapacity);
    save(Recent);
}

void UserStore::setFavourite(const QString &raw, bool on)
{
    const QString text = cleaned(raw);
    if (text.isEmpty() || isFavourite(text) == on)
        return;
    QStringList &favourites = m_lists[Favourites].entries;
    if (on)
        favourites.prepend(text);
    else
        favourites.removeAll(text);
    save(Favourites);
}

void UserStore::addOwn(const QString &raw)
{
    const QString text = cleaned(raw);
    if (text.isEmpty())
        return;
    m_lists[Mine].entries.append(text);
    save(Mine);
}

void UserStore::replaceOwn(const QString &oldText, const QString &raw)
{
    const QString text = cleaned(raw);
    QStringList &mine = m_lists[Mine].entries;
    const qsizetype at = mine.indexOf(oldText);
    if (at < 0)
        return;
    if (text.isEmpty())
        mine.removeAt(at);
    else
        mine[at] = text;
    save(Mine);
}

void UserStore::remove(List list, const QString &text)
{
    if (m_lists[list].entries.removeAll(text) > 0)
        save(list);
}
