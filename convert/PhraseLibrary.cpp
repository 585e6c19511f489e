#include "convert/PhraseLibrary.h"

#include "convert/DictionaryCheck.h"
#include "convert/OpenccEngine.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <opencc/Config.hpp>

namespace {

// A configuration is a few hundred bytes of JSON.
constexpr qint64 MaxConfigBytes = 1024 * 1024;

// A load failure, its message already in the user's words.
struct LoadError
{
    QString message;
    bool refused = false; // by the dictionary check
};

// Only regular files are read: a FIFO in place of a dictionary would block the loading.
QString checkedPath(const QDir &dir, const QString &name)
{
    const QFileInfo info(dir.filePath(name));
    if (!info.exists())
        throw LoadError { QStringLiteral("缺少 OpenCC 的数据文件“%1”（%2）").arg(name, dir.path()) };
    if (!RegularFile::isRegular(info.absoluteFilePath()) || !info.isReadable())
        throw LoadError { QStringLiteral("OpenCC 的数据文件“%1”不是可读的普通文件（%2）").arg(name, dir.path()) };
    return info.absoluteFilePath();
}

// Every dictionary a configuration names, pointed at the data folder (OpenCC would look in
// the working folder first) and passed by the check.
QJsonValue resolveFiles(const QJsonValue &value, const QDir &dir, DictionaryCheck *check)
{
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue &item : value.toArray())
            array.append(resolveFiles(item, dir, check));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() == QLatin1String("file") && it.value().isString()) {
            const QString path = checkedPath(dir, it.value().toString());
            if (check) {
                const QString why = check->verify(object.value(QLatin1String("type")).toString(), path);
                if (!why.isEmpty())
                    throw LoadError { why, true };
            }
            *it = path;
        } else {
            *it = resolveFiles(it.value(), dir, check);
        }
    }
    return object;
}

std::unique_ptr<PhraseConverter> loadConfig(opencc::Config &opencc, OpenccEngine::ChoiceCache &choices, const QDir &dir,
    PhraseConverter::Config config, DictionaryCheck *check)
{
    const QString fileName = PhraseLibrary::configFileName(config);
    const RegularFile::ReadResult file = RegularFile::read(checkedPath(dir, fileName), MaxConfigBytes);
    if (!file.ok())
        throw LoadError { QStringLiteral("OpenCC 的数据文件“%1”不是可读的普通文件（%2）").arg(fileName, dir.path()) };
    const QJsonDocument json = QJsonDocument::fromJson(file.bytes);
    if (!json.isObject())
        throw LoadError { QStringLiteral("OpenCC 的配置文件“%1”格式有误（%2）").arg(fileName, dir.path()) };
    const QJsonValue resolved = resolveFiles(json.object(), dir, check);
    const QByteArray text = QJsonDocument(resolved.toObject()).toJson(QJsonDocument::Compact);
    try {
        const opencc::ConverterPtr converter
            = opencc.NewFromString(text.toStdString(), QDir::cleanPath(dir.absolutePath()).toStdString() + '/');
        return std::make_unique<PhraseConverter>(std::make_shared<const OpenccEngine>(converter, &choices), config);
    } catch (...) {
        // OpenCC's own errors, the dictionary library's and ours all come down to this.
        throw LoadError { QStringLiteral("OpenCC 无法载入配置“%1”或它的词典（%2）").arg(fileName, dir.path()) };
    }
}

} // namespace

QString PhraseLibrary::defaultDataDir()
{
    return QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral("opencc"), QStandardPaths::LocateDirectory);
}

QString PhraseLibrary::configFileName(PhraseConverter::Config config)
{
    switch (config) {
    case PhraseConverter::S2T:
        return QStringLiteral("s2t.json");
    case PhraseConverter::S2TWP:
        return QStringLiteral("s2twp.json");
    case PhraseConverter::S2HK:
        return QStringLiteral("s2hk.json");
    case PhraseConverter::T2S:
        return QStringLiteral("t2s.json");
    case PhraseConverter::TW2SP:
        return QStringLiteral("tw2sp.json");
    }
    return {};
}

PhraseLibrary::PhraseLibrary(const QString &dataDir, DictionaryCheck *check)
{
    opencc::Config opencc; // shares the dictionaries between the configurations
    OpenccEngine::ChoiceCache choices;
    for (int c = 0; c < PhraseConverter::ConfigCount; ++c) {
        try {
            if (dataDir.isEmpty() || !QFileInfo(dataDir).isDir())
                throw LoadError { QStringLiteral("找不到 OpenCC 的数据文件夹，请安装 libopencc-data") };
            m_converters[c] = loadConfig(opencc, choices, QDir(dataDir), PhraseConverter::Config(c), check);
        } catch (const LoadError &e) {
            m_errors[c] = e.message;
            if (e.refused && m_refused.isEmpty())
                m_refused = e.message;
        }
    }
}

PhraseLibrary::~PhraseLibrary() = default;

const PhraseConverter *PhraseLibrary::converter(PhraseConverter::Config config) const
{
    return m_converters[config].get();
}

QString PhraseLibrary::error(PhraseConverter::Config config) const
{
    return m_errors[config];
}
