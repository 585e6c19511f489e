#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Every decorated version of a name that the 花样网名 window lists, in its order: 火星文,
// the fancy letters, the marks, reversed, spaced, vertical, then one row per frame.
namespace Decorations {

struct Row
{
    QString style; // what the window shows beside it: 花体, 火星文·重度, 花边…
    QString text;
    bool operator==(const Row &) const = default;
};

struct Options
{
    QString separator = QStringLiteral("丶");
    int columnHeight = 0; // 竖排: characters a column, 0 for one column
    QStringList frames; // shipped first, then the user's
    qsizetype ownFramesFrom = -1; // index of the first of the user's frames, -1 for none
};

// The separators offered for 间隔.
QStringList separators();

// Nothing for an empty or blank name.
std::vector<Row> rows(const QString &name, const Options &options);

} // namespace Decorations
