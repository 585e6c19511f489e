#pragma once

#include "find/Entry.h"

#include <QAbstractTableModel>
#include <QFont>

#include <functional>
#include <vector>

class SearchIndex;

// The find window's result rows: entries of the search index by number, then entries of
// the user's own lists. Columns: the star, the entry (a picture by its first line), the
// page it comes from. The tooltip shows the whole entry in the memo font.
class ResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { StarColumn, TextColumn, OriginColumn, ColumnCount };

    explicit ResultModel(std::function<bool(const QString &)> isFavourite, QObject *parent = nullptr);

    // indexHits: entries of `index`, which must live as long as the rows.
    void setRows(const SearchIndex *index, std::vector<qsizetype> indexHits, QList<Entry> others);
    // The copied text of a row.
    QString text(int row) const;
    QString origin(int row) const;
    // Repaints the stars after favourites changed.
    void refreshStars();

    // "⌒( o.o )⌒ …": the first non-blank line, with "…" when more follows.
    static QString summary(const QString &text);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const Entry &entryAt(int row) const;

    const SearchIndex *m_index = nullptr;
    std::function<bool(const QString &)> m_isFavourite;
    const QFont m_memoFont;
    std::vector<qsizetype> m_hits;
    QList<Entry> m_others;
};
