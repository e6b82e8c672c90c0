#include "PrivateCups.h"

#include <QThread>

#include "print/QtPrinterService.h"
#include "support/CupsQueues.h"
#include "support/QStringPrinter.h"
#include "ui/preview/PreviewFixture.h"
#include "support/Widgets.h"

// The print system failing under the print preview: every failure shows one clear
// message, leaves the preview open with its cheque as it was, stores no payee and
// clears nothing; once the fault is gone, Print in the same preview prints.
namespace {

// What must not change when a print fails.
struct Unchanged {
    QString payee, amount;
    int payees = 0;
    QStringList captions;
    std::vector<float> lefts, tops;

    bool operator==(const Unchanged&) const = default;
};

class PrintFaultBase : public PreviewFixture {
protected:
    void openMainForPrint() {
        openMain();
        setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
        setSetting(*main, &UserSettings::clearData, 1);
        setSetting(*main, &UserSettings::saveChange, 1);
    }

    void useFormatPrinter(const QString& printer) {
        ChequeFormat f = testFormat();
        f.printerName = printer;
        storeFormat(f);
    }

    Unchanged snapshot(PrintPreviewDialog& p) {
        Unchanged u;
        u.payee = widget<QComboBox>(main, "cboRecipient")->currentText();
        u.amount = widget<QLineEdit>(main, "txtAmount")->text();
        u.payees = payeeCount();
        for (int i = 0; i < kFieldCount; ++i) {
            u.captions << p.labels()[i].caption << chequeLabel(p, i)->text();
            u.lefts.push_back(p.labels()[i].left);
            u.tops.push_back(p.labels()[i].top);
        }
        return u;
    }

    // A message start with %1 standing for the printer.
    static QString messageFor(const char* start, const QString& printer) {
        const QString text = QString::fromLatin1(start);
        return text.contains(QStringLiteral("%1")) ? text.arg(printer) : text;
    }

    void expectOneError(const QString& start) {
        ASSERT_EQ(env.dialogs.messages.size(), 1u)
            << env.dialogs.texts().join(QLatin1Char('|')).toStdString();
        const FakeDialogs::Shown& shown = env.dialogs.messages[0];
        EXPECT_TRUE(shown.text.startsWith(start))
            << "shown: " << shown.text.toStdString() << "\nexpected: " << start.toStdString();
        EXPECT_EQ(shown.title, QStringLiteral("Error"));
        EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(shown.buttons, Dialogs::Buttons::Ok);
    }
};

// ------------------------------------------------ with the recording printer

enum class FakeFault { PrinterRemoved, AllPrintersGone, DefaultRemoved, PageNotSent };

struct FakeCase {
    const char* name;
    const char* formatPrinter;
    FakeFault fault;
    const char* message;  // how the message starts; %1 is the printer
};

void PrintTo(const FakeCase& c, std::ostream* os) { *os << c.name; }

class PrintFaultsFake : public PrintFaultBase, public testing::WithParamInterface<FakeCase> {};

TEST_P(PrintFaultsFake, ShowAMessageAndKeepThePreviewAsItWas) {
    const FakeCase& c = GetParam();
    const QString printer = QString::fromLatin1(c.formatPrinter);
    useFormatPrinter(printer);
    openMainForPrint();
    const QStringList installed = env.printers.names;
    const int payeesBefore = payeeCount();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        const Unchanged before = snapshot(p);
        switch (c.fault) {
            case FakeFault::PrinterRemoved:
                env.printers.names.removeAll(printer);
                break;
            case FakeFault::AllPrintersGone:
                env.printers.names.clear();
                break;
            case FakeFault::DefaultRemoved:
                env.printers.names.removeAll(env.printers.defaultName);
                env.printers.defaultName.clear();
                break;
            case FakeFault::PageNotSent:
                env.printers.failEndWith = QStringLiteral("The print system refused the job.");
                break;
        }
        click(p, "cmdPrint");
        EXPECT_TRUE(p.isVisible());
        expectOneError(messageFor(c.message, printer));
        EXPECT_EQ(snapshot(p), before);
        EXPECT_EQ(env.printers.documentsEnded, 0);
        if (c.fault != FakeFault::PageNotSent) {
            EXPECT_TRUE(env.printers.calls.empty());
        }

        // The fault mended, the same preview prints.
        env.printers.names = installed;
        env.printers.defaultName = installed.first();
        env.printers.failEndWith.clear();
        env.dialogs.clear();
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible());
        EXPECT_TRUE(env.dialogs.messages.empty())
            << env.dialogs.texts().join(QLatin1Char('|')).toStdString();
    }));
    EXPECT_EQ(payeeCount(), payeesBefore + 1);
    EXPECT_EQ(env.printers.documentsEnded, 1);
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QString());
}

const FakeCase kFakeCases[] = {
    {"ChosenPrinterRemoved", "Cheque-Printer", FakeFault::PrinterRemoved,
     "The cheque was not printed.\r\nThe printer \"%1\" is no longer installed."},
    {"EveryPrinterGone", "Cheque-Printer", FakeFault::AllPrintersGone, "No printer is available."},
    {"DefaultPrinterRemoved", "[Default]", FakeFault::DefaultRemoved, "No printer is available."},
    {"PageNotSent", "Cheque-Printer", FakeFault::PageNotSent,
     "The cheque was not printed.\r\nThe print system refused the job."},
};
INSTANTIATE_TEST_SUITE_P(Faults, PrintFaultsFake, testing::ValuesIn(kFakeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A format's printer that was never installed here still prints on the first
// printer, without a message: only a printer that disappears after the preview
// listed it stops the job.
TEST_F(PrintFaultBase, APrinterNeverListedStillPrintsOnTheFirstPrinter) {
    useFormatPrinter(QStringLiteral("Gone-Before-Opening"));
    openMainForPrint();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible());
    }));
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_EQ(env.printers.madeCurrent.at(0), 0);
    EXPECT_EQ(env.printers.documentsEnded, 1);
}

// ------------------------------------------------ with a real print server

enum class Fault {
    ServerDownBeforeOpening,
    ServerStopsAfterOpening,
    QueueStopped,
    QueueRejecting,
    PrinterRemoved
};

struct CupsCase {
    const char* name;
    Fault fault;
    bool byDefault;       // the format prints to "[Default]" (else to its named queue)
    const char* message;  // how the message starts; %1 is the queue
};

void PrintTo(const CupsCase& c, std::ostream* os) { *os << c.name; }

class PrintFaultsCups : public PrintFaultBase, public testing::WithParamInterface<CupsCase> {
protected:
    void SetUp() override {
        const QString reason = PrivateCups::unavailableReason();
        if (!reason.isEmpty())
            GTEST_SKIP() << "print-system fault test skipped: " << reason.toStdString();
        PrintFaultBase::SetUp();
        m_cups = std::make_unique<PrivateCups>();
        ASSERT_TRUE(m_cups->start()) << m_cups->error().toStdString();
        // The office queue sorts first and is the default: a job that wrongly
        // falls back to the first printer lands there.
        ASSERT_TRUE(m_cups->addQueue(m_office, true)) << m_cups->error().toStdString();
        ASSERT_TRUE(m_cups->addQueue(m_cheque, false)) << m_cups->error().toStdString();
        m_service = std::make_unique<QtPrinterService>();
        env.context.printers = m_service.get();
        env.context.rememberedPrinterIndex = 0;
    }
    void TearDown() override {
        env.context.printers = &env.printers;
        m_service.reset();
        m_cups.reset();
    }

    bool inject(Fault fault, const QString& queue) {
        switch (fault) {
            case Fault::ServerDownBeforeOpening:
            case Fault::ServerStopsAfterOpening:
                return m_cups->stop();
            case Fault::QueueStopped:
                return m_cups->admin(QStringLiteral("cupsdisable"), {queue});
            case Fault::QueueRejecting:
                return m_cups->admin(QStringLiteral("cupsreject"), {queue});
            case Fault::PrinterRemoved:
                return m_cups->admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
        }
        return false;
    }
    bool mend(Fault fault, const QString& queue) {
        switch (fault) {
            case Fault::ServerDownBeforeOpening:
            case Fault::ServerStopsAfterOpening:
                return m_cups->start();
            case Fault::QueueStopped:
                return m_cups->admin(QStringLiteral("cupsenable"), {queue});
            case Fault::QueueRejecting:
                return m_cups->admin(QStringLiteral("cupsaccept"), {queue});
            case Fault::PrinterRemoved:
                return m_cups->addQueue(queue, queue == m_office);
        }
        return false;
    }

    const QString m_office = PrivateCups::uniqueName(QStringLiteral("Fault_A_Office"));
    const QString m_cheque = PrivateCups::uniqueName(QStringLiteral("Fault_B_Cheque"));
    std::unique_ptr<PrivateCups> m_cups;
    std::unique_ptr<QtPrinterService> m_service;
};

TEST_P(PrintFaultsCups, ShowAMessageKeepThePreviewAndPrintOnceMended) {
    const CupsCase& c = GetParam();
    const QString queue = c.byDefault ? m_office : m_cheque;
    const QString other = c.byDefault ? m_cheque : m_office;
    useFormatPrinter(c.byDefault ? QStringLiteral("[Default]") : m_cheque);
    openMainForPrint();
    const int payees = payeeCount();

    if (c.fault == Fault::ServerDownBeforeOpening) {
        ASSERT_TRUE(inject(c.fault, queue)) << m_cups->error().toStdString();
    }
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        auto* printers = widget<QComboBox>(p, "cboPrinterName");
        if (c.fault == Fault::ServerDownBeforeOpening) {
            EXPECT_EQ(printers->count(), 1);  // "[Default]" alone
        } else {
            EXPECT_GE(printers->findText(m_cheque), 0);
            ASSERT_TRUE(inject(c.fault, queue)) << m_cups->error().toStdString();
        }
        const Unchanged before = snapshot(p);

        click(p, "cmdPrint");
        EXPECT_TRUE(p.isVisible());
        expectOneError(messageFor(c.message, queue));
        EXPECT_EQ(snapshot(p), before);
        EXPECT_EQ(payeeCount(), payees);
        EXPECT_TRUE(CupsQueues::jobFiles(queue).isEmpty());
        EXPECT_TRUE(CupsQueues::jobFiles(other).isEmpty());

        ASSERT_TRUE(mend(c.fault, queue)) << m_cups->error().toStdString();
        EXPECT_TRUE(m_cups->pendingJobs(queue).isEmpty()) << "a failed job was left waiting";
        env.dialogs.clear();
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible());
        EXPECT_TRUE(env.dialogs.messages.empty())
            << env.dialogs.texts().join(QLatin1Char('|')).toStdString();
    }));
    const QString job = CupsQueues::waitForNewJob(queue, {});
    ASSERT_FALSE(job.isEmpty()) << "no job arrived in " << queue.toStdString();
    QFile file(job);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF")) << job.toStdString();
    EXPECT_EQ(CupsQueues::jobFiles(queue).size(), 1);
    EXPECT_EQ(payeeCount(), payees + 1);
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QString());
    QThread::msleep(300);  // a stray job to the other queue would have arrived by now
    EXPECT_TRUE(CupsQueues::jobFiles(other).isEmpty());
}

const CupsCase kCupsCases[] = {
    {"ServerDownBeforeOpening", Fault::ServerDownBeforeOpening, false, "No printer is available."},
    {"ServerDownBeforeOpeningDefault", Fault::ServerDownBeforeOpening, true,
     "No printer is available."},
    {"ServerStopsAfterOpening", Fault::ServerStopsAfterOpening, false, "No printer is available."},
    {"ServerStopsAfterOpeningDefault", Fault::ServerStopsAfterOpening, true,
     "No printer is available."},
    {"QueueStopped", Fault::QueueStopped, false,
     "The cheque was not printed.\r\nThe printer \"%1\" is stopped."},
    {"DefaultQueueStopped", Fault::QueueStopped, true,
     "The cheque was not printed.\r\nThe printer \"%1\" is stopped."},
    {"QueueRejecting", Fault::QueueRejecting, false,
     "The cheque was not printed.\r\nThe printer \"%1\" is not accepting jobs."},
    {"PrinterRemoved", Fault::PrinterRemoved, false,
     "The cheque was not printed.\r\nThe printer \"%1\" is no longer installed."},
    {"DefaultPrinterRemoved", Fault::PrinterRemoved, true, "No printer is available."},
};
INSTANTIATE_TEST_SUITE_P(Faults, PrintFaultsCups, testing::ValuesIn(kCupsCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
