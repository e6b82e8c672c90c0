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

// The print system failing under the preview (a private cupsd, or the recording printer): one message, no change.
namespace {

using namespace Qt::StringLiterals;

enum class Fault { ServerDown, ServerStops, QueueStopped, QueueRejecting, PrinterRemoved, JobRefused };

struct FaultCase { const char* name; Fault fault; bool cups, byDefault; const char* message; };

class PrintFaults : public PreviewFixture, public testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override {
        if (!GetParam().cups) return;
        for (const char* file : {"/usr/sbin/cupsd", "/usr/lib/cups/backend/quorvanta-save"})
            if (::geteuid() != 0 || !QFile::exists(QLatin1String(file)))
                GTEST_SKIP() << "a print server of its own needs root and " << file;
        qputenv("CUPS_SERVER", m_dir.filePath(u"cups.sock"_s).toLocal8Bit()), cupsSetServer(nullptr);  // commands too
        ASSERT_TRUE(start()) << "cupsd did not answer";
        ASSERT_TRUE(addQueue(office, true) && addQueue(cheque, false));  // jobs to the first or default land in office
        env.context.printers = (service = std::make_unique<QtPrinterService>()).get();
    }
    void TearDown() override {
        env.context.printers = &env.printers, service.reset(), stop();
        for (const QString& queue : {office, cheque}) QDir(CupsQueues::jobsFolder(queue)).removeRecursively();
        qunsetenv("CUPS_SERVER"), cupsSetServer(nullptr);
    }

    bool start() {
        for (const char* s : {"spool", "cache", "state", "logs", "tmp"}) QDir(m_dir.path()).mkpath(QLatin1String(s));
        write("cupsd.conf", "Listen %1/cups.sock\nBrowsing Off\nWebInterface No\nDirtyCleanInterval 0\n"
                            "<Location />\nOrder allow,deny\nAllow all\n</Location>\n");
        write("files.conf", "ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                            "TempDir %1/tmp\nErrorLog %1/logs/error\nAccessLog %1/logs/access\nPageLog %1/logs/page\n"
                            "SystemGroup root\n");
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });  // dies with the test
        m_cupsd.start(u"/usr/sbin/cupsd"_s,
                      {u"-f"_s, u"-c"_s, m_dir.filePath(u"cupsd.conf"_s), u"-s"_s, m_dir.filePath(u"files.conf"_s)});
        for (QDeadlineTimer timer(10000); !timer.hasExpired() && m_cupsd.waitForStarted(5000); QThread::msleep(20))
            if (CupsQueues::run(u"lpstat"_s, {u"-o"_s})) return true;  // fails until the server answers
        return false;
    }
    bool stop() {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) m_cupsd.kill(), m_cupsd.waitForFinished(5000);
        return QFile::remove(m_dir.filePath(u"cups.sock"_s)), m_cupsd.state() == QProcess::NotRunning;
    }
    void write(const char* name, const char* text) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly)) file.write(QString::fromLatin1(text).arg(m_dir.path()).toUtf8());
    }
    bool addQueue(const QString& name, bool makeDefault) {
        return QDir().mkpath(CupsQueues::jobsFolder(name))
               && CupsQueues::run(u"lpadmin"_s, u"-p %1 -v quorvanta-save:/ -m raw -E"_s.arg(name).split(u' '))
               && (!makeDefault || CupsQueues::run(u"lpadmin"_s, {u"-d"_s, name}));
    }

    bool fault(Fault f, const QString& queue, bool mend) {  // brings the fault about, or mends it
        static const QStringList installed = env.printers.names;
        switch (f) {
            case Fault::ServerDown: case Fault::ServerStops: return mend ? start() : stop();
            case Fault::QueueStopped: return CupsQueues::run(mend ? u"cupsenable"_s : u"cupsdisable"_s, {queue});
            case Fault::QueueRejecting: return CupsQueues::run(mend ? u"cupsaccept"_s : u"cupsreject"_s, {queue});
            case Fault::PrinterRemoved:
                if (!GetParam().cups) return (env.printers.names = mend ? installed : QStringList{installed[0]}), true;
                return mend ? addQueue(queue, queue == office) : CupsQueues::run(u"lpadmin"_s, {u"-x"_s, queue});
            case Fault::JobRefused:
                return (env.printers.failEndWith = mend ? QString() : u"The print system refused the job."_s), true;
        }
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    const QString office = u"Fault_A_Office_%1"_s.arg(::getpid()), cheque = u"Fault_B_Cheque_%1"_s.arg(::getpid());
    std::unique_ptr<QtPrinterService> service;
};

TEST_P(PrintFaults, ShowAMessageKeepThePreviewAndPrintOnceMended) {
    const FaultCase& c = GetParam();
    const QString queue = !c.cups ? u"Cheque-Printer"_s : c.byDefault ? office : cheque;
    ChequeFormat f = testFormat();
    f.printerName = c.byDefault ? u"[Default]"_s : queue, storeFormat(f);
    const bool beforeOpening = c.fault == Fault::ServerDown;
    ASSERT_TRUE((!beforeOpening || fault(c.fault, queue, false)) && open());
    EXPECT_EQ(widget<QComboBox>(*preview, "cboPrinterName")->count(), beforeOpening ? 1 : 3);
    ASSERT_TRUE(beforeOpening || fault(c.fault, queue, false));
    const auto snapshot = [&](QStringList s = {}) {
        for (const FieldLabel& l : preview->labels()) s << l.caption << u"%1,%2"_s.arg(l.left).arg(l.top);
        for (int i = 0; i < kFieldCount; ++i) s << shown(i);
        return s;
    };
    const QStringList before = snapshot();
    click("cmdPrint");
    expectOneError(QString::fromLatin1(c.message).replace(u"%1"_s, queue));
    EXPECT_TRUE(preview->isVisible() && snapshot() == before);
    EXPECT_TRUE(RegisterStore::page(env.db(), {}, 0, 10).empty() && RegisterStore::listPending(env.db()).empty());
    cups_job_t* jobs = nullptr;  // nor any held back to print later
    const int queued = c.cups ? cupsGetJobs(&jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE) : 0;
    cupsFreeJobs(std::max(queued, 0), jobs);
    EXPECT_TRUE(queued <= 0 && (CupsQueues::jobFiles(office) + CupsQueues::jobFiles(cheque)).isEmpty()) << queued;

    ASSERT_TRUE(fault(c.fault, queue, true));
    click("cmdPrint");
    EXPECT_FALSE(preview->isVisible()) << env.dialogs.texts().join(u'|').toStdString();
    const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_TRUE(entries.size() == 1 && entries[0].destination == queue) << entries.size();
    if (!c.cups) return;
    EXPECT_TRUE(service->lastJobId() > 0 && entries[0].jobId == service->lastJobId());
    QFile job(CupsQueues::waitForNewJob(queue, {}));
    ASSERT_TRUE(job.open(QFile::ReadOnly) && job.read(5).startsWith("%PDF")) << "no job in " << queue.toStdString();
    QThread::msleep(300);  // a stray job to the other queue would have arrived by now
    EXPECT_EQ(CupsQueues::jobFiles(office).size() + CupsQueues::jobFiles(cheque).size(), 1);
}

#define NOT_PRINTED "The cheque was not printed.\r\n"
#define THE_PRINTER NOT_PRINTED "The printer \"%1\" "
const char *const kNone = "No printer is available.", *const kStopped = THE_PRINTER "is stopped.";
const char *const kGone = THE_PRINTER "is no longer installed.";
using enum Fault;
const FaultCase kCases[] = {
    {"ServerDownBeforeOpening", ServerDown, true, false, kNone},
    {"ServerDownBeforeOpeningDefault", ServerDown, true, true, kNone},
    {"ServerStopsAfterOpening", ServerStops, true, false, kNone},
    {"ServerStopsAfterOpeningDefault", ServerStops, true, true, kNone},
    {"QueueStopped", QueueStopped, true, false, kStopped}, {"DefaultQueueStopped", QueueStopped, true, true, kStopped},
    {"QueueRejecting", QueueRejecting, true, false, THE_PRINTER "is not accepting jobs."},
    {"PrinterRemoved", PrinterRemoved, true, false, kGone},
    {"DefaultPrinterRemoved", PrinterRemoved, true, true, kNone},
    {"RecordingPrinterRemoved", PrinterRemoved, false, false, kGone},
    {"RecordingPrinterRefusesTheJob", JobRefused, false, false, NOT_PRINTED "The print system refused the job."}};
INSTANTIATE_TEST_SUITE_P(Faults, PrintFaults, testing::ValuesIn(kCases), [](auto& i) { return i.param.name; });

}  // namespace
