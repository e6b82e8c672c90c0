#include <benchmark/benchmark.h>

#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/Transaction.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "core/AmountText.h"

namespace {

void fill(TestEnv& env, int formats, int payees) {
    Transaction t(env.db());
    auto insertPayee = env.db().prepare(QStringLiteral("INSERT INTO Company (Name) VALUES (?)"));
    for (int i = 0; i < payees; ++i) {
        auto s = env.db().prepare(QStringLiteral("INSERT INTO Company (Name) VALUES (?)"));
        s.bind(1, QStringLiteral("Payee %1").arg(i, 5, 10, QLatin1Char('0'))).execute();
    }
    QString columns;
    for (int i = 0; i < formats; ++i) {
        auto s = env.db().prepare(QStringLiteral(
            "INSERT INTO BankCheque SELECT NULL, ?, ?, 1, '[Default]', 'L', 0, 0, 0, 0, 0, "
            "0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', "
            "0,0,0,'Arial',9,'False', 0,0,0,'Arial',9,'False', 0,0,0, 0,0,0, 0,0,0, 0,0,0, "
            "0,0,0, 0,0,0, 0,0,0, 0,0,0, 'Arial',9,'False'"));
        s.bind(1, QStringLiteral("Bank %1").arg(i)).bind(2, QStringLiteral("B%1").arg(i)).execute();
    }
    t.commit();
}

// Opening the main window: bank list, payees and settings read.
void BM_MainWindowLoad(benchmark::State& state) {
    TestEnv env;
    fill(env, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        MainWindow window(env.context);
        benchmark::DoNotOptimize(window.load());
    }
}
BENCHMARK(BM_MainWindowLoad)->Args({0, 0})->Args({50, 500})->Args({500, 5000})
    ->Unit(benchmark::kMillisecond);

void BM_AmountFormat(benchmark::State& state) {
    const QString text = QStringLiteral("1234567890.125");
    for (auto _ : state) benchmark::DoNotOptimize(AmountText::format(text));
}
BENCHMARK(BM_AmountFormat);

}  // namespace
