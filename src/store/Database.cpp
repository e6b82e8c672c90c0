#include "store/Database.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iterator>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "store/DbError.h"
#include "store/Schema.h"
#include "store/Transaction.h"

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

}  // namespace

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
                                                  int flags, int busyTimeoutMs) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    std::unique_ptr<Database> db(new Database(raw));
    if (rc != SQLITE_OK) {
        const QString message =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QStringLiteral("out of memory");
        throw DbError::openFailure(rc, message, fullPath);
    }
    sqlite3_extended_result_codes(raw, 0);
    if (sqlite3_key(raw, key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
        throw DbError::fromEngine(raw);
    db->setBusyTimeout(busyTimeoutMs);
    // The key is checked on the first read of the file.
    db->prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).execute();
    // A rollback journal rather than a write-ahead log: the file alone always
    // holds every committed change, and nothing but the file is needed to read
    // it. EXTRA syncs the journal, the file and, after the journal is deleted,
    // its folder, so a save reported done survives a power cut too.
    db->prepare(QStringLiteral("PRAGMA journal_mode = DELETE")).execute();
    db->prepare(QStringLiteral("PRAGMA synchronous = EXTRA")).execute();
    // Decrypted pages kept in memory, up to 64 MiB: the register's totals and
    // filters read the same pages again and again. Memory is taken only as
    // pages are read.
    db->prepare(QStringLiteral("PRAGMA cache_size = -65536")).execute();
    return db;
}

void Database::checkUsable(const QString& path) {
    // The engine falls back to reading a file it may not write; every later
    // save would fail, so refuse now.
    if (sqlite3_db_readonly(m_db.get(), "main") == 1)
        throw DbError(
            SQLITE_READONLY,
            DbError::explain(SQLITE_READONLY,
                             QStringLiteral("the file could only be opened for reading"), path));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isWritable())
        throw DbError(SQLITE_CANTOPEN,
                      QStringLiteral("The database ") + quoted(path) +
                          QStringLiteral(" cannot be saved to: its folder ") + quoted(folder) +
                          QStringLiteral(" is read-only, and every save makes a journal file "
                                         "there. Allow changes to that folder and try again."));

    const QStringList required = {QStringLiteral("Settings"), QStringLiteral("Company"),
                                  QStringLiteral("LanguageMain"), QStringLiteral("AmountWord"),
                                  QStringLiteral("BankCheque")};
    QStringList present;
    Statement tables =
        prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (tables.step()) present << tables.text(0);
    QStringList missing;
    for (const QString& name : required)
        if (!present.contains(name, Qt::CaseInsensitive)) missing << name;
    if (!missing.isEmpty())
        throw DbError(SQLITE_NOTADB,
                      QStringLiteral("The file ") + quoted(path) +
                          (present.isEmpty()
                               ? QStringLiteral(" is empty: it is not a Quorvanta Solo database.")
                               : QStringLiteral(" is not a Quorvanta Solo database: it has no "
                                                "table ") +
                                     missing.join(QStringLiteral(", ")) + QLatin1Char('.')));

}

Database::CheckVerdict Database::checkWholeFile() {
    // Every page is read and checked, so damage anywhere in the file is found
    // before anything is written to it.
    try {
        Statement check = prepare(QStringLiteral("PRAGMA quick_check"));
        const QString verdict = check.step() ? check.text(0) : QString();
        if (verdict == QStringLiteral("ok")) return {};
    } catch (const DbError& error) {
        return {error.code(), error.message()};
    }
    return {SQLITE_CORRUPT, DbError::explain(SQLITE_CORRUPT,
                                             QString::fromUtf8(sqlite3_errstr(SQLITE_CORRUPT)),
                                             QFileInfo(path()).absoluteFilePath())};
}

Database::CheckVerdict Database::readEveryPage(const std::atomic<bool>& stop) {
    // Every row of every table and every entry of every index is read, which
    // reads, decrypts and checks each page that holds data: a damaged page
    // fails its check when it is read. The walk stops between rows when asked to.
    try {
        std::vector<std::pair<QString, QString>> trees;  // table, index (empty for the table)
        Statement schema = prepare(QStringLiteral(
            "SELECT tbl_name, CASE type WHEN 'index' THEN name ELSE '' END FROM sqlite_master "
            "WHERE type IN ('table', 'index') AND rootpage > 0 ORDER BY tbl_name"));
        while (schema.step()) trees.emplace_back(schema.text(0), schema.text(1));
        auto ident = [](const QString& name) -> QString {
            return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                   QLatin1Char('"');
        };
        for (const auto& [table, index] : trees) {
            QString sql;
            if (index.isEmpty()) {
                sql = QStringLiteral("SELECT * FROM ") + ident(table);
            } else {
                QStringList columns;
                Statement info = prepare(QStringLiteral("PRAGMA index_info(") + ident(index) +
                                         QLatin1Char(')'));
                while (info.step())
                    if (!info.value(2).isNull()) columns << ident(info.text(2));
                if (columns.isEmpty()) continue;
                // Only the index's own columns: the scan reads the index alone.
                // The order of the index's first column lets the engine walk the
                // index from end to end.
                sql = QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) +
                      QStringLiteral(" FROM ") + ident(table) + QStringLiteral(" INDEXED BY ") +
                      ident(index) + QStringLiteral(" ORDER BY ") + columns.first();
            }
            Statement walk = prepare(sql);
            while (walk.step())
                if (stop.load()) return {SQLITE_INTERRUPT, {}};
        }
    } catch (const DbError& error) {
        return {error.code(), error.message()};
    }
    return {};
}

// What the connection and its checking worker share. The worker may outlive
// the connection: a program that ends while a large file is still being checked
// does not wait for the check.
struct Database::FileCheck {
    std::mutex mutex;
    std::condition_variable finished;
    std::optional<CheckVerdict> verdict;
    sqlite3* reader = nullptr;  // the worker's connection while it checks
    std::atomic<bool> abandoned = false;
    bool wanted = false;  // a write waits for the verdict: start at once
};

namespace {
// The check starts this long after the file was opened, so that it does not
// compete with building and showing the main window; a write starts it sooner.
constexpr auto kCheckDelay = std::chrono::milliseconds(400);
}  // namespace

void Database::startFileCheck(const QByteArray& key) {
    auto check = std::make_shared<FileCheck>();
    m_fileCheck = check;
    // The worker reads through a connection of its own; the engine allows one
    // connection per thread.
    std::thread([path = path(), key, check] {
        CheckVerdict verdict;
        try {
            {
                std::unique_lock lock(check->mutex);
                check->finished.wait_for(lock, kCheckDelay,
                                         [&] { return check->wanted || check->abandoned.load(); });
            }
            if (check->abandoned) throw DbError(SQLITE_INTERRUPT, QString());
            auto reader = openWithFlags(path, key, SQLITE_OPEN_READONLY, kDefaultBusyTimeoutMs);
            {
                const std::lock_guard lock(check->mutex);
                if (check->abandoned) throw DbError(SQLITE_INTERRUPT, QString());
                check->reader = reader->handle();
            }
            verdict = reader->readEveryPage(check->abandoned);
            const std::lock_guard lock(check->mutex);
            check->reader = nullptr;
        } catch (const DbError& error) {
            verdict = {error.code(), error.message()};
        }
        const std::lock_guard lock(check->mutex);
        check->verdict = verdict;
        check->finished.notify_all();
    }).detach();
}

void Database::requireSoundFile() {
    if (m_sound) return;
    CheckVerdict verdict{SQLITE_MISUSE, {}};
    if (m_fileCheck) {
        std::unique_lock lock(m_fileCheck->mutex);
        m_fileCheck->wanted = true;
        m_fileCheck->finished.notify_all();
        m_fileCheck->finished.wait(lock, [this] { return m_fileCheck->verdict.has_value(); });
        verdict = *m_fileCheck->verdict;
    }
    // A check that could not finish (the worker was kept out by a lock, say)
    // is done again here.
    if (verdict.code != SQLITE_OK && verdict.code != SQLITE_CORRUPT && verdict.code != SQLITE_NOTADB)
        verdict = checkWholeFile();
    if (verdict.code != SQLITE_OK) throw DbError(verdict.code, verdict.message);
    m_sound = true;
}

Database::~Database() {
    if (m_fileCheck) {
        // The check is interrupted; the worker is waited for, so that it never
        // outlives the program's libraries.
        std::unique_lock lock(m_fileCheck->mutex);
        m_fileCheck->abandoned = true;
        if (m_fileCheck->reader) sqlite3_interrupt(m_fileCheck->reader);
        m_fileCheck->finished.notify_all();
        m_fileCheck->finished.wait(lock, [this] { return m_fileCheck->verdict.has_value(); });
    }
}

std::unique_ptr<Database> Database::open(const QString& path, const QByteArray& key,
                                         int busyTimeoutMs) {
    auto db = openWithFlags(path, key, SQLITE_OPEN_READWRITE, busyTimeoutMs);
    db->checkUsable(QFileInfo(path).absoluteFilePath());
    Schema::refuseNewer(*db);
    qint64 bytes = 0;
    {
        Statement pages = db->prepare(QStringLiteral("PRAGMA page_count"));
        Statement pageSize = db->prepare(QStringLiteral("PRAGMA page_size"));
        if (pages.step() && pageSize.step()) bytes = pages.integer(0) * pageSize.integer(0);
    }
    if (bytes <= kCheckedAtOpenBytes || sqlite3_threadsafe() == 0) {
        const CheckVerdict verdict = db->checkWholeFile();
        if (verdict.code != SQLITE_OK) throw DbError(verdict.code, verdict.message);
        db->m_sound = true;
    } else {
        db->startFileCheck(key);
    }
    Schema::upgrade(*db);
    return db;
}

std::unique_ptr<Database> Database::create(const QString& path, const QByteArray& key) {
    auto db = openWithFlags(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            kDefaultBusyTimeoutMs);
    db->m_sound = true;  // nothing in it yet
    return db;
}

void Database::setBusyTimeout(int milliseconds) {
    m_busyTimeoutMs = milliseconds;
    sqlite3_busy_timeout(m_db.get(), milliseconds);
}

QString Database::path() const {
    const char* file = sqlite3_db_filename(m_db.get(), "main");
    return file ? QString::fromUtf8(file) : QString();
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
        throw DbError(sqlite3_errcode(m_db.get()),
                      DbError::explain(sqlite3_errcode(m_db.get()), message, path()));
    }
}

qint64 Database::lastInsertId() const { return sqlite3_last_insert_rowid(m_db.get()); }
