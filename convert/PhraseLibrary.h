#pragma once

#include "convert/PhraseConverter.h"

#include <QString>

#include <array>
#include <memory>

// The five phrase-level configurations, loaded together from one folder of OpenCC data so
// that they share their dictionaries. Loading never throws: a configuration that cannot be
// loaded keeps the reason, in words for the user.
class PhraseLibrary
{
public:
    // The folder of the installed OpenCC data (…/share/opencc on the data search path), or
    // empty when there is none.
    static QString defaultDataDir();
    static QString configFileName(PhraseConverter::Config config);

    explicit PhraseLibrary(const QString &dataDir);
    ~PhraseLibrary();

    // Null when the configuration could not be loaded.
    const PhraseConverter *converter(PhraseConverter::Config config) const;
    // Empty when the configuration was loaded.
    QString error(PhraseConverter::Config config) const;

private:
    std::array<std::unique_ptr<PhraseConverter>, PhraseConverter::ConfigCount> m_converters;
    std::array<QString, PhraseConverter::ConfigCount> m_errors;
};
