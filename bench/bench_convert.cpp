// Throughput of the two script converters against the literal table search and ICU's
// transforms. The text is the catalogue's own Chinese lines (content/), shuffled and
// repeated to 4 MiB of GBK. Every figure counts the text's GBK bytes, so that all rows
// compare directly.
#include "convert/CVCODE.h"
#include "convert/GbToBig.h"
#include "convert/TableText.h"
#include "platform/Gbk.h"

#include "convert/LiteralGbToBig.h" // tests/convert

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <unicode/translit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr qsizetype kCorpusBytes = 4 << 20;
constexpr qsizetype kSlowSliceBytes = 256 << 10;

// Lines that are mostly Chinese: at least half of their non-blank characters are Han.
QStringList chineseLines()
{
    QStringList lines;
    QDirIterator it(
        QStringLiteral(ZELTO_CONTENT_DIR), { QStringLiteral("*.txt") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            int han = 0;
            int other = 0;
            for (const QChar c : line) {
                if (c.script() == QChar::Script_Han)
                    ++han;
                else if (!c.isSpace())
                    ++other;
            }
            if (han > 0 && han >= other && Gbk::canEncode(line))
                lines.append(line.trimmed());
        }
    }
    return lines;
}

struct Corpus
{
    QString text;
    QByteArray gbk;
    QByteArray gbkTraditional;
    QString traditional;
};

const Corpus &corpus()
{
    static const Corpus c = [] {
        QStringList lines = chineseLines();
        if (lines.isEmpty()) {
            std::fprintf(stderr, "no Chinese text found under %s\n", ZELTO_CONTENT_DIR);
            std::exit(1);
        }
        Corpus made;
        QRandomGenerator rng(20080223);
        QString text;
        qsizetype bytes = 0;
        while (bytes < kCorpusBytes) {
            std::shuffle(lines.begin(), lines.end(), rng);
            for (const QString &line : lines) {
                text += line;
                text += QLatin1String("\r\n");
                bytes += Gbk::encode(line).size() + 2;
            }
        }
        made.gbk = Gbk::encode(text).left(kCorpusBytes);
        made.text = Gbk::decode(made.gbk);
        TGbToBig conv;
        made.gbkTraditional = conv.Convert(made.gbk);
        made.traditional = ToTraditional(made.text);
        return made;
    }();
    return c;
}

void tableConvert(benchmark::State &state, TGbToBig::TMode mode)
{
    TGbToBig conv;
    conv.SetMode(mode);
    const QByteArray &source = mode == TGbToBig::Gb2Big ? corpus().gbk : corpus().gbkTraditional;
    for (auto _ : state)
        benchmark::DoNotOptimize(conv.Convert(source));
    state.SetBytesProcessed(state.iterations() * source.size());
}

// The floor for any converter that returns a new array: copying the bytes unchanged.
void plainCopy(benchmark::State &state)
{
    const QByteArray &source = corpus().gbk;
    for (auto _ : state)
        benchmark::DoNotOptimize(QByteArray(source.constData(), source.size()));
    state.SetBytesProcessed(state.iterations() * source.size());
}

void literalConvert(benchmark::State &state, TGbToBig::TMode mode)
{
    const TGbToBig conv;
    const bool forward = mode == TGbToBig::Gb2Big;
    const QByteArray source = (forward ? corpus().gbk : corpus().gbkTraditional).left(kSlowSliceBytes);
    const QByteArray &searched = forward ? conv.SimplifiedList() : conv.TraditionalList();
    const QByteArray &other = forward ? conv.TraditionalList() : conv.SimplifiedList();
    for (auto _ : state)
        benchmark::DoNotOptimize(literalConvert(searched, other, source));
    state.SetBytesProcessed(state.iterations() * source.size());
}

void localeConvert(benchmark::State &state, bool toTraditional)
{
    const QString &source = toTraditional ? corpus().text : corpus().traditional;
    for (auto _ : state)
        benchmark::DoNotOptimize(toTraditional ? ToTraditional(source) : ToSimplified(source));
    state.SetBytesProcessed(state.iterations() * corpus().gbk.size());
}

void icuTransform(benchmark::State &state, bool toTraditional)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transform(icu::Transliterator::createInstance(
        toTraditional ? "Simplified-Traditional" : "Traditional-Simplified", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        state.SkipWithError("ICU transform missing");
        return;
    }
    const QByteArray slice = (toTraditional ? corpus().gbk : corpus().gbkTraditional).left(kSlowSliceBytes);
    const QString text = Gbk::decode(slice);
    const icu::UnicodeString source(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    for (auto _ : state) {
        icu::UnicodeString s = source;
        transform->transliterate(s);
        benchmark::DoNotOptimize(s.getBuffer());
    }
    state.SetBytesProcessed(state.iterations() * slice.size());
}

void tableOnText(benchmark::State &state)
{
    TGbToBig conv;
    const QString text = Gbk::decode(corpus().gbk.left(kSlowSliceBytes));
    for (auto _ : state)
        benchmark::DoNotOptimize(convertWithTable(conv, text));
    state.SetBytesProcessed(state.iterations() * kSlowSliceBytes);
}

} // namespace

BENCHMARK_CAPTURE(tableConvert, Gb2Big, TGbToBig::Gb2Big)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tableConvert, Big2Gb, TGbToBig::Big2Gb)->Unit(benchmark::kMillisecond);
BENCHMARK(plainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literalConvert, Gb2Big, TGbToBig::Gb2Big)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(literalConvert, Big2Gb, TGbToBig::Big2Gb)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(localeConvert, ToTraditional, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(localeConvert, ToSimplified, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(icuTransform, SimplifiedTraditional, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(icuTransform, TraditionalSimplified, false)->Unit(benchmark::kMillisecond);
BENCHMARK(tableOnText)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
