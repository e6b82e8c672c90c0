#pragma once

#include <QString>
#include <QVariantList>

#include <memory>

#include "db/Statement.h"

struct sqlite3;

// The shared connection to the encrypted cheque database.
class Database {
public:
    // The program's fixed key of chequedb.mdb.
    static QByteArray defaultKey();

    // Opens an existing file read-write; never creates one. Throws DbError.
    static std::unique_ptr<Database> open(const QString& path, const QByteArray& key = defaultKey());
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

    sqlite3* handle() const { return m_db.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    static std::unique_ptr<Database> openWithFlags(const QString& path, const QByteArray& key,
                                                   int flags);
    explicit Database(sqlite3* db);
    std::unique_ptr<sqlite3, Closer> m_db;
};
