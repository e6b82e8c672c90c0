// Printing a batch: one job per cheque, recorded once it went out, a stop at the first
// failure and a retry that never prints a cheque twice; a saved PDF is the printed page.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "batch/BatchCheck.h"
#include "batch/BatchRun.h"
#include "batch/ChequePdf.h"
#include "platform/TextMeasure.h"
#include "print/ChequePage.h"
#include "print/QtPrinterService.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/CupsQueues.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

using namespace Qt::StringLiterals;

class BatchRuns : public testing::TestWithParam<bool> {  // true: a real print queue
protected:
    BatchRuns() {
        ChequeFormatStore::insert(env.db(), [] { ChequeFormat f; f.bankCode = u"MBB"_s; return f; }());
        ChequeNumberStore::setNext(env.db(), u"MBB"_s, u"000120"_s);
        env.printers.names = {u"Office"_s};
        for (int i = 1; i <= 5; ++i) rows.push_back({i + 1, u"Payee %1"_s.arg(i), u"%1.50"_s.arg(i * 100)});
    }
    // Reads the setup afresh and checks the rows, as the batch window does before a run.
    BatchRun::Outcome run(PrinterService& printer, const QString& pdf = {}) {
        const BatchSetup setup = BatchSetup::read(env.db(), {u"MBB"_s, QDate(2026, 12, 7), {}, u"dd/mm/yyyy"_s, true, false, &env.textMeasure});
        const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, setup);
        BatchRun batch(env.db(), env.clock, printer, setup);
        batch.askFeed = [this](const QString& prompt) { return prompts << prompt, true; };
        batch.starting = starting;
        return pdf.isEmpty() ? batch.print(rows, checked) : batch.saveAsPdf(rows, checked, pdf);
    }
    QStringList entries() {
        QStringList out;
        for (const RegisterEntry& e : RegisterStore::page(env.db(), {}, 0, 100))
            out.prepend(e.chequeNumber + u' ' + e.payee + u' ' + stateName(e.state) + u' ' + e.destination);
        return out;
    }
    TestEnv env;
    std::vector<BatchRow> rows;
    QStringList prompts;
    std::function<void(int, int)> starting;
};

// The fake printer fails the third job; the real queue is stopped before the third cheque.
TEST_P(BatchRuns, AJobFailingAtTheThirdChequeLeavesTwoEntriesAndTheRetryStartsThere) {
    const bool cups = GetParam();
    if (cups && !CupsQueues::unavailableReason().isEmpty()) GTEST_SKIP() << CupsQueues::unavailableReason().toStdString();
    if (cups && !CupsQueues::canAdminister()) GTEST_SKIP() << "stopping a queue needs root";
    const auto lock = cups ? std::make_unique<CupsQueues::Lock>() : nullptr;
    const QString queue = cups ? CupsQueues::namedQueue() : u"Office"_s;
    QtPrinterService service;
    if (cups) service.makeCurrent(static_cast<int>(service.printerNames().indexOf(queue)));
    PrinterService& printer = cups ? static_cast<PrinterService&>(service) : env.printers;
    env.printers.failEndOfDocument = 3;
    starting = [&](int ordinal, int) { if (cups && ordinal == 3) CupsQueues::run(u"cupsdisable"_s, {queue}); };
    std::shared_ptr<void> restart(nullptr, [&](void*) { if (cups) CupsQueues::run(u"cupsenable"_s, {queue}); });
    const qsizetype jobsBefore = cups ? CupsQueues::jobFiles(queue).size() : 0;

    const BatchRun::Outcome first = run(printer);
    EXPECT_EQ(first.done * 10 + first.failedRow, 22);
    EXPECT_TRUE(first.failure.startsWith(u"The cheque on line 4 (Payee 3, 300.50) was not printed: "_s)) << first.failure.toStdString();
    EXPECT_TRUE(cups || first.failure.endsWith(u": The printer is out of paper."_s));
    EXPECT_EQ(entries(), (QStringList{u"000120 PAYEE 1 printed "_s + queue, u"000121 PAYEE 2 printed "_s + queue}));
    EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
    // The printer works again: the retry prints rows 3 to 5 only, numbered on; the prompts count the whole batch.
    restart.reset();
    starting = nullptr;
    prompts.clear();
    EXPECT_EQ(run(printer).done, 3);
    EXPECT_EQ(entries().size(), 5);
    EXPECT_EQ(entries().last(), u"000124 PAYEE 5 printed "_s + queue);
    EXPECT_EQ(prompts, (QStringList{u"Insert cheque 4 of 5 (Payee 4, 400.50) and press Continue"_s,
                                    u"Insert cheque 5 of 5 (Payee 5, 500.50) and press Continue"_s}));
    EXPECT_EQ(run(printer).total, 0);  // nothing left to print
    for (int i = 0; cups && i < 50 && CupsQueues::jobFiles(queue).size() < jobsBefore + 5; ++i) QThread::msleep(100);
    EXPECT_EQ(cups ? CupsQueues::jobFiles(queue).size() - jobsBefore : env.printers.documentsEnded, 5);  // none twice
}

INSTANTIATE_TEST_SUITE_P(FakeAndCups, BatchRuns, testing::Values(false, true));

TEST_F(BatchRuns, SaveAllAsPdfRecordsEveryPageWithTheFileOrNothingWhenTheFileFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"run.pdf"_s), second = dir.filePath(u"second.pdf"_s);
    rows[4].payee.clear();  // not saved
    EXPECT_EQ(run(env.printers, path).done, 4);
    EXPECT_EQ(env.printers.callsOf(u"newPage"_s).size(), 3u);
    EXPECT_EQ(entries().filter(u"printed "_s + path).size(), 4);

    for (BatchRow& row : rows) row.printed = false;
    rows[4].payee = u"Payee 5"_s;
    env.printers.failEndWith = u"disk full"_s;
    EXPECT_EQ(run(env.printers, second).failure, u"The cheques were not saved: disk full"_s);
    EXPECT_EQ(entries().size(), 4);
    EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"run.pdf"_s});
}

class PdfEqualsPrint : public testing::TestWithParam<const char*> {};  // the orientation

TEST_P(PdfEqualsPrint, TheFileHoldsWhatTheQueueReceived) {
    if (!CupsQueues::unavailableReason().isEmpty()) GTEST_SKIP() << CupsQueues::unavailableReason().toStdString();
    CupsQueues::Lock lock;
    const bool landscapePage = *GetParam() == 'P';
    ChequeFormat f;
    f.orientation = QString::fromLatin1(GetParam());
    f.chequeLeft = landscapePage ? 433.5 : -120.25;
    f.chequeTop = 1200.75;
    f.dateType = 0;
    f.fields = {FieldGeometry{6360.4f, 360.6f, 2000.f}, {600.25f, 1440.75f, 7000.f}, {6240.5f, 1800.f, 2500.f},
                {720.f, 1920.33f, 5000.f}, {240.8f, 2400.2f, 8000.f}};  // date, payee, amount, two word lines
    f.fonts = {FontSpec{}, {u"Arial"_s, 12.0f, true}, {u"Times New Roman"_s, 14.5f, false}, {}, {u"Courier New"_s, 8.0f, true}};
    const ChequePage::Content content{u"Zürich Traders, Ltd"_s, u"1,234.50"_s,
        u"One Thousand Two Hundred Thirty Four And Cents Fifty Only."_s, QDate(2026, 12, 24), true, u"dd mmm yyyy"_s};
    const FieldLabelSet labels = ChequePage::labels(f, content, ScreenTextMeasure());

    QtPrinterService service;
    const QString queue = CupsQueues::namedQueue();
    service.makeCurrent(static_cast<int>(service.printerNames().indexOf(queue)));
    const QStringList before = CupsQueues::jobFiles(queue);
    ChequePage::draw(service, f, labels, true);
    EXPECT_EQ(service.endDocument().destination, queue);
    const QString job = CupsQueues::waitForNewJob(queue, before);
    ASSERT_FALSE(job.isEmpty()) << "the queue kept no job";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"MBB-000123-Zürich.pdf"_s);
    ChequePdf::write(service, pdf, 1, [&](int) { ChequePage::draw(service, f, labels, true); });

    const PdfWords printed = PdfWords::read(job), saved = PdfWords::read(pdf);
    ASSERT_TRUE(printed.ok && saved.ok) << printed.error.toStdString() << saved.error.toStdString();
    EXPECT_TRUE(std::abs(saved.pageWidth - printed.pageWidth) + std::abs(saved.pageHeight - printed.pageHeight) < 0.01);
    EXPECT_EQ(saved.pageWidth > saved.pageHeight, landscapePage);
    ASSERT_TRUE(saved.words.size() == printed.words.size() && saved.words.size() >= 12u) << saved.words.size();
    for (size_t i = 0; i < saved.words.size(); ++i) {
        const PdfWords::Word &a = saved.words[i], &b = printed.words[i];
        EXPECT_TRUE(a.text == b.text && std::max({std::abs(a.xMin - b.xMin), std::abs(a.yMin - b.yMin),
                    std::abs(a.xMax - b.xMax), std::abs(a.yMax - b.yMax)}) < 0.01) << a.text.toStdString();
    }
    // The payee sits at its field plus the cheque's offsets, from the printable area.
    const PdfWords::Word* payee = saved.find(u"ZÜRICH"_s);
    ASSERT_NE(payee, nullptr);
    EXPECT_NEAR(payee->xMin, service.printableMargins().left() + (600.25 + f.chequeLeft) / 20.0, 0.5);

    QProcess fonts;  // pdffonts: name, type, encoding, then emb, sub, uni, object and generation
    fonts.start(u"pdffonts"_s, {pdf});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QString faces = QString::fromUtf8(fonts.readAllStandardOutput());
    EXPECT_GE(faces.count(QRegularExpression(u"\\s(yes|no)(\\s+(yes|no)){2}\\s+\\d+\\s+\\d+\n"_s)), 3) << faces.toStdString();
    EXPECT_FALSE(faces.contains(QRegularExpression(u"\\sno(\\s+(yes|no)){2}\\s+\\d+\\s+\\d+\n"_s))) << faces.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Orientations, PdfEqualsPrint, testing::Values("L", "P"));

}  // namespace
