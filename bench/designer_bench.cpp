#include <benchmark/benchmark.h>

#include <QComboBox>

#include "store/ChequeFormatStore.h"
#include "store/Transaction.h"
#include "support/TestEnv.h"
#include "ui/designer/FormatDesigner.h"

namespace {

// `count` formats: one stored by the store, the rest copied from it in one transaction.
void fillFormats(TestEnv& env, int count) {
    ChequeFormat f;
    f.bankName = QStringLiteral("Bank 0");
    f.bankCode = QStringLiteral("B0");
    ChequeFormatStore::insert(env.db(), f);
    QStringList selected = ChequeFormatStore::columnNames();
    selected[0] = QStringLiteral("?");
    selected[1] = QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO BankCheque (") +
                        ChequeFormatStore::columnNames().join(QLatin1Char(',')) +
                        QStringLiteral(") SELECT ") + selected.join(QLatin1Char(',')) +
                        QStringLiteral(" FROM BankCheque WHERE ID = 1");
    Transaction t(env.db());
    for (int i = 1; i < count; ++i)
        env.db()
            .prepare(sql)
            .bind(1, QStringLiteral("Bank %1").arg(i))
            .bind(2, QStringLiteral("B%1").arg(i))
            .execute();
    t.commit();
}

// Opening the designer: the window built, rulers and grid drawn, lists filled,
// the first format loaded.
void BM_DesignerOpen(benchmark::State& state) {
    TestEnv env;
    fillFormats(env, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        FormatDesigner designer(env.context);
        benchmark::DoNotOptimize(designer.load());
    }
}
BENCHMARK(BM_DesignerOpen)->Arg(500)->Unit(benchmark::kMillisecond);

// Choosing another entry of the bank list.
void BM_DesignerSelectBank(benchmark::State& state) {
    TestEnv env;
    fillFormats(env, 500);
    FormatDesigner designer(env.context);
    designer.load();
    auto* banks = designer.findChild<QComboBox*>(QStringLiteral("cboBank"));
    int index = 0;
    for (auto _ : state) {
        index = (index + 37) % banks->count();
        banks->setCurrentIndex(index);
    }
}
BENCHMARK(BM_DesignerSelectBank)->Unit(benchmark::kMicrosecond);

}  // namespace
