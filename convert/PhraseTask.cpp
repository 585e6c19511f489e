#include "convert/PhraseTask.h"

#include "convert/PhraseLibrary.h"

#include <QtConcurrent/QtConcurrentRun>

PhraseTask::PhraseTask(QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<PhraseResult>::finished, this, &PhraseTask::done);
}

void PhraseTask::start(std::shared_ptr<const PhraseLibrary> library, PhraseConverter::Config config, QString text)
{
    m_watcher.setFuture(QtConcurrent::run([library = std::move(library), config, text = std::move(text)] {
        return library->converter(config)->convert(text);
    }));
}
