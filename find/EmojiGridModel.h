#pragma once

#include <QAbstractListModel>
#include <QFont>

#include <vector>

class EmojiCatalogue;

// The emoji view's cells: for each group a heading row as wide as the view, then its emoji
// in the chosen skin tone. A heading can be neither chosen nor copied; an emoji's tooltip
// and accessible name are its Chinese name.
class EmojiGridModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int CellSize = 34;
    static constexpr int HeadingHeight = 22;

    EmojiGridModel(const EmojiCatalogue &catalogue, QObject *parent = nullptr);

    void setTone(int tone);
    // Headings take the whole width of the view.
    void setHeadingWidth(int width);
    bool isHeading(int row) const;
    // The emoji a row copies, in the chosen tone; empty for a heading.
    QString text(int row) const;
    // The first emoji row of a group.
    int firstRowOf(int group) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const EmojiCatalogue &m_catalogue;
    // An emoji's number in the catalogue, or -1 - group for a heading.
    std::vector<int> m_rows;
    QFont m_emojiFont;
    QFont m_headingFont;
    int m_tone = 0;
    int m_headingWidth = 300;
};
