#include "find/EmojiCellDelegate.h"

#include <QApplication>
#include <QPainter>

void EmojiCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!(index.flags() & Qt::ItemIsSelectable)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear();
    const QWidget *view = cell.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
    const QPixmap picture = pictureOf(text, cell.font, painter->device()->devicePixelRatioF());
    const QSize size = picture.deviceIndependentSize().toSize();
    painter->drawPixmap(QStyle::alignedRect(cell.direction, Qt::AlignCenter, size, cell.rect).topLeft(), picture);
}

QPixmap EmojiCellDelegate::pictureOf(const QString &text, const QFont &font, qreal ratio) const
{
    const QString key = text + u'@' + QString::number(ratio);
    if (const auto found = m_pictures.constFind(key); found != m_pictures.constEnd())
        return *found;
    const int side = font.pixelSize() + 8;
    QPixmap picture(QSize(side, side) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setFont(font);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, text);
    p.end();
    m_pictures.insert(key, picture);
    return picture;
}
