#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

#include "core/ChequeFormat.h"
#include "store/ChequeFormatStore.h"
#include "platform/TextMeasure.h"
#include "print/QtPrinterService.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "ui/preview/PrintPreviewDialog.h"
#include "support/Widgets.h"

namespace {

// The main window with a cheque written on a format of the new-format layout, the
// screen's text measure and a printer service: the PDF-file variant (range 0) or
// the print system's printers (range 1, asked through CUPS).
struct PreviewSetup {
    TestEnv env;
    ScreenTextMeasure measure;
    QTemporaryDir dir;
    std::unique_ptr<QtPrinterService> printers;
    std::unique_ptr<MainWindow> main;

    explicit PreviewSetup(bool systemPrinters) {
        ChequeFormat f;
        f.bankName = QStringLiteral("Bench Bank");
        f.bankCode = QStringLiteral("BB");
        f.printerName = systemPrinters ? QStringLiteral("[Default]") : QStringLiteral("PDF");
        f.chequeTop = 120.5;
        f.chequeLeft = 60.25;
        f.dateType = 2;
        for (int i = 0; i < kFieldCount; ++i) {
            f.fields[static_cast<size_t>(i)] = {240.0f + 300 * i, 360.0f + 200 * i, 1695};
        }
        f.fields[FieldWord1].width = 5295;
        ChequeFormatStore::insert(env.db(), f);

        printers = systemPrinters
                       ? std::make_unique<QtPrinterService>()
                       : std::make_unique<QtPrinterService>(QtPrinterService::PdfFile{
                             dir.filePath(QStringLiteral("cheque.pdf")), QMarginsF(12, 12, 12, 12)});
        env.context.printers = printers.get();
        env.context.textMeasure = &measure;

        main = std::make_unique<MainWindow>(env.context);
        main->load();
        setSetting(*main, &UserSettings::clearData, 0);
        widget<QComboBox>(main, "cboRecipient")->setEditText(QStringLiteral("Northwind Trading Company"));
        widget<QLineEdit>(main, "txtAmount")->setText(QStringLiteral("987,654,321.99"));
        widget<QCheckBox>(main, "chkPrintDate")->setChecked(true);
    }
};

// From the main window's Print to the preview shown and ready (then closed).
void BM_PreviewOpen(benchmark::State& state) {
    PreviewSetup setup(state.range(0) != 0);
    for (auto _ : state) {
        setup.env.dialogs.onNextModal([](QDialog* dialog) { dialog->reject(); });
        setup.main->print();
    }
    if (!setup.env.dialogs.messages.empty()) state.SkipWithError("the preview showed a message");
}
BENCHMARK(BM_PreviewOpen)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The preview's Print: printer selection, the page drawn and written to the PDF
// file, the printer restored, the payee checked, the preview closed.
void BM_PreviewPrintToPdf(benchmark::State& state) {
    PreviewSetup setup(false);
    for (auto _ : state) {
        double seconds = 0;
        setup.env.dialogs.onNextModal([&seconds](QDialog* dialog) {
            QElapsedTimer timer;
            timer.start();
            static_cast<PrintPreviewDialog*>(dialog)->print();
            seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        });
        setup.main->print();
        state.SetIterationTime(seconds);
    }
    if (QFileInfo(setup.dir.filePath(QStringLiteral("cheque.pdf"))).size() <= 0 ||
        !setup.env.dialogs.messages.empty())
        state.SkipWithError("the job did not reach the PDF file");
}
BENCHMARK(BM_PreviewPrintToPdf)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
