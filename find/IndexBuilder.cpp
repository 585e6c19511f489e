#include "find/IndexBuilder.h"

#include "find/EntrySource.h"
#include "find/SearchIndex.h"

#include <QThread>

#include <vector>

IndexBuilder::IndexBuilder(QObject *parent)
    : QObject(parent)
{
}

IndexBuilder::~IndexBuilder()
{
    if (m_thread)
        m_thread->wait();
}

void IndexBuilder::build(const Pinyin &pinyin, const QList<const EntrySource *> &sources)
{
    const quint64 build = ++m_builds;
    if (m_thread) {
        // The sources have changed since that build began: its index is not wanted.
        m_thread->disconnect(this);
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
        m_building.reset();
    }
    std::vector<EntrySource::Reader> readers;
    qsizetype entries = 0;
    for (const EntrySource *source : sources) {
        readers.push_back(source->entryReader());
        const qsizetype count = source->entryCount();
        entries += count < 0 ? m_backgroundFrom : count;
    }
    const auto fill = [](SearchIndex *index, const std::vector<EntrySource::Reader> &parts) {
        for (const EntrySource::Reader &part : parts)
            index->add(part());
    };
    auto index = std::make_unique<SearchIndex>(pinyin);
    if (entries < m_backgroundFrom) {
        fill(index.get(), readers);
        m_index = std::move(index);
        emit built(m_index.get());
        return;
    }
    // The pinyin table is only read from here on, the index only by the worker until
    // it has finished.
    m_building = std::move(index);
    m_thread
        = QThread::create([fill, index = m_building.get(), readers = std::move(readers)] { fill(index, readers); });
    // Owned here, so that it goes with this even when its end is never reported.
    m_thread->setParent(this);
    m_thread->setObjectName(QStringLiteral("findIndexThread"));
    // The end of a build dropped for a newer one may already be on its way here.
    connect(m_thread, &QThread::finished, this, [this, build] {
        if (build != m_builds)
            return;
        m_index = std::move(m_building);
        m_thread->deleteLater();
        m_thread = nullptr;
        emit built(m_index.get());
    });
    m_thread->start();
}
