#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "batch/BatchCheck.h"
#include "batch/BatchFile.h"
#include "batch/BatchRun.h"
#include "print/QtPrinterService.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "platform/TextMeasure.h"
#include "store/LanguageStore.h"
#include "support/TestEnv.h"

namespace {

ChequeFormat benchFormat(const QString& code, int language) {
    ChequeFormat f;
    f.bankCode = code;
    f.bankName = code + QStringLiteral(" Bank");
    f.amountLanguage = language;
    f.fields.at(FieldWord1).width = 9000;
    f.fonts.at(FieldWord1) = {QStringLiteral("Arial"), 10.0f, true};
    return f;
}

// A supplier run as a spreadsheet exports it: quoted payees with commas, every
// optional column, two banks.
QByteArray supplierRun(int rows) {
    QByteArray bytes = "Payee,Amount,Date,Bank,Number,Memo\r\n";
    for (int i = 0; i < rows; ++i)
        bytes += "\"Supplier " + QByteArray::number(i) + ", Ltd\",\"" +
                 QByteArray::number(1000 + i * 7919 % 900000) + "." +
                 QByteArray::number(10 + i % 90) + "\",2026-12-" +
                 QByteArray::number(10 + i % 18) + "," + (i % 3 ? "MBB" : "XYZ") + ",,\"invoice " +
                 QByteArray::number(i) + "\"\r\n";
    return bytes;
}

// Reading and checking a file of 10,000 cheques with the screen's font metrics,
// as the batch window's worker does (the word tables are read beforehand).
void BM_BatchReadAndCheck10000(benchmark::State& state) {
    TestEnv env;
    const ScreenTextMeasure measure;
    BatchSetup setup;
    setup.formats = {benchFormat(QStringLiteral("MBB"), 1), benchFormat(QStringLiteral("XYZ"), 2)};
    for (const Language& language : LanguageStore::list(env.db()))
        setup.wordsByLanguage.insert(language.id, AmountWordTable::load(env.db(), language.id));
    setup.defaultBankCode = QStringLiteral("MBB");
    setup.today = QDate(2026, 12, 7);
    setup.measure = &measure;
    setup.nextNumbers.insert(QStringLiteral("MBB"), QStringLiteral("000001"));
    setup.nextNumbers.insert(QStringLiteral("XYZ"), QStringLiteral("500001"));
    const QByteArray bytes = supplierRun(10000);
    for (auto _ : state) {
        const BatchFile::Result file = BatchFile::read(bytes);
        const std::vector<CheckedRow> checked = BatchCheck::checkAll(file.rows, setup);
        if (checked.size() != 10000 || !checked.back().printable())
            state.SkipWithError("the run did not check cleanly");
        benchmark::DoNotOptimize(checked.data());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_BatchReadAndCheck10000)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

struct RunFixture {
    TestEnv env;
    ScreenTextMeasure measure;
    BatchSetup setup;
    std::vector<BatchRow> rows;
    std::vector<CheckedRow> checked;

    explicit RunFixture(int count) {
        ChequeFormat f = benchFormat(QStringLiteral("MBB"), 1);
        f.fields.at(FieldDate) = {6360.f, 360.f, 2000.f};
        f.fields.at(FieldRecipient) = {600.f, 1440.f, 7000.f};
        f.fields.at(FieldAmount) = {6240.f, 1800.f, 2500.f};
        f.fields.at(FieldWord1) = {720.f, 1920.f, 9000.f};
        f.fields.at(FieldWord2) = {240.f, 2400.f, 9000.f};
        ChequeFormatStore::insert(env.db(), f);
        ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000001"));
        const BatchFile::Result file = BatchFile::read(supplierRun(count));
        rows = file.rows;
        for (BatchRow& row : rows) row.bank = QStringLiteral("MBB"), row.number.clear();
        BatchSetup::Choices choices;
        choices.defaultBankCode = QStringLiteral("MBB");
        choices.today = QDate(2026, 12, 7);
        choices.dateStyle = QStringLiteral("dd mmm yyyy");
        choices.measure = &measure;
        setup = BatchSetup::read(env.db(), choices);
        checked = BatchCheck::checkAll(rows, setup);
    }
};

// 300 cheques to one PDF file, every page recorded in the register.
void BM_Batch300ToOnePdf(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        RunFixture fixture(300);
        QTemporaryDir dir;
        QtPrinterService printer(QtPrinterService::PdfFile{dir.filePath(QStringLiteral("unused.pdf")), {}});
        BatchRun run(fixture.env.db(), fixture.env.clock, printer, fixture.setup);
        state.ResumeTiming();
        const BatchRun::Outcome outcome =
            run.saveAsPdf(fixture.rows, fixture.checked, dir.filePath(QStringLiteral("run.pdf")));
        if (outcome.done != 300) state.SkipWithError(qPrintable(outcome.failure));
    }
    state.SetItemsProcessed(state.iterations() * 300);
}
BENCHMARK(BM_Batch300ToOnePdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// One cheque saved as PDF the way the preview saves it: one page, recorded.
void BM_OneChequeSavedAsPdf(benchmark::State& state) {
    RunFixture fixture(1);
    QTemporaryDir dir;
    QtPrinterService printer(QtPrinterService::PdfFile{dir.filePath(QStringLiteral("unused.pdf")), {}});
    BatchRun run(fixture.env.db(), fixture.env.clock, printer, fixture.setup);
    int n = 0;
    for (auto _ : state) {
        fixture.rows[0].printed = false;
        fixture.rows[0].number = QString::number(++n);
        state.PauseTiming();
        fixture.checked = BatchCheck::checkAll(fixture.rows, fixture.setup);
        state.ResumeTiming();
        const BatchRun::Outcome outcome =
            run.saveAsPdf(fixture.rows, fixture.checked, dir.filePath(QStringLiteral("one.pdf")));
        if (outcome.done != 1) state.SkipWithError(qPrintable(outcome.failure));
    }
}
BENCHMARK(BM_OneChequeSavedAsPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// 300 cheques through a raw queue of the local print system, one job each; the
// same run with every job written to a file instead gives the share of the time
// spent waiting for the print system.
void runThroughQueue(benchmark::State& state, bool toFile) {
    const QString queue = QStringLiteral("Quorvanta_Cheque");
    for (auto _ : state) {
        state.PauseTiming();
        RunFixture fixture(300);
        QtPrinterService printer;
        const qsizetype index = printer.printerNames().indexOf(queue);
        if (index < 0) {
            state.SkipWithError("no Quorvanta_Cheque queue (scripts/setup-cups.sh)");
            break;
        }
        printer.makeCurrent(static_cast<int>(index));
        QTemporaryDir dir;
        if (toFile) printer.setOutputFile(dir.filePath(QStringLiteral("job.pdf")));
        BatchRun run(fixture.env.db(), fixture.env.clock, printer, fixture.setup);
        state.ResumeTiming();
        const BatchRun::Outcome outcome = run.print(fixture.rows, fixture.checked);
        if (outcome.done != 300) state.SkipWithError(qPrintable(outcome.failure));
    }
    state.SetItemsProcessed(state.iterations() * 300);
}
void BM_Batch300ThroughRawQueue(benchmark::State& state) { runThroughQueue(state, false); }
void BM_Batch300AsFilesNoQueue(benchmark::State& state) { runThroughQueue(state, true); }
BENCHMARK(BM_Batch300ThroughRawQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Batch300AsFilesNoQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
