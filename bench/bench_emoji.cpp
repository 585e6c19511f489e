// The emoji view: from choosing 表情 in a find window that is open to the grid painted,
// the first time, so that reading the emoji table and building the grid are counted.
// Runs on the offscreen platform unless another is chosen.
#include "find/EmojiSource.h"
#include "find/FindForm.h"
#include "find/Pinyin.h"
#include "find/UserStore.h"
#include "skin/Skin.h"

#include <QApplication>
#include <QListView>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void emojiGridShown(benchmark::State &state)
{
    const Pinyin pinyin;
    QTemporaryDir folder;
    UserStore store(folder.path());
    store.load();
    for (auto _ : state) {
        state.PauseTiming();
        auto emoji = std::make_unique<EmojiSource>();
        auto form = std::make_unique<FindForm>(pinyin, store);
        form->setEmojiSource(emoji.get());
        form->show();
        QApplication::processEvents();
        state.ResumeTiming();
        form->setFilter(FindForm::Emoji);
        QApplication::processEvents();
        const QPixmap shown = form->grab();
        benchmark::DoNotOptimize(shown);
        state.PauseTiming();
        form.reset();
        emoji.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(emojiGridShown)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Skin::apply(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
namespace {
void emojiGridRepaint(benchmark::State &state)
{
    const Pinyin pinyin;
    QTemporaryDir folder;
    UserStore store(folder.path());
    store.load();
    EmojiSource emoji;
    FindForm form(pinyin, store);
    form.setEmojiSource(&emoji);
    form.show();
    form.setFilter(FindForm::Emoji);
    QApplication::processEvents();
    for (auto _ : state) {
        const QPixmap shown = form.emojiGrid()->viewport()->grab();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(emojiGridRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();
}
