#include "support/CupsQueues.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <unistd.h>

#include "print/CupsPrintSystem.h"

namespace CupsQueues {

namespace {

QString output(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(15000) ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

}  // namespace

QString namedQueue() { return QStringLiteral("Quorvanta_Cheque"); }
QString defaultQueue() { return QStringLiteral("Quorvanta_Office"); }

QString jobsFolder(const QString& queue) {
    const QString root = qEnvironmentVariable("QUORVANTA_JOBS_DIR");
    return QDir(root.isEmpty() ? QStringLiteral("/var/spool/quorvanta-jobs") : root).filePath(queue);
}

QString unavailableReason() {
    const QString setup = QStringLiteral(" (scripts/setup-cups.sh sets the queues up as root)");
    for (const QString& queue : {namedQueue(), defaultQueue()}) {
        if (!CupsPrintSystem::printerNames().contains(queue))
            return QStringLiteral("print queue %1 is not installed").arg(queue) + setup;
        if (!QFileInfo(jobsFolder(queue)).isDir())
            return QStringLiteral("job folder %1 is missing").arg(jobsFolder(queue)) + setup;
        if (!output(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue})
                 .contains(QStringLiteral("quorvanta-save:")))
            return QStringLiteral("print queue %1 does not keep its jobs").arg(queue) + setup;
    }
    if (CupsPrintSystem::defaultPrinterName() != defaultQueue())
        return QStringLiteral("the default printer is not ") + defaultQueue() + setup;
    return {};
}

bool canAdminister() { return ::geteuid() == 0; }

QStringList jobFiles(const QString& queue) {
    QStringList files;
    for (const QFileInfo& info : QDir(jobsFolder(queue)).entryInfoList(
             {QStringLiteral("job-*")}, QDir::Files, QDir::Time | QDir::Reversed))
        files << info.absoluteFilePath();
    return files;
}

QString waitForNewJob(const QString& queue, const QStringList& before, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        for (const QString& file : jobFiles(queue))
            if (!before.contains(file)) return file;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return {};
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

Lock::Lock() : m_file(QDir::temp().filePath(QStringLiteral("quorvanta-cups-tests.lock"))) {
    m_file.setStaleLockTime(0);
    m_locked = m_file.tryLock(120000);
}

}  // namespace CupsQueues
