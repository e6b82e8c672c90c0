#include "db/Database.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFileInfo>

#include "db/DbError.h"
#include "db/Transaction.h"

namespace {
constexpr int kBusyTimeoutMs = 5000;
}

void Database::Closer::operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }

Database::Database(sqlite3* db) : m_db(db) {}

QByteArray Database::defaultKey() {
    // A raw 256-bit key derived from the program's fixed password. Passing the
    // key raw skips the engine's slow password stretching on every start; with
    // the password compiled into the program, stretching would protect nothing.
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayLiteral("5170394"), QCryptographicHash::Sha256);
    return QByteArrayLiteral("x'") + digest.toHex().toUpper() + QByteArrayLiteral("'");
}

std::unique_ptr<Database> Database::openWithFlags(const QString& path, const QByteArray& key,
                                                  int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    std::unique_ptr<Database> db(new Database(raw));
    if (rc != SQLITE_OK) {
        const QString message = raw ? QString::fromUtf8(sqlite3_errmsg(raw))
                                    : QStringLiteral("out of memory");
        throw DbError(rc, QStringLiteral("Could not open the database \"") +
                              QFileInfo(path).absoluteFilePath() + QStringLiteral("\": ") + message);
    }
    sqlite3_extended_result_codes(raw, 0);
    if (sqlite3_key(raw, key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
        throw DbError(sqlite3_errcode(raw), QString::fromUtf8(sqlite3_errmsg(raw)));
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    // The key is checked on the first read of the file.
    db->prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).execute();
    return db;
}

std::unique_ptr<Database> Database::open(const QString& path, const QByteArray& key) {
    return openWithFlags(path, key, SQLITE_OPEN_READWRITE);
}

std::unique_ptr<Database> Database::create(const QString& path, const QByteArray& key) {
    return openWithFlags(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

Statement Database::prepare(const QString& sql) { return Statement(m_db.get(), sql); }

int Database::write(const QString& sql, const QVariantList& params) {
    Transaction transaction(*this);
    prepare(sql).bindAll(params).execute();
    const int changed = sqlite3_changes(m_db.get());
    transaction.commit();
    return changed;
}

void Database::executeScript(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db.get(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw DbError(sqlite3_errcode(m_db.get()), message);
    }
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(m_db.get()); }
