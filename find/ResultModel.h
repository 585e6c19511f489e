#pragma once

#include "find/Entry.h"
#include "find/RowChoice.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>
#include <vector>

class SearchIndex;

// The find window's result rows: entries of search indexes by number. Columns: the star,
// the entry (a picture by its first line), the page it comes from. The tooltip shows the
// entry in the memo font, a very long one only in part. Emoji are drawn in colour.
class ResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { StarColumn, TextColumn, OriginColumn, ColumnCount };

    using Row = RowChoice::Row;
    // What the tooltip shows of an entry at most.
    static constexpr int PreviewLines = 40;
    static constexpr int PreviewLineLength = 200;

    explicit ResultModel(std::function<bool(const QString &)> isFavourite, QObject *parent = nullptr);

    void setRows(std::vector<Row> rows);
    // The copied text of a row.
    QString text(int row) const;
    QString origin(int row) const;
    // Repaints the stars after favourites changed.
    void refreshStars();

    // "⌒( o.o )⌒ …": the first non-blank line, with "…" when more follows.
    static QString summary(const QString &text);
    // The first PreviewLines lines, each cut at PreviewLineLength, with "…" where
    // something was left out.
    static QString preview(const QString &text);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The hidden title row still tells a reader what each column holds.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Entry &entryAt(int row) const;

    std::function<bool(const QString &)> m_isFavourite;
    const QFont m_memoFont;
    const QFont m_emojiFont;
    std::vector<Row> m_rows;
};
