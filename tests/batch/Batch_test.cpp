#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include "batch/BatchCheck.h"
#include "batch/BatchFile.h"
#include "batch/BatchRun.h"
#include "batch/ChequePdf.h"
#include "print/QtPrinterService.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/CupsQueues.h"
#include "support/PdfWords.h"
#include "support/TestEnv.h"

namespace {

using namespace Qt::StringLiterals;

// A file read: rows as "line:payee|amount|date|bank|number" joined by " / ", or "#line" refused whole.
TEST(BatchFile, QuotesSeparatorsLineEndsAndColumnsByNameOrTheWholeFileRefused) {
    const std::pair<QByteArray, const char*> cases[] = {
        {"\xEF\xBB\xBFpayee,amount\r\nA,1\r\n", "2:A|1|||"},
        {"payee,amount\nA,1\nB,2", "2:A|1||| / 3:B|2|||"}, {"payee,amount\rA,1\rB,2\r", "2:A|1||| / 3:B|2|||"},
        {"payee,amount\n\"Smith, \"\"Jr\"\" Ltd\",\"1,234.50\"\n", "2:Smith, \"Jr\" Ltd|1,234.50|||"},
        {"payee,amount\n\"two\r\nlines\",1\n\"x\ny\",2\nlast,3\n", "2:two\r\nlines|1||| / 4:x\ny|2||| / 6:last|3|||"},
        {"\n\npayee;amount\n\"A;B\";1,50\n", "4:A;B|1,50|||"}, {"payee,amount,x;y;z\nA,1,2;3;4\n", "2:A|1|||"},
        {"payee,amount\n\n , \n,,\r\n\r\nc,d\n", "6:c|d|||"}, {"payee,amount,date\n\"\",x,\n", "2:|x|||"},
        {"Memo,NUMBER,Amount,Bank,date,PAYEE\nm, 0042 ,12,MBB,2026-12-24, ACME \n", "2:ACME|12|2026-12-24|MBB|0042"},
        {"payee,amount,bank\nBob\n", "2:Bob||||"}, {"payee,amount\nok,1\nZ\xFCrich,2\n", "#3"},
        {"payee,amount\nZ\xC3\xBCrich \xE5\x8C\x97,1\n", "2:Z\xC3\xBCrich \xE5\x8C\x97|1|||"},
        {"payee,amount\n\xC0\xAF,1\n", "#2"}, {"payee,amount\nx,\xE2\x82", "#2"},
        {QByteArray("payee,amount\nx,1\n\0,2\n", 21), "#3"}, {"payee,amount\nx,1\n\"never closed,2\nmore\n", "#3"},
        {"payee,amount\n\"x\"y,1\n", "#2"}, {"payee,sum\nA,1\n", "#1"}, {"\nname,amount\nA,1\n", "#2"}, {"", "#1"}};
    for (const auto& [bytes, read] : cases) {
        const BatchFile::Result r = BatchFile::read(bytes);
        QStringList rows;
        for (const BatchRow& b : r.rows)
            rows << u"%1:"_s.arg(b.line) + QStringList{b.payee, b.amount, b.date, b.bank, b.number}.join(u'|');
        const bool named = r.rows.empty() && r.error.startsWith(u"Line %1"_s.arg(r.errorLine));
        EXPECT_EQ(r.ok ? rows.join(u" / "_s) : named ? u"#%1"_s.arg(r.errorLine) : r.error, QString::fromUtf8(read));
    }
}

struct Batch : testing::TestWithParam<bool> {  // true: a real print queue
    Batch() {
        for (ChequeFormat f : {ChequeFormat{.bankCode = u"MBB"_s}, {.bankCode = u"XYZ"_s, .amountLanguage = 2}})
            f.fields[FieldWord1].width = 3000, f.fonts[FieldWord1].size = 10, ChequeFormatStore::insert(env.db(), f);
        ChequeNumberStore::setNext(env.db(), u"MBB"_s, u"000099"_s);
        env.printers.names = {u"Office"_s}, env.printers.failEndOfDocument = 3;
        for (int i = 1; i <= 5; ++i) rows.push_back({i + 1, u"Payee %1"_s.arg(i), u"%1.50"_s.arg(i * 100)});
    }
    BatchSetup setup() { return BatchSetup::read(env.db(), {u"MBB"_s, QDate(2026, 12, 7), u"dd/MM/yy"_s,
                                                           u"dd/mm/yyyy"_s, true, false, &env.textMeasure}); }
    BatchRun::Outcome run(PrinterService& printer, const QString& pdf = {}, std::function<void(int, int)> start = {}) {
        const BatchSetup s = setup();
        const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, s);
        BatchRun batch(env.db(), env.clock, printer, s);
        batch.askFeed = [this](const QString& prompt) { return prompts << prompt, true; };
        batch.starting = std::move(start);
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
};

// Rows checked as in the main window; numbers follow the next one, skip those the file names, never repeat.
TEST_F(Batch, EveryRuleOfTheMainWindowAndNumbersThatNeverRepeat) {
    const auto limit = u"Invalid amount. Amount can't exceed trillion value."_s, notDate = u"\" is not a date."_s;
    const auto digits = u"The cheque number must be 1 to 12 digits."_s, noName = u"No emtpy Pay To field is allowed."_s;
    const std::pair<const char*, QString> cases[] = {  // payee;amount;date;bank;number -> amount|bank|number|problem
        {"A;1", u"1.00|MBB|000099|"_s},
        {"B;1;;;000100", u"1.00|MBB|000100|Cheque number 000100 of MBB was already used."_s}, {"C;1", u"1.00|MBB||"_s},
        {"D;x", u"x|MBB||Invalid amount."_s}, {"E;1", u"1.00|MBB|000102|"_s}, {"F;1;;;000101", u"1.00|MBB|000101|"_s},
        {"G;1;;mbb", u"1.00|MBB|000103|"_s}, {"  ;5", u"5.00|MBB||"_s + noName},
        {"H;1;;;000101", u"1.00|MBB|000101|Cheque number 000101 of MBB is also on line 7."_s},
        {";x;;ZZZ", u"x|||"_s + noName + u" Invalid amount. Unknown bank code \"ZZZ\"."_s},
        {"P;999999999999.995", u"1,000,000,000,000.00|MBB||"_s + limit}, {"I;1;;;12a", u"1.00|MBB|12a|"_s + digits},
        {"J;1;;;0000000000001", u"1.00|MBB|0000000000001|"_s + digits}, {"L; 1234.565 ;;XYZ", u"1,234.57|XYZ||"_s},
        {"O;1000000000000", u"1,000,000,000,000.00|MBB||"_s + limit}, {"K;.5;2026-12-24;xyz", u"0.50|XYZ||"_s},
        {"T;5;2026-02-30", u"5.00|MBB||\"2026-02-30"_s + notDate}, {"S;5;;ZZZ", u"5.00|||Unknown bank code \"ZZZ\"."_s},
        {"U;5;24.12.2026", u"5.00|MBB||\"24.12.2026"_s + notDate}, {"Q", u"|MBB||No empty Amount field is allowed."_s},
        {"V;5;24/12/26", u"5.00|MBB|000104|"_s}, {"R;-5", u"-5|MBB||Invalid amount."_s}};
    BatchSetup s = setup(); s.usedNumbers[u"MBB"_s].insert(u"000100"_s, u"used"_s);
    rows.resize(std::size(cases));
    for (size_t i = 0; i < rows.size(); ++i) {  // the row of line 4 is left out
        const QStringList c = QString::fromUtf8(cases[i].first).split(u';');
        rows[i] = {int(i) + 2, c.value(0), c.value(1), c.value(2), c.value(3), c.value(4), i != 2};
    }
    const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, s);
    for (size_t i = 0; i < rows.size(); ++i) {  // the words are spelled whenever the amount and the bank allow it
        const CheckedRow& c = checked[i];
        EXPECT_EQ(c.amount + u'|' + c.bankCode + u'|' + c.number + u'|' + c.reason(), cases[i].second);
        EXPECT_EQ(c.words.isEmpty(), c.bankCode.isEmpty() || c.problem.contains(u"mount"_s)) << cases[i].first;
    }
    EXPECT_EQ(checked[0].lines.line1 + u'|' + checked[0].lines.line2 + u'|' + checked[15].words,
              u" ONE ONLY.||Sen Lima Puluh Sahaja."_s);
}

// The fake printer fails the third job; the real queue is stopped before the third cheque.
TEST_P(Batch, AJobFailingAtTheThirdChequeLeavesTwoEntriesAndTheRetryStartsThere) {
    const bool cups = GetParam();
    if (cups && (!CupsQueues::unavailableReason().isEmpty() || !CupsQueues::canAdminister()))
        GTEST_SKIP() << "stopping a queue needs it set up and root: " << CupsQueues::unavailableReason().toStdString();
    const auto lock = cups ? std::make_unique<CupsQueues::Lock>() : nullptr;
    const QString queue = cups ? CupsQueues::namedQueue() : u"Office"_s;
    QtPrinterService service;
    if (cups) service.makeCurrent(static_cast<int>(service.printerNames().indexOf(queue)));
    PrinterService& printer = cups ? static_cast<PrinterService&>(service) : env.printers;
    const auto stopAtThird = [&](int n, int) { if (cups && n == 3) CupsQueues::run(u"cupsdisable"_s, {queue}); };
    std::shared_ptr<void> restart(nullptr, [&](void*) { if (cups) CupsQueues::run(u"cupsenable"_s, {queue}); });
    const qsizetype jobsBefore = cups ? CupsQueues::jobFiles(queue).size() : 0;
    const BatchRun::Outcome first = run(printer, {}, stopAtThird);
    EXPECT_TRUE(first.done == 2 && first.failedRow == 2 &&
                first.failure.startsWith(u"The cheque on line 4 (Payee 3, 300.50) was not printed: "_s) &&
                (cups || first.failure.endsWith(u": The printer is out of paper."_s))) << first.failure.toStdString();
    EXPECT_EQ(entries(), (QStringList{u"000099 PAYEE 1 printed "_s + queue, u"000100 PAYEE 2 printed "_s + queue}));
    restart.reset(), prompts.clear();  // the retry prints rows 3 to 5 only, numbered on; prompts count the whole batch
    EXPECT_EQ(run(printer).done, 3);
    EXPECT_EQ(entries().mid(4), QStringList{u"000103 PAYEE 5 printed "_s + queue});
    EXPECT_EQ(prompts, (QStringList{u"Insert cheque 4 of 5 (Payee 4, 400.50) and press Continue"_s,
                                    u"Insert cheque 5 of 5 (Payee 5, 500.50) and press Continue"_s}));
    EXPECT_EQ(run(printer).total, 0);  // nothing left to print
    for (int i = 0; cups && i < 50 && CupsQueues::jobFiles(queue).size() < jobsBefore + 5; ++i) QThread::msleep(100);
    EXPECT_EQ(cups ? CupsQueues::jobFiles(queue).size() - jobsBefore : env.printers.documentsEnded, 5);  // none twice
}

INSTANTIATE_TEST_SUITE_P(FakeAndCups, Batch, testing::Values(false, true));

TEST_F(Batch, SaveAllAsPdfRecordsEveryPageWithTheFileOrNothingWhenTheFileFailsUnderASafeName) {
    QTemporaryDir dir;
    env.printers.failEndWith = u"disk full"_s;
    EXPECT_EQ(run(env.printers, dir.filePath(u"failed.pdf"_s)).failure, u"The cheques were not saved: disk full"_s);
    EXPECT_TRUE(entries().isEmpty() && QDir(dir.path()).isEmpty(QDir::Files | QDir::Hidden));  // nor any partial file
    env.printers.failEndWith.clear(), rows[4].payee.clear();  // that row is not saved
    EXPECT_EQ(run(env.printers, dir.filePath(u"run.pdf"_s)).done, 4);
    EXPECT_EQ(entries().filter(u"printed "_s + dir.filePath(u"run.pdf"_s)).size(), 4);
    EXPECT_EQ(ChequePdf::suggestedName(u"MBB"_s, u"7"_s, u" A/B \\ C: \"D\" <E> | F? *\nZürich\tLtd... "_s),
              u"MBB-7-A_B _ C_ _D_ _E_ _ F_ __Zürich_Ltd.pdf"_s);
}

// A cheque saved as PDF is the page the queue received: the same words within 0.01 pt, with the fonts embedded.
TEST_F(Batch, ASavedPdfHoldsWhatTheQueueReceivedInEitherOrientation) {
    if (!CupsQueues::unavailableReason().isEmpty()) GTEST_SKIP() << CupsQueues::unavailableReason().toStdString();
    const CupsQueues::Lock lock;
    QtPrinterService service;
    service.makeCurrent(static_cast<int>(service.printerNames().indexOf(CupsQueues::namedQueue())));
    for (const QString& orientation : {u"L"_s, u"P"_s}) {
        ChequeFormat f{.bankCode = orientation, .orientation = orientation, .chequeTop = 1200.75,
                       .chequeLeft = orientation == u"P"_s ? 433.5 : -120.25};
        f.fields = {FieldGeometry{6360.4f, 360.6f, 2000.f}, {600.25f, 1440.75f, 7000.f}, {6240.5f, 1800.f, 2500.f},
                    {720.f, 1920.33f, 5000.f}, {240.8f, 2400.2f, 8000.f}};  // date, payee, amount, two word lines
        f.fonts = {FontSpec{}, {u"Arial"_s, 12, true}, {u"Times New Roman"_s, 14.5f}, {}, {u"Courier New"_s, 8, true}};
        ChequeFormatStore::insert(env.db(), f);
        rows = {{2, u"Zürich Traders, Ltd"_s, u"1234.5"_s, u"2026-12-24"_s, orientation, u"000001"_s}};
        const QStringList before = CupsQueues::jobFiles(CupsQueues::namedQueue());
        ASSERT_EQ(run(service).done, 1);
        const QString job = CupsQueues::waitForNewJob(CupsQueues::namedQueue(), before);
        const QString pdf = env.directory() + u'/' + orientation + u".pdf"_s;
        rows[0].printed = false, rows[0].number = u"000002"_s;  // the page shows no number
        ASSERT_EQ(run(service, pdf).done, 1);
        const PdfWords sent = PdfWords::read(job), saved = PdfWords::read(pdf);
        ASSERT_TRUE(sent.ok && saved.ok) << sent.error.toStdString() << saved.error.toStdString();
        EXPECT_TRUE(std::abs(saved.pageWidth - sent.pageWidth) + std::abs(saved.pageHeight - sent.pageHeight) < 0.01 &&
                    (saved.pageWidth > saved.pageHeight) == (orientation == u"P"_s));
        ASSERT_TRUE(saved.words.size() == sent.words.size() && saved.words.size() >= 12u) << saved.words.size();
        for (size_t i = 0; i < saved.words.size(); ++i) {
            const PdfWords::Word &a = saved.words[i], &b = sent.words[i];
            EXPECT_TRUE(a.text == b.text && std::max({std::abs(a.xMin - b.xMin), std::abs(a.yMin - b.yMin),
                        std::abs(a.xMax - b.xMax), std::abs(a.yMax - b.yMax)}) < 0.01) << a.text.toStdString();
        }
        QProcess fonts;
        ASSERT_TRUE((fonts.start(u"pdffonts"_s, {pdf}), fonts.waitForFinished(30000)));
        const QString faces = QString::fromUtf8(fonts.readAllStandardOutput());
        const QString rest = u"(\\s+(yes|no)){2}\\s+\\d+\\s+\\d+\n"_s;  // after emb: sub, uni, object, generation
        EXPECT_GE(faces.count(QRegularExpression(u"\\s(yes|no)"_s + rest)), 3) << faces.toStdString();
        EXPECT_FALSE(faces.contains(QRegularExpression(u"\\sno"_s + rest))) << faces.toStdString();
    }
}

}  // namespace
