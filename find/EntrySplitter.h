#pragma once

#include "find/Entry.h"

#include <QList>
#include <QStringList>

// Splits what a page shows into entries the way a user sees them.
namespace EntrySplitter {

enum class Kind {
    Lines, // every line is an entry
    Labelled, // every line is an entry and its meaning, set apart by two or more spaces
    Pictures, // every block of lines between blank lines or headings is an entry
};

// A collection's text under its page caption. Lines before the first 【heading】 explain
// the page and are no entries; headings are context, never entries.
QList<Entry> splitCollection(const QString &text, Kind kind, const QString &page);

// A catalogue list: one entry per row; empty rows are left out. The list's name is shown
// after the page caption but is no search context.
QList<Entry> catalogueList(const QStringList &rows, const QString &page, const QString &listName);

} // namespace EntrySplitter
