#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "store/CompanyStore.h"
#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

int openFailure(const QString& path, const QByteArray& key = Database::defaultKey()) {
    try {
        Database::open(path, key);
    } catch (const DbError& error) {
        EXPECT_TRUE(error.message().contains(QFileInfo(path).fileName()))
            << error.message().toStdString();
        return error.code();
    }
    return SQLITE_OK;
}

TEST(Database, RefusesAMissingFileAndAWrongKeyAndKeepsTheFileEncrypted) {
    TestEnv env;
    const QString missing = env.directory() + QStringLiteral("/missing.mdb");
    EXPECT_EQ(openFailure(missing), SQLITE_CANTOPEN);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(openFailure(env.databasePath(), QByteArrayLiteral("not the key")), SQLITE_NOTADB);

    CompanyStore::insert(env.db(), QStringLiteral("Plaintext Payee Name"));
    QFile file(env.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("Plaintext Payee Name"));
}

TEST(Database, AFailingWriteLeavesNothingBehind) {
    TestEnv env;
    EXPECT_THROW(env.db().write(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)")), DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));
    try {
        Transaction transaction(env.db());
        env.db()
            .prepare(QStringLiteral("INSERT INTO Company (Name) VALUES ('Half done')"))
            .execute();
        env.db()
            .prepare(QStringLiteral("INSERT INTO Company (ID, Name) VALUES (1, 'x'), (1, 'y')"))
            .execute();
        transaction.commit();
        FAIL() << "duplicate key accepted";
    } catch (const DbError&) {
    }
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("Half done")));
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));
}

// Between saves the file alone holds everything, even one another tool switched
// to a write-ahead log, and commits are synced through the folder.
TEST(Database, SavesLeaveOnlyTheFile) {
    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
        const QByteArray key = Database::defaultKey();
        sqlite3_key(raw, key.constData(), static_cast<int>(key.size()));
        EXPECT_EQ(sqlite3_exec(raw, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    auto db = Database::open(path);
    CompanyStore::insert(*db, QStringLiteral("Saved"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("chequedb.mdb")});
    Statement sync = db->prepare(QStringLiteral("PRAGMA synchronous"));
    ASSERT_TRUE(sync.step());
    EXPECT_EQ(sync.integer(0), 3);
}

TEST(DbError, FileFaultsNameTheFileAndKeepTheEngineText) {
    const QString path = QStringLiteral("/data/100%1 sure/chequedb.mdb");  // no places to fill
    const std::pair<int, const char*> cases[] = {
        {SQLITE_CANTOPEN, "no journal file could be made in its folder \"/data/100%1 sure\""},
        {SQLITE_NOTADB, "not a Quorvanta Solo database"},
        {SQLITE_CORRUPT, "is damaged"},
        {SQLITE_READONLY, "is read-only"},
        {SQLITE_BUSY, "in use by another program"},
        {SQLITE_FULL, "the disk is full"},
        {SQLITE_IOERR_WRITE, "could not be written: the disk may be full"},
        {SQLITE_IOERR_READ, "could not be read: the disk"},
        {SQLITE_PERM, "refused access"},
    };
    for (const auto& [code, says] : cases) {
        const QString text = DbError::explain(code, QStringLiteral("engine says"), path);
        EXPECT_TRUE(text.contains(QStringLiteral("\"/data/100%1 sure/chequedb.mdb\"")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(says))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("(engine says)."))) << text.toStdString();
    }
    // Faults of a statement rather than the file keep the engine's own words.
    EXPECT_EQ(DbError::explain(SQLITE_ERROR, QStringLiteral("no such table: X"), path),
              QStringLiteral("no such table: X"));
    EXPECT_EQ(DbError::explain(SQLITE_BUSY, QStringLiteral("database is locked"), QString()),
              QStringLiteral("database is locked"));
}

TEST(Stores, SettingsPayeesAndLanguagesReadBackWhatWasWritten) {
    TestEnv env;
    using Row = std::tuple<int, int, bool, QString, int, int, QString>;
    const auto row = [&] {
        const auto s = SettingsStore::read(env.db());
        return Row{s->saveChange, s->clearData, s->alertUser, s->dateFormat,
                   s->bankIndex,  s->printDate, s->wordCase};
    };
    EXPECT_EQ(row(),
              Row(1, 1, true, QStringLiteral("dd mmm yyyy"), 0, 1, QStringLiteral("UPPER CASE")));
    SettingsStore::writeRememberedChoices(env.db(), 3, 0, QStringLiteral("Proper Case"));
    SettingsStore::writeOptions(env.db(), 0, 1, 0, QStringLiteral("dd/mm/yyyy"));
    env.reopen();
    EXPECT_EQ(row(),
              Row(0, 1, false, QStringLiteral("dd/mm/yyyy"), 3, 0, QStringLiteral("Proper Case")));
    env.db().write(QStringLiteral("DELETE FROM Settings"));
    EXPECT_FALSE(SettingsStore::read(env.db()));

    const qint64 a = CompanyStore::insert(env.db(), QStringLiteral("Alpha"));
    const qint64 b = CompanyStore::insert(env.db(), QStringLiteral("Bravo"));
    const qint64 c = CompanyStore::insert(env.db(), QStringLiteral("Charlie"));
    CompanyStore::rename(env.db(), a, QStringLiteral("Zulu"));
    CompanyStore::remove(env.db(), b);
    const auto payees = CompanyStore::listByName(env.db());
    ASSERT_EQ(payees.size(), 2u);
    EXPECT_EQ(std::pair(payees[0].id, payees[0].name), std::pair(c, QStringLiteral("Charlie")));
    EXPECT_EQ(std::pair(payees[1].id, payees[1].name), std::pair(a, QStringLiteral("Zulu")));

    EXPECT_EQ(LanguageStore::list(env.db()).size(), 2u);
    EXPECT_EQ(LanguageStore::findByName(env.db(), QStringLiteral("Malay"))->id, 2);
    EXPECT_EQ(LanguageStore::findById(env.db(), 2)->name, QStringLiteral("Malay"));
    EXPECT_FALSE(LanguageStore::findById(env.db(), 99));
    EXPECT_FALSE(LanguageStore::findByName(env.db(), QStringLiteral("Klingon\"")));
}

}  // namespace
