#include "find/FortuneFormat.h"

#include <QStringDecoder>

namespace {

bool onlyPercents(QStringView line)
{
    return !line.isEmpty() && std::all_of(line.begin(), line.end(), [](QChar c) { return c == u'%'; });
}

} // namespace

namespace FortuneFormat {

QByteArray write(const QStringList &entries)
{
    QString out;
    for (const QString &entry : entries) {
        QString text = entry;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const QString &line : text.split(u'\n')) {
            if (onlyPercents(line))
                out += u'%';
            out += line;
            out += u'\n';
        }
        out += QStringLiteral("%\n");
    }
    return out.toUtf8();
}

std::optional<QStringList> read(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = bytes.contains('\0') ? decoder.decode(QByteArray(bytes).removeIf([](char c) { return c == 0; }))
                                        : decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QStringList entries;
    QStringList lines;
    const auto close = [&] {
        if (!lines.isEmpty() && !(lines.size() == 1 && lines.front().isEmpty()))
            entries.append(lines.join(u'\n'));
        lines.clear();
    };
    const QStringList all = text.split(u'\n');
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString &line = all[i];
        if (line == QStringLiteral("%")) {
            close();
        } else if (onlyPercents(line)) {
            lines.append(line.mid(1));
        } else if (!(line.isEmpty() && i == all.size() - 1)) {
            lines.append(line);
        }
    }
    close();
    return entries;
}

} // namespace FortuneFormat
