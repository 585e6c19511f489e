#include "SourceText.h"

#include "platform/Gbk.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace SourceText {

namespace {

QList<QByteArray> splitBreaks(const QByteArray &bytes, bool &endsWithBreak)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    endsWithBreak = false;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(bytes.mid(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    else
        endsWithBreak = !lines.isEmpty();
    return lines;
}

QString describe(QStringView character)
{
    const char32_t code
        = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1]) : character[0].unicode();
    return QStringLiteral("U+%1 (%2)").arg(quint32(code), 4, 16, QLatin1Char('0')).toUpper().arg(character);
}

} // namespace

QString location(const QString &path, qsizetype line, qsizetype column)
{
    if (column > 0)
        return QStringLiteral("%1:%2:%3").arg(path).arg(line).arg(column);
    return QStringLiteral("%1:%2").arg(path).arg(line);
}

Lines parse(const QString &path, const QByteArray &input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);

    Lines result;
    const QList<QByteArray> raw = splitBreaks(bytes, result.endsWithBreak);
    result.lines.reserve(raw.size());
    for (qsizetype n = 0; n < raw.size(); ++n) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString line = utf8(raw[n]);
        if (utf8.hasError())
            throw Error(location(path, n + 1) + QStringLiteral(": error: the line is not valid UTF-8"));
        const qsizetype bad = Gbk::firstUnencodable(line);
        if (bad >= 0) {
            const qsizetype len = line[bad].isHighSurrogate() ? 2 : 1;
            const qsizetype column = QStringView(line).left(bad).toUcs4().size() + 1;
            throw Error(location(path, n + 1, column)
                + QStringLiteral(": error: character %1 cannot be held in GBK")
                      .arg(describe(QStringView(line).mid(bad, len))));
        }
        result.lines.append(std::move(line));
    }
    return result;
}

Lines read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1: error: cannot read: %2").arg(path, file.errorString()));
    return parse(path, file.readAll());
}

QList<QString> readList(const QString &path)
{
    const Lines text = read(path);
    QHash<QString, qsizetype> firstLine;
    firstLine.reserve(text.lines.size());
    for (qsizetype n = 0; n < text.lines.size(); ++n) {
        const QString &entry = text.lines[n];
        if (entry.trimmed().isEmpty())
            throw Error(location(path, n + 1) + QStringLiteral(": error: empty entry"));
        const auto it = firstLine.constFind(entry);
        if (it != firstLine.constEnd())
            throw Error(location(path, n + 1)
                + QStringLiteral(": error: duplicate entry \"%1\" (first on line %2)").arg(entry).arg(it.value()));
        firstLine.insert(entry, n + 1);
    }
    return text.lines;
}

QString readSingleLine(const QString &path)
{
    const Lines text = read(path);
    if (text.lines.isEmpty() || text.lines[0].trimmed().isEmpty())
        throw Error(location(path, 1) + QStringLiteral(": error: empty entry"));
    if (text.lines.size() > 1)
        throw Error(location(path, 2) + QStringLiteral(": error: only one line is allowed here"));
    return text.lines[0];
}

} // namespace SourceText
