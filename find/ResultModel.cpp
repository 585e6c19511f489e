#include "find/ResultModel.h"

#include "find/EmojiSource.h"
#include "find/SearchIndex.h"
#include "skin/Skin.h"

#include <QColor>
#include <QFont>

ResultModel::ResultModel(std::function<bool(const QString &)> isFavourite, QObject *parent)
    : QAbstractTableModel(parent)
    , m_isFavourite(std::move(isFavourite))
    , m_emojiFont(Skin::emojiFont(16))
{
}

void ResultModel::setRows(std::vector<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

const Entry &ResultModel::entryAt(int row) const
{
    const Row &r = m_rows[std::size_t(row)];
    return r.index->entry(r.entry);
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
    // Only what a row can show is looked at: entries may be very long.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(start, end - start).trimmed();
        if (!line.isEmpty()) {
            const bool more = end < text.size() || line.size() > PreviewLineLength;
            return line.left(PreviewLineLength).toString() + (more ? QStringLiteral(" …") : QString());
        }
        start = end + 1;
    }
    return {};
}

QString ResultModel::preview(const QString &text)
{
    QString out;
    qsizetype start = 0;
    for (int n = 0; n < PreviewLines && start <= text.size(); ++n) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (n > 0)
            out += u'\n';
        out += QStringView(text).mid(start, std::min<qsizetype>(end - start, PreviewLineLength));
        if (end - start > PreviewLineLength)
            out += u'…';
        start = end + 1;
    }
    if (start <= text.size())
        out += QStringLiteral("\n…");
    return out;
}

int ResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case StarColumn:
        return QStringLiteral("收藏");
    case TextColumn:
        return QStringLiteral("条目");
    case OriginColumn:
        return QStringLiteral("出处");
    default:
        return {};
    }
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
                          .arg(preview(e.text).toHtmlEscaped());
        if (!e.label.isEmpty())
            tip += e.label.toHtmlEscaped();
        return tip;
    }
    case Qt::FontRole:
        if (index.column() != TextColumn)
            return {};
        return e.page == EmojiSource::Page ? m_emojiFont : m_memoFont;
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
