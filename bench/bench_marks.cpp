// How many review marks a phrase-level conversion leaves on the shipped content (content/),
// per configuration, and on which characters most of them fall. The traditional-to-simplified
// configurations convert the content's own traditional form (s2t, s2twp), as a user would.
#include "convert/PhraseLibrary.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstdio>

namespace {

QStringList contentTexts()
{
    QStringList texts;
    QDirIterator it(
        QStringLiteral(ZELTO_CONTENT_DIR), { QStringLiteral("*.txt") }, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (it.hasNext())
        paths.append(it.next());
    paths.sort();
    for (const QString &path : paths) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            texts.append(QString::fromUtf8(file.readAll()));
    }
    return texts;
}

void report(const PhraseLibrary &library, PhraseConverter::Config config, const QStringList &texts, int top)
{
    qsizetype units = 0;
    qsizetype marks = 0;
    QHash<QString, int> perForm;
    for (const QString &text : texts) {
        const PhraseResult result = library.converter(config)->convert(text);
        units += text.size();
        marks += result.marks.size();
        for (const ReviewMark &mark : result.marks)
            ++perForm[mark.candidates.join(u'/')];
    }
    std::printf("%s: %lld marks in %lld UTF-16 units\n", qPrintable(PhraseLibrary::configFileName(config)),
        static_cast<long long>(marks), static_cast<long long>(units));
    QList<std::pair<int, QString>> sorted;
    for (auto it = perForm.cbegin(); it != perForm.cend(); ++it)
        sorted.append({ it.value(), it.key() });
    std::sort(sorted.begin(), sorted.end(),
        [](const auto &a, const auto &b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    for (qsizetype i = 0; i < std::min<qsizetype>(top, sorted.size()); ++i)
        std::printf("  %5d  %s\n", sorted[i].first, qPrintable(sorted[i].second));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int top = argc > 1 ? std::max(0, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    const PhraseLibrary library(PhraseLibrary::defaultDataDir());
    for (int c = 0; c < PhraseConverter::ConfigCount; ++c) {
        if (!library.converter(PhraseConverter::Config(c))) {
            std::fprintf(stderr, "%s\n", qPrintable(library.error(PhraseConverter::Config(c))));
            return 1;
        }
    }
    const QStringList simplified = contentTexts();
    if (simplified.isEmpty()) {
        std::fprintf(stderr, "no text found under %s\n", ZELTO_CONTENT_DIR);
        return 1;
    }
    const auto converted = [&](PhraseConverter::Config config) {
        QStringList texts;
        for (const QString &text : simplified)
            texts.append(library.converter(config)->convert(text, false).text);
        return texts;
    };
    report(library, PhraseConverter::S2T, simplified, top);
    report(library, PhraseConverter::S2TWP, simplified, top);
    report(library, PhraseConverter::S2HK, simplified, top);
    report(library, PhraseConverter::T2S, converted(PhraseConverter::S2T), top);
    report(library, PhraseConverter::TW2SP, converted(PhraseConverter::S2TWP), top);
    return 0;
}
