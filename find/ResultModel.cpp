#include "find/ResultModel.h"

#include "find/SearchIndex.h"
#include "skin/Skin.h"

#include <QColor>
#include <QFont>

ResultModel::ResultModel(std::function<bool(const QString &)> isFavourite, QObject *parent)
    : QAbstractTableModel(parent)
    , m_isFavourite(std::move(isFavourite))
{
}

void ResultModel::setRows(const SearchIndex *index, std::vector<qsizetype> indexHits, QList<Entry> others)
{
    beginResetModel();
    m_index = index;
    m_hits = std::move(indexHits);
    m_others = std::move(others);
    endResetModel();
}

const Entry &ResultModel::entryAt(int row) const
{
    const auto r = std::size_t(row);
    return r < m_hits.size() ? m_index->entry(m_hits[r]) : m_others[qsizetype(r - m_hits.size())];
}

QString ResultModel::text(int row) const
{
    return row >= 0 && row < rowCount() ? entryAt(row).text : QString();
}
QString ResultModel::origin(int row) const
{
    return row >= 0 && row < rowCount() ? entryAt(row).origin() : QString();
}

void ResultModel::refreshStars()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, StarColumn), index(rowCount() - 1, StarColumn), { Qt::DisplayRole });
}

QString ResultModel::summary(const QString &text)
{
    const QStringList lines = text.split(u'\n');
    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty())
        ++first;
    if (first == lines.size())
        return {};
    const QString line = lines[first].trimmed();
    return first + 1 < lines.size() ? line + QStringLiteral(" …") : line;
}

int ResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size() + std::size_t(m_others.size()));
}

int ResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Entry &e = entryAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case StarColumn:
            return m_isFavourite(e.text) ? QStringLiteral("★") : QString();
        case TextColumn:
            return summary(e.text);
        default:
            return e.origin();
        }
    case Qt::ToolTipRole: {
        QString tip = QStringLiteral("<pre style=\"font-family:'%1'; font-size:%2px\">%3</pre>")
                          .arg(m_memoFont.family())
                          .arg(m_memoFont.pixelSize())
                          .arg(e.text.toHtmlEscaped());
        if (!e.label.isEmpty())
            tip += e.label.toHtmlEscaped();
        return tip;
    }
    case Qt::FontRole:
        return index.column() == TextColumn ? QVariant(m_memoFont) : QVariant();
    case Qt::ForegroundRole:
        if (index.column() == OriginColumn)
            return QColor(0x6a, 0x86, 0x9a);
        if (index.column() == StarColumn)
            return QColor(0xd9, 0x9a, 0x1e);
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == StarColumn ? QVariant(Qt::AlignCenter) : QVariant();
    default:
        return {};
    }
}
