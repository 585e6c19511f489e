#pragma once

#include "convert/PhraseConverter.h"

#include <QString>

#include <array>
#include <memory>

// The five phrase-level configurations, loaded together from one folder of OpenCC data so
// that they share their dictionaries. Loading never throws: a configuration that cannot be
// loaded keeps the reason, in words for the user.
class DictionaryCheck;

class PhraseLibrary
{
public:
    // The folder of the installed OpenCC data (…/share/opencc on the data search path), or
    // empty when there is none.
    static QString defaultDataDir();
    static QString configFileName(PhraseConverter::Config config);

    // With a check, a dictionary it refuses is not loaded and its configurations fail.
    explicit PhraseLibrary(const QString &dataDir, DictionaryCheck *check = nullptr);
    ~PhraseLibrary();

    // Null when the configuration could not be loaded.
    const PhraseConverter *converter(PhraseConverter::Config config) const;
    // Empty when the configuration was loaded.
    QString error(PhraseConverter::Config config) const;
    // Why the check refused a dictionary, the first one; empty when it refused none.
    QString refused() const { return m_refused; }

private:
    std::array<std::unique_ptr<PhraseConverter>, PhraseConverter::ConfigCount> m_converters;
    std::array<QString, PhraseConverter::ConfigCount> m_errors;
    QString m_refused;
};
