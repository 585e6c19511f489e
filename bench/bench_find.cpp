// The search of the find window: building the index over every entry the program shows,
// and one keystroke's search, on the shipped content and with a synthetic catalogue of
// 100,000 entries per list (made by zelto_databuild --synthetic, as for the start-up);
// and the same for a list of own entries as large as the program reads (64 MiB).
#include "find/EmojiSource.h"
#include "find/Pinyin.h"
#include "find/SearchIndex.h"
#include "find/ShippedEntries.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The four lists as the catalogue holds them in content/.
const ShippedEntries::Lists &shippedLists()
{
    static const ShippedEntries::Lists lists = ShippedEntries::catalogueLists(QStringLiteral(ZELTO_CONTENT_DIR));
    return lists;
}

const ShippedEntries::Lists &syntheticLists()
{
    static const ShippedEntries::Lists lists = [] {
        ShippedEntries::Lists read;
        QTemporaryDir dir;
        const QString dll = dir.filePath(QStringLiteral("synthetic.dll"));
        if (QProcess::execute(
                QStringLiteral(ZELTO_DATABUILD), { QStringLiteral("--synthetic"), QStringLiteral("100000"), dll })
            != 0)
            return read;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("synthetic"));
            db.setDatabaseName(dll);
            db.open();
            QSqlQuery q(QStringLiteral("SELECT gxqm, gxqlwm, gxnswm, gxnvswm FROM zeltogxqm ORDER BY ID"), db);
            while (q.next()) {
                for (int i = 0; i < 4; ++i) {
                    if (!q.isNull(i))
                        read[std::size_t(i)].append(q.value(i).toString());
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("synthetic"));
        return read;
    }();
    return lists;
}

// Every entry in page order, as the main window hands them to the index.
QList<Entry> pageEntries(const ShippedEntries::Lists &lists)
{
    static const QStringList collections = ShippedEntries::collectionTexts(QStringLiteral(ZELTO_CONTENT_DIR));
    return ShippedEntries::pageEntries(collections, lists);
}

struct Prepared
{
    std::unique_ptr<Pinyin> pinyin = std::make_unique<Pinyin>();
    std::unique_ptr<SearchIndex> index;
    explicit Prepared(const ShippedEntries::Lists &lists)
        : index(std::make_unique<SearchIndex>(*pinyin))
    {
        index->add(pageEntries(lists));
    }
};

Prepared &shipped()
{
    static Prepared p(shippedLists());
    return p;
}

Prepared &synthetic()
{
    static Prepared p(syntheticLists());
    return p;
}

const char *const Queries[] = { "x", "xq", "xinq", "xinqing", "kx", "心情", "^_^", "zzzz" };

void indexBuild(benchmark::State &state)
{
    const ShippedEntries::Lists &lists = state.range(0) ? syntheticLists() : shippedLists();
    std::size_t entries = 0;
    for (auto _ : state) {
        Pinyin pinyin;
        SearchIndex index(pinyin);
        index.add(pageEntries(lists));
        entries = std::size_t(index.size());
        benchmark::DoNotOptimize(index);
    }
    state.counters["entries"] = double(entries);
}
BENCHMARK(indexBuild)->Arg(0)->Arg(1)->ArgName("synthetic")->Unit(benchmark::kMillisecond);

// The index the find window builds the first time it opens: the shipped content and the
// emoji, the emoji table read anew each time as on its first use.
void indexBuildWithEmoji(benchmark::State &state)
{
    const ShippedEntries::Lists &lists = shippedLists();
    std::size_t entries = 0;
    for (auto _ : state) {
        Pinyin pinyin;
        SearchIndex index(pinyin);
        index.add(pageEntries(lists));
        const EmojiSource emoji;
        index.add(emoji.entryReader()());
        entries = std::size_t(index.size());
        benchmark::DoNotOptimize(index);
    }
    state.counters["entries"] = double(entries);
}
BENCHMARK(indexBuildWithEmoji)->Unit(benchmark::kMillisecond);

// One keystroke's search over the shipped content and the emoji.
void searchWithEmoji(benchmark::State &state)
{
    static const Prepared p = [] {
        Prepared prepared(shippedLists());
        prepared.index->add(EmojiSource().entryReader()());
        return prepared;
    }();
    const char *const queries[] = { "xiao", "kx", "笑" };
    const QString query = QString::fromUtf8(queries[state.range(0)]);
    std::size_t hits = 0;
    for (auto _ : state) {
        const std::vector<qsizetype> found = p.index->search(query);
        hits = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.SetLabel(queries[state.range(0)]);
    state.counters["hits"] = double(hits);
    state.counters["entries"] = double(p.index->size());
}
BENCHMARK(searchWithEmoji)->DenseRange(0, 2)->ArgName("query")->Unit(benchmark::kMillisecond);

// One search over every entry, as the first keystroke or a pasted text runs it.
void search(benchmark::State &state)
{
    Prepared &p = state.range(0) ? synthetic() : shipped();
    const QString query = QString::fromUtf8(Queries[state.range(1)]);
    std::size_t hits = 0;
    for (auto _ : state) {
        const std::vector<qsizetype> found = p.index->search(query);
        hits = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.SetLabel(Queries[state.range(1)]);
    state.counters["hits"] = double(hits);
    state.counters["entries"] = double(p.index->size());
}
BENCHMARK(search)
    ->ArgsProduct({ { 0, 1 }, benchmark::CreateDenseRange(0, std::size(Queries) - 1, 1) })
    ->ArgNames({ "synthetic", "query" })
    ->Unit(benchmark::kMillisecond);

// Typing "xinqing" key by key: each keystroke searches among the previous results.
void typing(benchmark::State &state)
{
    Prepared &p = state.range(0) ? synthetic() : shipped();
    const QString word = QStringLiteral("xinqing");
    for (auto _ : state) {
        std::vector<qsizetype> hits = p.index->search(word.left(1));
        for (qsizetype n = 2; n <= word.size(); ++n)
            hits = p.index->search(word.left(n), hits);
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["keystrokes"] = double(word.size());
}
BENCHMARK(typing)->Arg(0)->Arg(1)->ArgName("synthetic")->Unit(benchmark::kMillisecond);

// 64 MiB of own entries (UTF-8, as in the file): the catalogue's lines, numbered.
const QList<Entry> &ownEntries()
{
    static const QList<Entry> entries = [] {
        QList<Entry> out;
        qsizetype bytes = 0;
        const ShippedEntries::Lists &lists = shippedLists();
        for (int n = 0; bytes < 64 * 1024 * 1024; ++n) {
            for (const QStringList &list : lists) {
                for (const QString &line : list) {
                    const QString text = line + QString::number(n);
                    bytes += text.toUtf8().size() + 2;
                    out.append(Entry { text, {}, {}, QStringLiteral("〖我的〗") });
                }
            }
        }
        return out;
    }();
    return entries;
}

struct OwnList
{
    Pinyin pinyin;
    SearchIndex index { pinyin };
    OwnList() { index.assign(ownEntries()); }
};

OwnList &own()
{
    static OwnList list;
    return list;
}

// What each keystroke cost before the lists were kept indexed: the list's index built anew.
void ownListIndexBuild(benchmark::State &state)
{
    for (auto _ : state) {
        SearchIndex index(own().pinyin);
        index.add(ownEntries());
        benchmark::DoNotOptimize(index);
    }
    state.counters["entries"] = double(ownEntries().size());
}
BENCHMARK(ownListIndexBuild)->Unit(benchmark::kMillisecond);

// Typing "xinqing" in 我的, as the window does now: the list's index kept, each keystroke
// narrowing the previous results where that gives the same.
void ownListTyping(benchmark::State &state)
{
    OwnList &p = own();
    const QString word = QStringLiteral("xinqing");
    std::size_t hits = 0;
    for (auto _ : state) {
        SearchIndex::LastSearch last;
        for (qsizetype n = 1; n <= word.size(); ++n) {
            const SearchIndex::Ranked found = p.index.search(word.left(n), last);
            hits = 0;
            for (const std::vector<qsizetype> &group : found)
                hits += group.size();
        }
    }
    state.counters["keystrokes"] = double(word.size());
    state.counters["hits"] = double(hits);
    state.counters["entries"] = double(p.index.size());
}
BENCHMARK(ownListTyping)->Unit(benchmark::kMillisecond);

// One own entry added: the list's index brought up to date.
void ownListUpdate(benchmark::State &state)
{
    OwnList &p = own();
    QList<Entry> entries = ownEntries();
    for (auto _ : state) {
        entries.append(Entry { QStringLiteral("新的一条"), {}, {}, QStringLiteral("〖我的〗") });
        p.index.assign(entries);
        state.PauseTiming();
        entries.removeLast();
        p.index.assign(entries);
        state.ResumeTiming();
    }
}
BENCHMARK(ownListUpdate)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
