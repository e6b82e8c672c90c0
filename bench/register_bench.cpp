#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include "print/ChequeRecorder.h"
#include "register/RegisterTableModel.h"
#include "store/RegisterStore.h"
#include "support/RegisterFill.h"
#include "support/TestEnv.h"
#include "ui/register/RegisterWindow.h"

namespace {

// One database per register size, filled once for every benchmark of the run.
TestEnv& registerOf(int entries) {
    static std::map<int, std::unique_ptr<TestEnv>> envs;
    auto& env = envs[entries];
    if (!env) {
        env = std::make_unique<TestEnv>();
        fillRegister(env->db(), entries);
        env->reopen();
    }
    return *env;
}

// The newest page of the register, as the window's model reads it.
void BM_RegisterFirstPage(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    RegisterTableModel model(env.db(), nullptr);
    for (auto _ : state) {
        model.setFilter({});
        benchmark::DoNotOptimize(model.rowCount());
    }
}
BENCHMARK(BM_RegisterFirstPage)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// A filter change: one bank and a payee text, first page and foot total.
void BM_RegisterFilterChange(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    RegisterTableModel model(env.db(), nullptr);
    RegisterFilter filter;
    filter.bankCode = QStringLiteral("HSB");
    filter.payeeContains = QStringLiteral("acme");
    for (auto _ : state) {
        model.setFilter(filter);
        benchmark::DoNotOptimize(RegisterStore::printedTotal(env.db(), filter));
    }
}
BENCHMARK(BM_RegisterFilterChange)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// The foot total of every printed entry.
void BM_RegisterTotal(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(RegisterStore::printedTotal(env.db(), {}));
}
BENCHMARK(BM_RegisterTotal)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// Recording one cheque: the pending write, a job that the fake takes at once,
// and the printed write (each a synced transaction).
void BM_RecordCheque(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    ChequeRecorder recorder(env.db(), env.clock);
    RegisterEntry cheque;
    cheque.bankCode = QStringLiteral("MBB");
    cheque.chequeNumber = QStringLiteral("900001");
    cheque.payee = QStringLiteral("Bench Payee");
    cheque.amountCents = 123450;
    cheque.amountText = QStringLiteral("1,234.50");
    for (auto _ : state)
        recorder.record(cheque, [] { return PrintReceipt{QStringLiteral("Office-Laser"), 1, true}; });
}
BENCHMARK(BM_RecordCheque)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// The register window from construction to its first rows painted.
void BM_RegisterWindowOpen(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RegisterWindow window(env.context);
        window.load();
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.findChild<QTableView*>()->model()->rowCount());
        window.close();
    }
}
BENCHMARK(BM_RegisterWindowOpen)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

// A payee filter typed into the open window: new first page and foot total.
void BM_RegisterWindowFilter(benchmark::State& state) {
    TestEnv& env = registerOf(static_cast<int>(state.range(0)));
    RegisterWindow window(env.context);
    window.load();
    window.show();
    auto* payee = window.findChild<QLineEdit*>(QStringLiteral("txtFilterPayee"));
    bool flip = false;
    for (auto _ : state) {
        payee->setText((flip = !flip) ? QStringLiteral("acme") : QStringLiteral("payee 1"));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RegisterWindowFilter)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
