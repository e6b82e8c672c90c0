// Baselines measured in the same run as the program's figures.
#include <benchmark/benchmark.h>

#include <QDialog>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "store/CompanyStore.h"
#include "store/Transaction.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"

namespace {

// An empty dialog shown and closed through the same modal path as the windows.
void BM_Baseline_EmptyDialogOpen(benchmark::State& state) {
    TestEnv env;
    for (auto _ : state) {
        QDialog dialog;
        dialog.resize(400, 300);
        env.dialogs.showModal(&dialog);
    }
}
BENCHMARK(BM_Baseline_EmptyDialogOpen)->Unit(benchmark::kMillisecond);

// One line of text printed to a PDF file with Qt alone.
void BM_Baseline_PdfOneLine(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("line.pdf")));
        QPainter painter(&printer);
        painter.drawText(100, 100, QStringLiteral("123,456,789.00"));
        painter.end();
    }
}
BENCHMARK(BM_Baseline_PdfOneLine)->Unit(benchmark::kMillisecond);

// Reading one language's 107 word rows, without spelling anything.
void BM_Baseline_WordTableRead(benchmark::State& state) {
    TestEnv env;
    for (auto _ : state) {
        auto query = env.db().prepare(
            QStringLiteral("SELECT * FROM AmountWord WHERE LanguageID = ? ORDER BY Type"));
        query.bind(1, 1);
        int rows = 0;
        while (query.step()) ++rows;
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Baseline_WordTableRead)->Unit(benchmark::kMicrosecond);

// Opening the options window over many payees (shown and closed).
void BM_OptionsOpen(benchmark::State& state) {
    TestEnv env;
    {
        Transaction t(env.db());
        for (int i = 0; i < state.range(0); ++i) {
            env.db()
                .prepare(QStringLiteral("INSERT INTO Company (Name) VALUES (?)"))
                .bind(1, QStringLiteral("Payee %1").arg(i, 5, 10, QLatin1Char('0')))
                .execute();
        }
        t.commit();
    }
    MainWindow main(env.context);
    main.load();
    for (auto _ : state) {
        env.dialogs.onNextModal([](QDialog* dialog) { dialog->reject(); });
        main.openOptions();
    }
}
BENCHMARK(BM_OptionsOpen)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
