#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

// Reading the UTF-8 sources under content/: every fault names the file and the line.
namespace SourceText {

class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString())
        , text(message)
    {
    }
    QString text;
};

struct Lines
{
    QList<QString> lines;
    bool endsWithBreak = false;
};

// Splits at CR LF, lone CR and lone LF; a break after the last line ends it and adds no
// empty line. A UTF-8 byte order mark at the start is dropped. Fails on bytes that are not
// UTF-8 and on characters that code page 936 cannot hold.
Lines read(const QString &path);
Lines parse(const QString &path, const QByteArray &bytes);

// One entry per line: no empty or blank lines, no entry twice.
QList<QString> readList(const QString &path);

// The one line of a version file.
QString readSingleLine(const QString &path);

QString location(const QString &path, qsizetype line, qsizetype column = 0);

} // namespace SourceText
