#pragma once

#include <QString>
#include <QVariantList>

#include <atomic>
#include <memory>

#include "store/Statement.h"

struct sqlite3;

// The shared connection to the encrypted cheque database.
//
// Writes use a rollback journal beside the file, synced at every step: a save
// is either wholly in the file or not at all, also when the process is killed,
// the power fails or the disk fills, and the file alone holds every saved
// change, so a copy of chequedb.mdb is a complete backup.
class Database {
public:
    // How long a statement waits for another connection's lock before failing.
    static constexpr int kDefaultBusyTimeoutMs = 5000;

    // The program's fixed key of chequedb.mdb.
    static QByteArray defaultKey();

    // Files up to this size get the engine's full check while they are opened.
    // Larger files (years of register entries) have every page that holds data
    // read and checked on a worker thread from the moment they are opened, so
    // that start-up does not grow with the file; every write waits for that
    // check first (requireSoundFile).
    static constexpr qint64 kCheckedAtOpenBytes = 2 * 1024 * 1024;

    // Opens an existing file read-write; never creates one. Refuses, with a
    // DbError saying why, a file that cannot be read with the key, is damaged,
    // lacks the program's tables, cannot be written (read-only file or folder)
    // or was made by a newer version. An older file gets the newest tables.
    static std::unique_ptr<Database> open(const QString& path, const QByteArray& key = defaultKey(),
                                          int busyTimeoutMs = kDefaultBusyTimeoutMs);
    // Creates a new, empty encrypted file (initdb only). Throws DbError.
    static std::unique_ptr<Database> create(const QString& path,
                                            const QByteArray& key = defaultKey());

    Statement prepare(const QString& sql);
    // Runs one write alone in its own transaction; rolled back when it fails.
    // Returns the number of rows changed.
    int write(const QString& sql, const QVariantList& params = {});
    // Runs a script of statements without parameters (initdb).
    void executeScript(const QString& sql);
    qint64 lastInsertId() const;

    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return m_busyTimeoutMs; }
    // The file's full path.
    QString path() const;

    sqlite3* handle() const { return m_db.get(); }

    // Returns once the whole file is known to be undamaged; throws the damaged
    // file's DbError otherwise. Every transaction calls it before it begins, so
    // nothing is written to a damaged file. Immediate after the first success.
    void requireSoundFile();

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

private:
    struct CheckVerdict {
        int code = 0;  // SQLITE_OK when the file is sound
        QString message;
    };
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    static std::unique_ptr<Database> openWithFlags(const QString& path, const QByteArray& key,
                                                   int flags, int busyTimeoutMs);
    explicit Database(sqlite3* db);
    void checkUsable(const QString& path);
    void startFileCheck(const QByteArray& key);
    CheckVerdict checkWholeFile();
    CheckVerdict readEveryPage(const std::atomic<bool>& stop);
    std::unique_ptr<sqlite3, Closer> m_db;
    bool m_sound = false;
    struct FileCheck;
    std::shared_ptr<FileCheck> m_fileCheck;  // the worker's check, while there is one
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
};
