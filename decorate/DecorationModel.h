#pragma once

#include "decorate/Decorations.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

// The rows of the 花样网名 window: the star, the style, the decorated name, its length in
// characters, and a warning mark when some character has no glyph in the installed fonts.
class DecorationModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { StarColumn, StyleColumn, TextColumn, LengthColumn, WarningColumn, ColumnCount };
    static inline const QString Warning = QStringLiteral("部分字符可能显示为方框");

    DecorationModel(std::function<bool(const QString &)> isFavourite, QObject *parent = nullptr);

    void setRows(std::vector<Decorations::Row> rows);
    QString text(int row) const;
    QString style(int row) const;
    bool drawable(int row) const;
    // Characters as the user counts them: a code point each, line breaks left out.
    static int length(const QString &text);
    void refreshStars();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Shown
    {
        Decorations::Row row;
        bool drawable;
    };
    std::function<bool(const QString &)> m_isFavourite;
    std::vector<Shown> m_rows;
};
