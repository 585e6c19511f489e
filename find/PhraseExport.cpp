#include "find/PhraseExport.h"

#include "find/Pinyin.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>

namespace {

// One line break form inside entries.
QString unifiedBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// fcitx5 reads a quoted phrase with these three escapes, and a backslash before anything
// else spoils the line, also unquoted: so every phrase is written quoted.
QString fcitxPhrase(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : unifiedBreaks(text)) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('"'))
            out += QStringLiteral("\\\"");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// Rime's phrase file has no escapes: a tab or line break would split the entry, and a
// phrase starting with # would be a comment.
bool rimeCanHold(const QString &text)
{
    return !text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))
        && !text.startsWith(QLatin1Char('#'));
}

const QString RimeHeader = QStringLiteral("# Rime table\n"
                                          "# coding: utf-8\n"
                                          "#@/db_name\tcustom_phrase.txt\n"
                                          "#@/db_type\ttabledb\n"
                                          "\n");

} // namespace

PhraseExport::PhraseExport(const Pinyin &pinyin)
    : m_pinyin(pinyin)
{
}

QStringList PhraseExport::keys(const Item &item) const
{
    const auto keysOf = [this](const QString &source) {
        QStringList keys { QString() };
        int length = 0;
        for (const QChar c : source) {
            if (length == MaxKeyLength)
                break;
            QString options;
            if (c.unicode() < 0x80 && c.isLetterOrNumber()) {
                options = c.toLower();
            } else {
                for (const std::string_view spelling : m_pinyin.set(m_pinyin.readingSet(c)).spellings) {
                    const QChar initial = QLatin1Char(spelling.front());
                    if (!options.contains(initial))
                        options += initial;
                }
            }
            if (options.isEmpty())
                continue;
            QStringList longer;
            for (const QString &key : std::as_const(keys)) {
                for (const QChar option : std::as_const(options)) {
                    if (longer.size() < MaxKeys)
                        longer.append(key + option);
                }
            }
            keys = longer;
            ++length;
        }
        return length == 0 ? QStringList() : keys;
    };
    const QStringList byLabel = keysOf(item.label);
    if (!byLabel.isEmpty())
        return byLabel;
    const QString text = unifiedBreaks(item.text);
    return keysOf(text.left(text.indexOf(QLatin1Char('\n'))));
}

QString PhraseExport::beginMarker(Format format)
{
    // fcitx5 has no comments, but skips a line without a space.
    return format == Format::Fcitx
        ? QStringLiteral("#zelto-export-begin")
        : QStringLiteral("# zelto-export-begin：以下由 Zelto签名字符2008 导出，再次导出时替换");
}

QString PhraseExport::endMarker(Format format)
{
    return format == Format::Fcitx ? QStringLiteral("#zelto-export-end") : QStringLiteral("# zelto-export-end");
}

PhraseExport::Block PhraseExport::block(const QList<Item> &items, Format format) const
{
    Block block;
    block.text = beginMarker(format) + QLatin1Char('\n');
    for (const Item &item : items) {
        const QStringList itemKeys = keys(item);
        if (itemKeys.isEmpty() || item.text.isEmpty() || (format == Format::Rime && !rimeCanHold(item.text))) {
            ++block.skipped;
            continue;
        }
        for (const QString &key : itemKeys) {
            if (format == Format::Fcitx)
                block.text += key + QLatin1Char(' ') + fcitxPhrase(item.text) + QLatin1Char('\n');
            else
                block.text += item.text + QLatin1Char('\t') + key + QLatin1Char('\n');
        }
        ++block.written;
    }
    block.text += endMarker(format) + QLatin1Char('\n');
    return block;
}

QString PhraseExport::merge(const QString &existing, const QString &block, Format format, QString *error)
{
    QStringList lines = existing.split(QLatin1Char('\n'));
    qsizetype begin = -1;
    qsizetype end = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (begin < 0 && line == beginMarker(format).trimmed())
            begin = i;
        else if (begin >= 0 && line == endMarker(format))
            end = i;
        if (end >= 0)
            break;
    }
    const bool endWithoutBegin = begin < 0 && std::any_of(lines.cbegin(), lines.cend(), [&](const QString &l) {
        return l.trimmed() == endMarker(format);
    });
    if ((begin >= 0 && end < 0) || endWithoutBegin) {
        if (error)
            *error = QStringLiteral(
                "文件里本程序上次导出的部分缺了开头或结尾的标记行，为免删掉您自己的内容，没有改动这个文件。");
        return {};
    }
    if (begin < 0) {
        QString out = existing;
        if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
            out += QLatin1Char('\n');
        return out + block;
    }
    QString blockWithoutBreak = block;
    if (blockWithoutBreak.endsWith(QLatin1Char('\n')))
        blockWithoutBreak.chop(1);
    lines.remove(begin, end - begin + 1);
    lines.insert(begin, blockWithoutBreak);
    return lines.join(QLatin1Char('\n'));
}

bool PhraseExport::write(const QString &path, const Block &block, Format format, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("无法写入“%1”：%2").arg(shown, reason);
        return false;
    };
    const QFileInfo info(path);
    QString existing;
    if (info.exists() || info.isSymLink()) {
        const RegularFile::ReadResult read = RegularFile::read(path, MaxFileBytes);
        if (read.tooLarge)
            return fail(QStringLiteral("这个文件超过 16 MiB，不像短语文件，没有改动。"));
        if (!read.ok())
            return fail(
                QStringLiteral("无法读取这个文件（%1），没有改动。").arg(QString::fromLocal8Bit(strerror(read.error))));
        QStringDecoder decode(QStringDecoder::Utf8);
        existing = decode(read.bytes);
        if (decode.hasError())
            return fail(QStringLiteral("这个文件不是 UTF-8 文本，没有改动。"));
    } else if (format == Format::Rime) {
        existing = RimeHeader;
    }
    QString mergeError;
    const QString merged = merge(existing, block.text, format, &mergeError);
    if (merged.isEmpty())
        return fail(mergeError);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("无法建立文件夹。"));
    const QByteArray bytes = merged.toUtf8();
    QSaveFile file(path);
    // commit() alone would put a cut-off file in place when the disk is full; flush() tells.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return fail(file.errorString() + QStringLiteral("。原来的文件没有改动。"));
    return true;
}
