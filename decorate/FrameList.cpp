#include "decorate/FrameList.h"

#include "find/FortuneFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

static void initDecorateResources()
{
    Q_INIT_RESOURCE(decorate);
}

namespace {

const QString Kept = QStringLiteral("本次运行中添加的花边只保存在内存里，这个文件保持原样。");

} // namespace

FrameList::FrameList(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : folder)
    , m_shipped(shipped())
{
    setObjectName(QStringLiteral("frameList"));
}

QStringList FrameList::shipped()
{
    initDecorateResources();
    QFile file(QStringLiteral(":/decorate/frames.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return FortuneFormat::read(file.readAll()).value_or(QStringList {});
}

QString FrameList::path() const
{
    return QDir(m_folder).filePath(fileName());
}

FrameList::Read FrameList::readFile(QStringList &frames)
{
    const QString file = path();
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return Read::Missing;
    const QString shown = QDir::toNativeSeparators(file);
    const RegularFile::ReadResult read = RegularFile::read(file, MaxFileBytes);
    if (!read.ok()) {
        emit notice(read.tooLarge ? QStringLiteral("“%1”超过 4 MiB，太大了，没有读取。").arg(shown) + Kept
                                  : QStringLiteral("无法读取“%1”。").arg(shown) + Kept);
        return Read::Failed;
    }
    std::optional<QStringList> entries = FortuneFormat::read(read.bytes);
    if (!entries) {
        emit notice(QStringLiteral("“%1”不是能读懂的 UTF-8 文本。").arg(shown) + Kept);
        return Read::Failed;
    }
    const qsizetype before = entries->size();
    entries->removeIf([](const QString &frame) { return !frame.contains(Placeholder); });
    if (entries->size() != before)
        emit notice(QStringLiteral("“%1”里有 %2 条花边没有 {}，没有使用。{} 表示网名的位置。")
                        .arg(shown)
                        .arg(before - entries->size()));
    frames = std::move(*entries);
    return Read::Ok;
}

void FrameList::load()
{
    m_own.clear();
    m_held = readFile(m_own) == Read::Failed;
    emit changed();
}

bool FrameList::add(const QString &raw)
{
    QString frame = raw;
    frame.remove(QChar(0));
    frame.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (frame.endsWith(u'\n'))
        frame.chop(1);
    if (!frame.contains(Placeholder)) {
        emit notice(QStringLiteral("花边里要有 {}，表示网名的位置。"));
        return false;
    }
    if (m_own.contains(frame) || m_shipped.contains(frame))
        return true;
    if (!m_held) {
        // What another copy of the program wrote meanwhile is kept.
        QStringList onDisk;
        const Read read = readFile(onDisk);
        if (read == Read::Failed) {
            m_held = true;
        } else {
            onDisk.append(frame);
            const QByteArray bytes = FortuneFormat::write(onDisk);
            QSaveFile f(path());
            if (QDir().mkpath(m_folder) && bytes.size() <= MaxFileBytes && f.open(QIODevice::WriteOnly)
                && f.write(bytes) == bytes.size() && f.flush() && f.commit()) {
                m_own = onDisk;
                emit changed();
                return true;
            }
            emit notice(QStringLiteral("无法在“%1”里保存花边。").arg(QDir::toNativeSeparators(path())) + Kept);
        }
    }
    m_own.append(frame);
    emit changed();
    return true;
}
