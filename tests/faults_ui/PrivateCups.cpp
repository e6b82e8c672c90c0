#include "PrivateCups.h"

#include <cups/cups.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "support/CupsQueues.h"

namespace {

const char* const kBackend = "quorvanta-save";

QString serverBin() {
    QProcess p;
    p.start(QStringLiteral("cups-config"), {QStringLiteral("--serverbin")});
    if (p.waitForFinished(5000) && p.exitCode() == 0) {
        const QString dir = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
        if (!dir.isEmpty()) return dir;
    }
    return QStringLiteral("/usr/lib/cups");
}

QString cupsdBinary() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("cupsd"));
    if (!found.isEmpty()) return found;
    return QStandardPaths::findExecutable(QStringLiteral("cupsd"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

QString PrivateCups::unavailableReason() {
    if (::geteuid() != 0) return QStringLiteral("running a print server of its own needs root");
    if (cupsdBinary().isEmpty()) return QStringLiteral("cupsd is not installed");
    for (const char* tool : {"lpadmin", "lpstat", "cupsdisable"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool) + QStringLiteral(" is not installed");
    const QString backend =
        serverBin() + QStringLiteral("/backend/") + QString::fromLatin1(kBackend);
    if (!QFileInfo::exists(backend))
        return QStringLiteral("the job-keeping backend ") + backend +
               QStringLiteral(" is missing (scripts/setup-cups.sh installs it as root)");
    return {};
}

PrivateCups::PrivateCups() {
    m_dir.setAutoRemove(true);
    // Until the server starts, its socket does not exist: the print system is down.
    cupsSetServer(socketPath().toLocal8Bit().constData());
}

PrivateCups::~PrivateCups() {
    stop();
    for (const QString& queue : m_queues) QDir(CupsQueues::jobsFolder(queue)).removeRecursively();
    cupsSetServer(nullptr);
}

QString PrivateCups::path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

QString PrivateCups::socketPath() const { return path(QStringLiteral("cups.sock")); }

QString PrivateCups::uniqueName(const QString& stem) {
    return stem + QLatin1Char('_') + QString::number(::getpid());
}

bool PrivateCups::writeConfig() {
    for (const char* sub : {"spool", "cache", "state", "logs", "tmp"})
        if (!QDir(m_dir.path()).mkpath(QString::fromLatin1(sub))) return false;
    // The server answers anyone on its socket, and writes its queues at once.
    const QString cupsd = QStringLiteral(
                              "Listen %1\n"
                              "Browsing Off\n"
                              "WebInterface No\n"
                              "LogLevel warn\n"
                              "DirtyCleanInterval 0\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n")
                              .arg(socketPath());
    const QString files = QStringLiteral(
                              "ServerRoot %1\n"
                              "RequestRoot %1/spool\n"
                              "CacheDir %1/cache\n"
                              "StateDir %1/state\n"
                              "TempDir %1/tmp\n"
                              "ErrorLog %1/logs/error_log\n"
                              "AccessLog %1/logs/access_log\n"
                              "PageLog %1/logs/page_log\n"
                              "SystemGroup root\n")
                              .arg(m_dir.path());
    return writeFile(path(QStringLiteral("cupsd.conf")), cupsd) &&
           writeFile(path(QStringLiteral("cups-files.conf")), files);
}

bool PrivateCups::start() {
    if (running()) return true;
    m_error.clear();
    if (!m_dir.isValid() || !writeConfig()) {
        m_error = QStringLiteral("the server's folder could not be written");
        return false;
    }
    QFile::remove(socketPath());
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.setStandardOutputFile(QProcess::nullDevice());
    // A test that dies takes its server with it.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.start(cupsdBinary(),
                  {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("cupsd.conf")),
                   QStringLiteral("-s"), path(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd.waitForStarted(5000)) {
        m_error = QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_cupsd.state() == QProcess::Running) {
        // lpstat -r succeeds either way; only its answer tells.
        if (QFileInfo::exists(socketPath()) &&
            query({QStringLiteral("-r")}).contains(QStringLiteral("scheduler is running")))
            return true;
        QThread::msleep(20);
    }
    QFile log(path(QStringLiteral("logs/error_log")));
    log.open(QIODevice::ReadOnly);
    m_error = QStringLiteral("cupsd did not answer on ") + socketPath() + QStringLiteral(": ") +
              QString::fromLocal8Bit(log.readAll()).trimmed();
    stop();
    return false;
}

bool PrivateCups::stop() {
    if (m_cupsd.state() == QProcess::NotRunning) return true;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
    QFile::remove(socketPath());
    return m_cupsd.state() == QProcess::NotRunning;
}

bool PrivateCups::running() const { return m_cupsd.state() == QProcess::Running; }

bool PrivateCups::addQueue(const QString& name, bool makeDefault) {
    const QString folder = CupsQueues::jobsFolder(name);
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) return false;
    if (!m_queues.contains(name)) m_queues << name;
    if (!admin(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-v"),
                QString::fromLatin1(kBackend) + QStringLiteral(":/"), QStringLiteral("-m"),
                QStringLiteral("raw"), QStringLiteral("-E")}))
        return false;
    if (makeDefault) return admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
    return true;
}

bool PrivateCups::admin(const QString& program, const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    p.setProcessEnvironment(environment);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, arguments);
    const bool done =
        p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!done)
        m_error = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                  QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return done;
}

QString PrivateCups::query(const QStringList& arguments) const {
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    p.setProcessEnvironment(environment);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(QStringLiteral("lpstat"), arguments);
    if (!p.waitForFinished(15000)) return QStringLiteral("lpstat did not answer");
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QStringList PrivateCups::pendingJobs(const QString& queue) {
    return query({QStringLiteral("-o"), queue}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
