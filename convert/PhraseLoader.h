#pragma once

#include "convert/DictionaryCheck.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <memory>

class PhraseLibrary;

// Loads the OpenCC data on Qt's thread pool, once; loaded() comes on the loader's thread. A
// load that ends after the loader has gone is dropped.
class PhraseLoader : public QObject
{
    Q_OBJECT
public:
    PhraseLoader(const QString &dataDir, DictionaryCheck check, QObject *parent = nullptr);
    ~PhraseLoader() override;

    // Starts loading, unless that has started already.
    void start();
    // Once loaded() has come: the data, or what the load threw, thrown again.
    std::shared_ptr<const PhraseLibrary> result() const { return m_watcher.result(); }

signals:
    void loaded();

private:
    QString m_dataDir;
    DictionaryCheck m_check;
    bool m_started = false;
    QFutureWatcher<std::shared_ptr<const PhraseLibrary>> m_watcher;
};
