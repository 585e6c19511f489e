#include "convert/PhraseLoader.h"

#include "convert/PhraseLibrary.h"

#include <QtConcurrent/QtConcurrentRun>

PhraseLoader::PhraseLoader(const QString &dataDir, DictionaryCheck check, QObject *parent)
    : QObject(parent)
    , m_dataDir(dataDir)
    , m_check(std::move(check))
{
    connect(&m_watcher, &QFutureWatcher<std::shared_ptr<const PhraseLibrary>>::finished, this, &PhraseLoader::loaded);
}

PhraseLoader::~PhraseLoader() = default;

void PhraseLoader::start()
{
    if (m_started)
        return;
    m_started = true;
    m_watcher.setFuture(QtConcurrent::run([dataDir = m_dataDir, check = m_check]() mutable {
        return std::shared_ptr<const PhraseLibrary>(new PhraseLibrary(dataDir, &check));
    }));
}
