#include <cups/cups.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include "print/QtPrinterService.h"
#include "store/RegisterStore.h"
#include "support/CupsQueues.h"
#include "ui/preview/PreviewFixture.h"

// The print system failing under the preview, in a print server of the test's own (cupsd on a
// socket in a temporary folder; the backend scripts/setup-cups.sh installs keeps each job) or in
// the recording printer: one message, the preview as it was, nothing recorded; mended, it prints.
namespace {

enum class Fault { ServerDown, ServerStops, QueueStopped, QueueRejecting, PrinterRemoved, JobRefused };

// cups: through the print server; byDefault: the format prints to "[Default]"; %1 is the printer.
struct FaultCase { const char* name; Fault fault; bool cups, byDefault; const char* message; };
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class PrintFaults : public PreviewFixture, public testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override {
        if (!GetParam().cups) return;
        for (const char* file : {"/usr/sbin/cupsd", "/usr/lib/cups/backend/quorvanta-save"})
            if (::geteuid() != 0 || !QFile::exists(QLatin1String(file))) GTEST_SKIP() << "a print server of its own needs root and " << file;
        cupsSetServer(m_dir.filePath(QStringLiteral("cups.sock")).toLocal8Bit().constData());
        ASSERT_TRUE(start()) << "cupsd did not answer";
        // The office queue sorts first and is the default: a job wrongly sent to the first lands there.
        ASSERT_TRUE(addQueue(office, true) && addQueue(cheque, false)) << m_error.toStdString();
        service = std::make_unique<QtPrinterService>();
        env.context.printers = service.get();
    }
    void TearDown() override {
        env.context.printers = &env.printers;
        service.reset();
        stop();
        for (const QString& queue : {office, cheque}) QDir(CupsQueues::jobsFolder(queue)).removeRecursively();
        cupsSetServer(nullptr);
    }

    bool start() {
        for (const char* sub : {"spool", "cache", "state", "logs", "tmp"}) QDir(m_dir.path()).mkpath(QLatin1String(sub));
        write("cupsd.conf", QStringLiteral("Listen %1/cups.sock\nBrowsing Off\nWebInterface No\nDirtyCleanInterval 0\n"
                                           "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"));
        write("files.conf", QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                                           "ErrorLog %1/logs/error\nAccessLog %1/logs/access\nPageLog %1/logs/page\nSystemGroup root\n"));
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });  // dies with the test
        m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), m_dir.filePath(QStringLiteral("cupsd.conf")),
                                                          QStringLiteral("-s"), m_dir.filePath(QStringLiteral("files.conf"))});
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired() && m_cupsd.waitForStarted(5000); QThread::msleep(20))
            if (run("lpstat", {QStringLiteral("-r")}).contains(QStringLiteral("scheduler is running"))) return true;
        return false;
    }
    bool stop() {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) m_cupsd.kill();
        QFile::remove(m_dir.filePath(QStringLiteral("cups.sock")));
        return m_cupsd.waitForFinished(5000) || m_cupsd.state() == QProcess::NotRunning;
    }
    void write(const char* name, const QString& text) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly)) file.write(text.arg(m_dir.path()).toUtf8());
    }
    // What a program asked of this server printed; with `failure`, its complaint if it failed.
    QString run(const char* program, const QStringList& arguments, bool failure = false) {
        QProcess p;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"), m_dir.filePath(QStringLiteral("cups.sock")));
        p.setProcessEnvironment(environment);
        p.start(QLatin1String(program), arguments);
        const bool done = p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (!failure) return QString::fromLocal8Bit(p.readAllStandardOutput());
        return m_error = done ? QString() : QLatin1String(program) + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    }
    bool admin(const char* program, const QString& queue) { return run(program, {queue}, true).isEmpty(); }
    bool addQueue(const QString& name, bool makeDefault) {
        return QDir().mkpath(CupsQueues::jobsFolder(name)) &&
               run("lpadmin", {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("quorvanta-save:/"), QStringLiteral("-m"),
                               QStringLiteral("raw"), QStringLiteral("-E")}, true).isEmpty() &&
               (!makeDefault || run("lpadmin", {QStringLiteral("-d"), name}, true).isEmpty());
    }

    // Brings the fault about, or mends it.
    bool fault(Fault f, const QString& queue, bool mend) {
        static const QStringList installed = env.printers.names;
        switch (f) {
            case Fault::ServerDown:
            case Fault::ServerStops: return mend ? start() : stop();
            case Fault::QueueStopped: return admin(mend ? "cupsenable" : "cupsdisable", queue);
            case Fault::QueueRejecting: return admin(mend ? "cupsaccept" : "cupsreject", queue);
            case Fault::PrinterRemoved:
                if (!GetParam().cups) return (env.printers.names = mend ? installed : QStringList{installed[0]}), true;
                return mend ? addQueue(queue, queue == office) : run("lpadmin", {QStringLiteral("-x"), queue}, true).isEmpty();
            case Fault::JobRefused: return (env.printers.failEndWith = mend ? QString() : QStringLiteral("The print system refused the job.")), true;
        }
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_error;
    const QString office = QStringLiteral("Fault_A_Office_%1").arg(::getpid()), cheque = QStringLiteral("Fault_B_Cheque_%1").arg(::getpid());
    std::unique_ptr<QtPrinterService> service;
};

TEST_P(PrintFaults, ShowAMessageKeepThePreviewAndPrintOnceMended) {
    const FaultCase& c = GetParam();
    const QString queue = !c.cups ? QStringLiteral("Cheque-Printer") : c.byDefault ? office : cheque;
    ChequeFormat f = testFormat();
    f.printerName = c.byDefault ? QStringLiteral("[Default]") : queue;
    storeFormat(f);
    if (c.fault == Fault::ServerDown) { ASSERT_TRUE(fault(c.fault, queue, false)); }
    ASSERT_TRUE(open());
    EXPECT_EQ(widget<QComboBox>(*preview, "cboPrinterName")->count(), c.fault == Fault::ServerDown ? 1 : 3);
    if (c.fault != Fault::ServerDown) { ASSERT_TRUE(fault(c.fault, queue, false)) << m_error.toStdString(); }
    const auto snapshot = [&](QStringList s = {}) {
        for (const FieldLabel& l : preview->labels()) s << l.caption << QStringLiteral("%1,%2").arg(l.left).arg(l.top);
        for (int i = 0; i < kFieldCount; ++i) s << shown(i);
        return s;
    };
    const QStringList before = snapshot();
    click("cmdPrint");
    EXPECT_TRUE(preview->isVisible());
    expectOneError(QString::fromLatin1(c.message).replace(QStringLiteral("%1"), queue));
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(RegisterStore::page(env.db(), {}, 0, 10).empty() && RegisterStore::listPending(env.db()).empty());
    if (c.cups) { EXPECT_EQ(CupsQueues::jobFiles(office) + CupsQueues::jobFiles(cheque) + run("lpstat", {QStringLiteral("-o")}).split(u'\n', Qt::SkipEmptyParts), QStringList()); }

    ASSERT_TRUE(fault(c.fault, queue, true)) << m_error.toStdString();
    click("cmdPrint");
    EXPECT_FALSE(preview->isVisible()) << env.dialogs.texts().join(u'|').toStdString();
    const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].destination, queue);
    if (!c.cups) return;
    EXPECT_EQ(entries[0].jobId.value_or(0), service->lastJobId());
    EXPECT_GT(service->lastJobId(), 0);
    QFile job(CupsQueues::waitForNewJob(queue, {}));
    ASSERT_TRUE(job.open(QIODevice::ReadOnly)) << "no job arrived in " << queue.toStdString();
    EXPECT_TRUE(job.read(5).startsWith("%PDF"));
    QThread::msleep(300);  // a stray job to the other queue would have arrived by now
    EXPECT_EQ(CupsQueues::jobFiles(office).size() + CupsQueues::jobFiles(cheque).size(), 1);
}

#define NOT_PRINTED "The cheque was not printed.\r\nThe printer \"%1\" "
const char* const kNone = "No printer is available.";
const FaultCase kCases[] = {
    {"ServerDownBeforeOpening", Fault::ServerDown, true, false, kNone},
    {"ServerDownBeforeOpeningDefault", Fault::ServerDown, true, true, kNone},
    {"ServerStopsAfterOpening", Fault::ServerStops, true, false, kNone},
    {"ServerStopsAfterOpeningDefault", Fault::ServerStops, true, true, kNone},
    {"QueueStopped", Fault::QueueStopped, true, false, NOT_PRINTED "is stopped."},
    {"DefaultQueueStopped", Fault::QueueStopped, true, true, NOT_PRINTED "is stopped."},
    {"QueueRejecting", Fault::QueueRejecting, true, false, NOT_PRINTED "is not accepting jobs."},
    {"PrinterRemoved", Fault::PrinterRemoved, true, false, NOT_PRINTED "is no longer installed."},
    {"DefaultPrinterRemoved", Fault::PrinterRemoved, true, true, kNone},
    {"RecordingPrinterRemoved", Fault::PrinterRemoved, false, false, NOT_PRINTED "is no longer installed."},
    {"RecordingPrinterRefusesTheJob", Fault::JobRefused, false, false, "The cheque was not printed.\r\nThe print system refused the job."},
};
INSTANTIATE_TEST_SUITE_P(Faults, PrintFaults, testing::ValuesIn(kCases), [](const auto& info) { return std::string(info.param.name); });

}  // namespace
