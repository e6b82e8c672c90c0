#include <benchmark/benchmark.h>

#include "store/LanguageStore.h"
#include "platform/TextMeasure.h"
#include "core/FieldLabelSet.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"
#include "words/WordLineSplit.h"

namespace {

int englishId(Database& db) { return LanguageStore::findByName(db, QStringLiteral("English"))->id; }

// Spelling with the word table read from the encrypted database on every call.
void BM_AmountToWords(benchmark::State& state) {
    TestEnv env;
    const int english = englishId(env.db());
    const QString amounts[] = {QStringLiteral("0.50"), QStringLiteral("2,040,300.07"),
                               QStringLiteral("999,999,999,999.99"), QStringLiteral("1,234.00")};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(amountToWords(env.db(), env.dialogs, amounts[i], english));
        i = (i + 1) % std::size(amounts);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AmountToWords)->Unit(benchmark::kMicrosecond);

// The longest amount spread over two lines with the screen's font metrics.
void BM_SplitLongestAmount(benchmark::State& state) {
    TestEnv env;
    const int english = englishId(env.db());
    const QString words = toUpperCase(
        amountToWords(env.db(), env.dialogs, QStringLiteral("777,777,777,777.77"), english));
    const ScreenTextMeasure measure;
    const FontSpec font{QStringLiteral("Arial"), 10.0f, true};
    for (auto _ : state) benchmark::DoNotOptimize(splitWordLines(words, font, 9000.0, measure));
}
BENCHMARK(BM_SplitLongestAmount)->Unit(benchmark::kMicrosecond);

// What the preview does: spell, then split with the real measure.
void BM_SplitAmountWords(benchmark::State& state) {
    TestEnv env;
    const int english = englishId(env.db());
    const ScreenTextMeasure measure;
    FieldLabelSet labels;
    labels[FieldAmount].caption = QStringLiteral("777,777,777,777.77");
    labels[FieldWord1].width = 9000.0f;
    for (auto _ : state) splitAmountWords(env.db(), env.dialogs, measure, english, labels);
}
BENCHMARK(BM_SplitAmountWords)->Unit(benchmark::kMicrosecond);

}  // namespace
