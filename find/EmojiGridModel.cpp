#include "find/EmojiGridModel.h"

#include "find/EmojiCatalogue.h"
#include "skin/Skin.h"

#include <QColor>
#include <QSize>

EmojiGridModel::EmojiGridModel(const EmojiCatalogue &catalogue, QObject *parent)
    : QAbstractListModel(parent)
    , m_catalogue(catalogue)
    , m_emojiFont(Skin::emojiFont(22))
    , m_headingFont(Skin::uiFont())
{
    m_headingFont.setBold(true);
    const std::vector<EmojiCatalogue::Emoji> &emoji = catalogue.emoji();
    m_rows.reserve(emoji.size() + EmojiCatalogue::GroupCount);
    int group = -1;
    for (std::size_t i = 0; i < emoji.size(); ++i) {
        if (emoji[i].group != group) {
            group = emoji[i].group;
            m_rows.push_back(-1 - group);
        }
        m_rows.push_back(int(i));
    }
}

void EmojiGridModel::setTone(int tone)
{
    if (tone == m_tone)
        return;
    m_tone = tone;
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), { Qt::DisplayRole });
}

void EmojiGridModel::setHeadingWidth(int width)
{
    if (width == m_headingWidth || width <= 0)
        return;
    m_headingWidth = width;
    // The view lays its cells out anew only on a reset.
    beginResetModel();
    endResetModel();
}

bool EmojiGridModel::isHeading(int row) const
{
    return row >= 0 && row < rowCount() && m_rows[std::size_t(row)] < 0;
}

QString EmojiGridModel::text(int row) const
{
    if (row < 0 || row >= rowCount() || isHeading(row))
        return {};
    return m_catalogue.emoji()[std::size_t(m_rows[std::size_t(row)])].withTone(m_tone);
}

int EmojiGridModel::firstRowOf(int group) const
{
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r] == -1 - group)
            return int(r) + 1;
    }
    return -1;
}

int EmojiGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

Qt::ItemFlags EmojiGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || isHeading(index.row()))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant EmojiGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int at = m_rows[std::size_t(index.row())];
    if (at < 0) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return EmojiCatalogue::groupName(-1 - at);
        case Qt::FontRole:
            return m_headingFont;
        case Qt::ForegroundRole:
            return QColor(0x2f, 0x6f, 0x99);
        case Qt::SizeHintRole:
            return QSize(m_headingWidth, HeadingHeight);
        case Qt::TextAlignmentRole:
            return (Qt::AlignLeft | Qt::AlignBottom).toInt();
        default:
            return {};
        }
    }
    const EmojiCatalogue::Emoji &e = m_catalogue.emoji()[std::size_t(at)];
    switch (role) {
    case Qt::DisplayRole:
        return e.withTone(m_tone);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return e.name;
    case Qt::FontRole:
        return m_emojiFont;
    case Qt::SizeHintRole:
        return QSize(CellSize, CellSize);
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}
