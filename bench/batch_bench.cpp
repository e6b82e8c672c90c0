#include <benchmark/benchmark.h>

#include "batch/BatchCheck.h"
#include "batch/BatchFile.h"
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
