#pragma once

#include "convert/PhraseConverter.h"

#include <QFutureWatcher>
#include <QObject>

#include <memory>

class PhraseLibrary;

// One phrase-level conversion on Qt's thread pool; done() comes on the task's thread. A
// result that arrives after the task has gone is dropped.
class PhraseTask : public QObject
{
    Q_OBJECT
public:
    explicit PhraseTask(QObject *parent = nullptr);

    void start(std::shared_ptr<const PhraseLibrary> library, PhraseConverter::Config config, QString text);
    // Once done() has come: the result, or what the conversion threw, thrown again.
    PhraseResult result() const { return m_watcher.result(); }

signals:
    void done();

private:
    QFutureWatcher<PhraseResult> m_watcher;
};
