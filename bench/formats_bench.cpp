#include <benchmark/benchmark.h>

#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "store/Database.h"
#include "store/Transaction.h"
#include "support/TestEnv.h"

namespace {

ChequeFormat sampleFormat(int n) {
    ChequeFormat f;
    f.bankName = QStringLiteral("Bank number %1").arg(n);
    f.bankCode = QStringLiteral("B%1").arg(n, 4, 10, QLatin1Char('0'));
    f.chequeWidth = 12240;
    f.chequeHeight = 5040;
    f.dateType = n % 3;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldGeometry g = ChequeFormat::defaultGeometry(i);
        f.fields.at(static_cast<size_t>(i)) = {g.left + static_cast<float>(n % 7), g.top, g.width};
    }
    return f;
}

// `count` formats: one stored by the store, the rest copied from it in one transaction.
void fill(TestEnv& env, int count) {
    if (count <= 0) return;
    ChequeFormatStore::insert(env.db(), sampleFormat(0));
    const QStringList& columns = ChequeFormatStore::columnNames();
    QStringList selected = columns;
    selected[0] = QStringLiteral("?");
    selected[1] = QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO BankCheque (") +
                        columns.join(QLatin1Char(',')) + QStringLiteral(") SELECT ") +
                        selected.join(QLatin1Char(',')) +
                        QStringLiteral(" FROM BankCheque WHERE ID = 1");
    Transaction t(env.db());
    for (int i = 1; i < count; ++i) {
        const ChequeFormat f = sampleFormat(i);
        env.db().prepare(sql).bind(1, f.bankName).bind(2, f.bankCode).execute();
    }
    t.commit();
}

// The designer's bank selection: find the row by code and load it into the working copy.
void BM_FormatLoad(benchmark::State& state) {
    TestEnv env;
    fill(env, 500);
    ChequeFormatModel model(env.context);
    model.setDateType(0);
    model.loadLanguages();
    const QString entry = QStringLiteral("B0250 - Bank number 250");
    for (auto _ : state) benchmark::DoNotOptimize(model.selectBank(entry));
}
BENCHMARK(BM_FormatLoad)->Unit(benchmark::kMicrosecond);

// Saving a new format: language look-up and one insert in its own transaction.
void BM_FormatInsert(benchmark::State& state) {
    TestEnv env;
    fill(env, 500);
    ChequeFormatModel model(env.context);
    model.setDateType(0);
    model.loadLanguages();
    model.resetChequeFormat();
    model.setBankName(QStringLiteral("Benchmark Bank"));
    int n = 0;
    for (auto _ : state) {
        model.setBankCode(QStringLiteral("NEW%1").arg(n++));
        benchmark::DoNotOptimize(model.insertChequeFormat());
    }
}
BENCHMARK(BM_FormatInsert)->Unit(benchmark::kMicrosecond);

// Saving an edited format: language look-up and one update in its own transaction.
void BM_FormatUpdate(benchmark::State& state) {
    TestEnv env;
    fill(env, 500);
    ChequeFormatModel model(env.context);
    model.setDateType(0);
    model.loadLanguages();
    model.selectBank(QStringLiteral("B0250 - x"));
    float left = 0;
    for (auto _ : state) {
        model.labels()[FieldAmount].left = left++;
        benchmark::DoNotOptimize(model.updateChequeFormat(QStringLiteral("B0250")));
    }
}
BENCHMARK(BM_FormatUpdate)->Unit(benchmark::kMicrosecond);

void BM_FormatListById(benchmark::State& state) {
    TestEnv env;
    fill(env, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ChequeFormatStore::listById(env.db()));
}
BENCHMARK(BM_FormatListById)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_FormatListByCode(benchmark::State& state) {
    TestEnv env;
    fill(env, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(ChequeFormatStore::listByCode(env.db()));
}
BENCHMARK(BM_FormatListByCode)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
