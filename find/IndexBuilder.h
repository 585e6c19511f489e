#pragma once

#include <QList>
#include <QObject>

#include <memory>

class EntrySource;
class Pinyin;
class QThread;
class SearchIndex;

// Builds the find window's index of its sources. Sources of many entries are read into
// the index on a worker thread, so the window already answers meanwhile; the sources are
// read on the calling thread first, only the preparation runs on the worker.
class IndexBuilder : public QObject
{
    Q_OBJECT
public:
    // From this many entries on, the index is built on a worker thread.
    static constexpr qsizetype BackgroundFrom = 50000;

    explicit IndexBuilder(QObject *parent = nullptr);
    // Waits for the worker.
    ~IndexBuilder() override;

    void setBackgroundFrom(qsizetype entries) { m_backgroundFrom = entries; }
    // Starts a build of these sources, in this order; `built` follows, at once or from the
    // worker. A build still running is waited for and dropped. The index built before stays
    // until the new one is done. The pinyin table must live as long as this.
    void build(const Pinyin &pinyin, const QList<const EntrySource *> &sources);
    // Nothing until built.
    const SearchIndex *index() const { return m_index.get(); }

signals:
    void built(const SearchIndex *index);

private:
    std::unique_ptr<SearchIndex> m_index;
    std::unique_ptr<SearchIndex> m_building;
    QThread *m_thread = nullptr;
    qsizetype m_backgroundFrom = BackgroundFrom;
    // Builds started; only the last one's end on the worker counts.
    quint64 m_builds = 0;
};
