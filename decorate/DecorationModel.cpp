#include "decorate/DecorationModel.h"

#include "decorate/GlyphCheck.h"

#include <QApplication>
#include <QFont>

DecorationModel::DecorationModel(std::function<bool(const QString &)> isFavourite, QObject *parent)
    : QAbstractTableModel(parent)
    , m_isFavourite(std::move(isFavourite))
{
}

void DecorationModel::setRows(std::vector<Decorations::Row> rows)
{
    const QFont font = QApplication::font();
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (Decorations::Row &r : rows) {
        const bool drawable = GlyphCheck::drawable(r.text, font);
        m_rows.push_back({ std::move(r), drawable });
    }
    endResetModel();
}

QString DecorationModel::text(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[std::size_t(row)].row.text : QString();
}

QString DecorationModel::style(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[std::size_t(row)].row.style : QString();
}

bool DecorationModel::drawable(int row) const
{
    return row < 0 || row >= rowCount() || m_rows[std::size_t(row)].drawable;
}

int DecorationModel::length(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLowSurrogate() || text.at(i) == u'\n')
            continue;
        ++n;
    }
    return n;
}

void DecorationModel::refreshStars()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, StarColumn), index(rowCount() - 1, StarColumn), { Qt::DisplayRole });
}

int DecorationModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DecorationModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DecorationModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Shown &shown = m_rows[std::size_t(index.row())];
    const bool star = m_isFavourite && m_isFavourite(shown.row.text);
    switch (index.column()) {
    case StarColumn:
        if (role == Qt::DisplayRole)
            return star ? QStringLiteral("★") : QStringLiteral("☆");
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return star ? QStringLiteral("已收藏（Ctrl+D 取消）") : QStringLiteral("收藏（Ctrl+D）");
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        break;
    case StyleColumn:
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return shown.row.style;
        break;
    case TextColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return shown.row.text;
        break;
    case LengthColumn:
        if (role == Qt::DisplayRole)
            return length(shown.row.text);
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return QStringLiteral("%1 个字符").arg(length(shown.row.text));
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case WarningColumn:
        if (shown.drawable)
            break;
        if (role == Qt::DisplayRole)
            return QStringLiteral("⚠");
        if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole)
            return Warning;
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        break;
    default:
        break;
    }
    return {};
}
