#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

// The two raw print queues of scripts/setup-cups.sh, whose backend keeps every
// job's bytes in a folder per queue.
namespace CupsQueues {

QString namedQueue();    // "Quorvanta_Cheque"
QString defaultQueue();  // "Quorvanta_Office", the print system's default
QString jobsFolder(const QString& queue);

// Empty when both queues are set up; otherwise why not, for the skip message.
QString unavailableReason();
// Whether this process may stop, start, reject and accept the queues.
bool canAdminister();

// The saved jobs of a queue, oldest first.
QStringList jobFiles(const QString& queue);
// A job file of the queue that is not in `before`, waiting up to timeoutMs for it.
QString waitForNewJob(const QString& queue, const QStringList& before, int timeoutMs = 15000);
// Runs a CUPS command such as cupsdisable; false when it fails.
bool run(const QString& program, const QStringList& arguments);

// Serialises the tests that use the queues across test processes.
class Lock {
public:
    Lock();
    bool locked() const { return m_locked; }

private:
    QLockFile m_file;
    bool m_locked = false;
};

}  // namespace CupsQueues
