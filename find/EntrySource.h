#pragma once

#include "find/Entry.h"

#include <QList>

#include <functional>

// What a page or a collection offers the find window: its entries, each with its place
// (the page caption and the 【heading】 it stands under) and its searchable context (label,
// heading). The find index searches its sources in the order it is given them.
class EntrySource
{
public:
    // Turns what was read into entries; runs on any thread, so it holds copies only.
    using Reader = std::function<QList<Entry>()>;

    virtual ~EntrySource() = default;

    // Reads what the source shows now, on the GUI thread.
    virtual Reader entryReader() const = 0;
    // Roughly how many entries reading gives, to choose whether to build on a worker
    // thread; -1 when the source cannot tell, which counts as many.
    virtual qsizetype entryCount() const = 0;
};
