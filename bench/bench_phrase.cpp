// Phrase-level conversion against OpenCC's own command-line tool and library on the same
// 4 MiB of UTF-8 text made from the catalogue's lines (content/), in the same run; the cost
// of the review marks; and how long the GUI thread stalls while the conversion page
// converts 10 MB.
#include "convert/ConvertPage.h"
#include "convert/GbToBig.h"
#include "convert/PhraseLibrary.h"
#include "convert/PhraseMenu.h"
#include "widgets/SkinMemo.h"
#include "window/TbsSkinMessage.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr qsizetype kCorpusBytes = 4 << 20;

// Every non-empty line of our content, shuffled and repeated to 4 MiB of UTF-8.
QString makeCorpus(qsizetype bytes)
{
    QStringList lines;
    QDirIterator it(
        QStringLiteral(ZELTO_CONTENT_DIR), { QStringLiteral("*.txt") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                if (!line.trimmed().isEmpty())
                    lines.append(line);
            }
        }
    }
    if (lines.isEmpty()) {
        std::fprintf(stderr, "no text found under %s\n", ZELTO_CONTENT_DIR);
        std::exit(1);
    }
    QRandomGenerator rng(20080223);
    QByteArray utf8;
    while (utf8.size() < bytes) {
        std::shuffle(lines.begin(), lines.end(), rng);
        for (const QString &line : lines)
            utf8 += line.toUtf8() + '\n';
    }
    // Cut at a line end, so that no character is split.
    utf8.truncate(utf8.lastIndexOf('\n', bytes - 1) + 1);
    return QString::fromUtf8(utf8);
}

struct Fixture
{
    QString text = makeCorpus(kCorpusBytes);
    QByteArray utf8 = text.toUtf8();
    QString dataDir = PhraseLibrary::defaultDataDir();
    PhraseLibrary library { dataDir };
    QTemporaryDir scratch;
    QString input = scratch.filePath(QStringLiteral("input.txt"));

    Fixture()
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly) || file.write(utf8) != utf8.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(input));
            std::exit(1);
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

QString configPath(PhraseConverter::Config config)
{
    return QDir(fixture().dataDir).filePath(PhraseLibrary::configFileName(config));
}

// The opencc command as a user runs it: start, load the dictionaries, convert the file.
void openccCommand(benchmark::State &state, PhraseConverter::Config config)
{
    const QString output = fixture().scratch.filePath(QStringLiteral("output.txt"));
    const QStringList arguments { QStringLiteral("-c"), configPath(config), QStringLiteral("-i"), fixture().input,
        QStringLiteral("-o"), output };
    // The command's own processor time, to compare with ours when the machine is busy.
    const auto childCpuMs = [] {
        rusage usage {};
        getrusage(RUSAGE_CHILDREN, &usage);
        return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    };
    const double before = childCpuMs();
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("opencc"), arguments) != 0) {
            state.SkipWithError("the opencc command failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * fixture().utf8.size());
    state.counters["commandCpuMs"] = (childCpuMs() - before) / double(state.iterations());
}

// OpenCC's library converting the same bytes in memory, dictionaries already loaded.
void openccLibrary(benchmark::State &state, PhraseConverter::Config config)
{
    opencc::Config loader;
    const opencc::ConverterPtr converter = loader.NewFromFile(configPath(config).toStdString());
    const std::string text = fixture().utf8.toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(converter->Convert(text));
    state.SetBytesProcessed(state.iterations() * fixture().utf8.size());
}

// Ours, from the memo's QString to a QString, with or without the review marks.
void phraseConvert(benchmark::State &state, PhraseConverter::Config config, bool review)
{
    const PhraseConverter *converter = fixture().library.converter(config);
    if (!converter) {
        state.SkipWithError(qPrintable(fixture().library.error(config)));
        return;
    }
    qsizetype marks = 0;
    for (auto _ : state) {
        const PhraseResult result = converter->convert(fixture().text, review);
        marks = result.marks.size();
        benchmark::DoNotOptimize(result.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * fixture().utf8.size());
    state.counters["marks"] = double(marks);
}

void phraseLoad(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(PhraseLibrary(fixture().dataDir).converter(PhraseConverter::S2T));
}

// The conversion page converting 10 MB: the longest time the GUI thread did not answer a
// 5 ms timer, from the click to the converted text with its marks in the memo.
void pageStall(benchmark::State &state)
{
    QWidget form;
    TbsSkinMessage messages(&form);
    TGbToBig gbToBig(&form);
    auto *sheet = new QWidget(&form);
    ConvertPage page({ .form = &form, .messages = &messages }, sheet, &gbToBig);
    PhraseMenu menu({ .form = &form, .messages = &messages }, &page, fixture().dataDir);
    form.resize(700, 450);
    sheet->setGeometry(0, 0, 690, 425);
    form.show();
    while (!menu.isLoaded())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QString text;
    while (text.toUtf8().size() < 10'000'000)
        text += fixture().text;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.bsSkinMemo220->setPlainText(text);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer since;
        qint64 longest = 0;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, since.restart()); });
        since.start();
        tick.start();
        menu.convertActions[PhraseConverter::S2T]->trigger();
        longest = std::max(longest, since.restart());
        while (menu.isConverting())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        longest = std::max(longest, since.restart());
        QCoreApplication::processEvents();
        longest = std::max(longest, since.restart());
        worst = std::max(worst, double(longest));
    }
    state.counters["worstStallMs"] = worst;
}

} // namespace

BENCHMARK_CAPTURE(openccCommand, s2t, PhraseConverter::S2T)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openccLibrary, s2t, PhraseConverter::S2T)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(phraseConvert, s2t, PhraseConverter::S2T, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(phraseConvert, s2tReview, PhraseConverter::S2T, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openccCommand, s2twp, PhraseConverter::S2TWP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(openccLibrary, s2twp, PhraseConverter::S2TWP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(phraseConvert, s2twp, PhraseConverter::S2TWP, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(phraseConvert, s2twpReview, PhraseConverter::S2TWP, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(phraseLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pageStall)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    // The page benchmark needs widgets; no display is needed for them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
