#pragma once

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

// Draws the emoji grid's cells. The colour emoji font holds its pictures as PNG images
// far larger than a cell, and Qt decodes and scales them again at every paint; each emoji
// is drawn once into a picture of the cell's size here, and that picture is used from
// then on. Headings are drawn as usual.
class EmojiCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPixmap pictureOf(const QString &text, const QFont &font, qreal ratio) const;

    mutable QHash<QString, QPixmap> m_pictures;
};
