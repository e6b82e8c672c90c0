#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A print server of the test's own: cupsd in the foreground on a socket in a
// temporary folder, with raw queues whose backend (installed by
// scripts/setup-cups.sh) keeps every job's bytes. While one exists, this process
// talks to it instead of the machine's print system, so stopping, starting and
// changing it disturbs no other test and no other user of the machine.
class PrivateCups {
public:
    // Empty when a private server can be run here; otherwise why not, for the skip message.
    static QString unavailableReason();

    PrivateCups();
    // Stops the server (if running), removes the job folders of its queues and
    // points this process back at the machine's print system.
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Starts cupsd and waits until it answers; false (see error()) when it does not.
    bool start();
    // Ends the cupsd this object started (SIGTERM to its process, then waiting for it).
    bool stop();
    bool running() const;
    QString error() const { return m_error; }

    // A queue name unique to this process: stem + "_" + process id.
    static QString uniqueName(const QString& stem);
    // Adds a raw queue that keeps its jobs, optionally as the server's default.
    bool addQueue(const QString& name, bool makeDefault);
    // Runs a print-system administration command against this server
    // (lpadmin, cupsdisable, cupsenable, cupsreject, cupsaccept).
    bool admin(const QString& program, const QStringList& arguments);
    // Jobs still waiting in a queue.
    QStringList pendingJobs(const QString& queue);

    QString socketPath() const;

private:
    QString path(const QString& name) const;
    // The output of lpstat with these arguments, asked of this server.
    QString query(const QStringList& arguments) const;
    bool writeConfig();

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QStringList m_queues;
    QString m_error;
};
