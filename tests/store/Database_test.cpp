#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "support/TestEnv.h"
#include "support/QStringPrinter.h"

namespace {

TEST(Database, MissingFileIsAnErrorAndNoFileIsCreated) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("chequedb.mdb"));
    try {
        Database::open(path);
        FAIL() << "opening a missing file succeeded";
    } catch (const DbError& error) {
        EXPECT_EQ(error.code(), SQLITE_CANTOPEN);
        EXPECT_TRUE(error.message().contains(QStringLiteral("chequedb.mdb")));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(Database, WrongPasswordIsRefused) {
    TestEnv env;
    try {
        Database::open(env.databasePath(), QByteArrayLiteral("not the key"));
        FAIL() << "a wrong key opened the database";
    } catch (const DbError& error) {
        EXPECT_EQ(error.code(), SQLITE_NOTADB);
    }
}

TEST(Database, FileIsEncryptedAtRest) {
    TestEnv env;
    CompanyStore::insert(env.db(), QStringLiteral("Plaintext Payee Name"));
    QFile file(env.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("Plaintext Payee Name"));
    EXPECT_FALSE(bytes.contains("AmountWord"));
}

TEST(Database, TextRoundTripsExactly) {
    const QStringList names = {
        QStringLiteral("O\"Brien"),
        QStringLiteral("Smith's \"Best\" Ltd"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("Ahmad bin Abd\u00fcl \u00c7elik"),
        QStringLiteral("\u674e\u5c0f\u9f99"),
        QStringLiteral("x'); DROP TABLE Company; --"),
        QStringLiteral("\u05e9\u05dc\u05d5\u05dd e\u0301"),
    };
    TestEnv env;
    for (const QString& name : names) CompanyStore::insert(env.db(), name);
    env.reopen();
    QStringList stored;
    for (const Payee& p : CompanyStore::listByName(env.db())) stored << p.name;
    for (const QString& name : names) {
        EXPECT_TRUE(stored.contains(name)) << name.toStdString();
        EXPECT_TRUE(CompanyStore::exists(env.db(), name)) << name.toStdString();
    }
    EXPECT_EQ(stored.size(), names.size());
}

TEST(Database, FailingWriteIsRolledBackAndReported) {
    TestEnv env;
    EXPECT_THROW(env.db().write(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)")), DbError);
    // No transaction was left open: a new one can start and commit.
    CompanyStore::insert(env.db(), QStringLiteral("After the failure"));
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));

    // A statement that fails half way through a transaction leaves nothing behind.
    try {
        Transaction transaction(env.db());
        env.db().prepare(QStringLiteral("INSERT INTO Company (Name) VALUES ('Half done')")).execute();
        env.db().prepare(QStringLiteral("INSERT INTO Company (ID, Name) VALUES (1, 'x'), (1, 'y')"))
            .execute();
        transaction.commit();
        FAIL() << "duplicate key accepted";
    } catch (const DbError&) {
    }
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("Half done")));
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));
}

// Between saves the file alone holds everything: no log or index files stay
// beside it, even for a file that another tool switched to a write-ahead log.
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
    Statement mode = db->prepare(QStringLiteral("PRAGMA journal_mode"));
    ASSERT_TRUE(mode.step());
    EXPECT_EQ(mode.text(0), QStringLiteral("delete"));
    Statement sync = db->prepare(QStringLiteral("PRAGMA synchronous"));
    ASSERT_TRUE(sync.step());
    EXPECT_EQ(sync.integer(0), 3) << "commits are not synced through the folder";
}

TEST(SettingsStore, InitialRowAndWrites) {
    TestEnv env;
    auto s = SettingsStore::read(env.db());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->saveChange, 1);
    EXPECT_EQ(s->clearData, 1);
    EXPECT_TRUE(s->alertUser);
    EXPECT_EQ(s->dateFormat, QStringLiteral("dd mmm yyyy"));
    EXPECT_EQ(s->bankIndex, 0);
    EXPECT_EQ(s->printDate, 1);
    EXPECT_EQ(s->wordCase, QStringLiteral("UPPER CASE"));

    SettingsStore::writeRememberedChoices(env.db(), 3, 0, QStringLiteral("Proper Case"));
    SettingsStore::writeOptions(env.db(), 0, 1, 0, QStringLiteral("dd/mm/yyyy \"x\""));
    env.reopen();
    s = SettingsStore::read(env.db());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->saveChange, 0);
    EXPECT_EQ(s->clearData, 1);
    EXPECT_FALSE(s->alertUser);
    EXPECT_EQ(s->dateFormat, QStringLiteral("dd/mm/yyyy \"x\""));
    EXPECT_EQ(s->bankIndex, 3);
    EXPECT_EQ(s->printDate, 0);
    EXPECT_EQ(s->wordCase, QStringLiteral("Proper Case"));
}

TEST(SettingsStore, MissingRowReadsAsNothing) {
    TestEnv env;
    env.db().write(QStringLiteral("DELETE FROM Settings"));
    EXPECT_FALSE(SettingsStore::read(env.db()));
    // Updates naming ID 1 change nothing and do not fail.
    SettingsStore::writeRememberedChoices(env.db(), 1, 1, QStringLiteral("x"));
    EXPECT_FALSE(SettingsStore::read(env.db()));
}

TEST(CompanyStore, RenameAndRemoveTouchOnlyTheirRow) {
    TestEnv env;
    const qint64 a = CompanyStore::insert(env.db(), QStringLiteral("Alpha"));
    const qint64 b = CompanyStore::insert(env.db(), QStringLiteral("Bravo"));
    CompanyStore::rename(env.db(), a, QStringLiteral("Zulu"));
    CompanyStore::remove(env.db(), b);
    const auto list = CompanyStore::listByName(env.db());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].id, a);
    EXPECT_EQ(list[0].name, QStringLiteral("Zulu"));
}

TEST(LanguageStore, LooksUpByNameAndId) {
    TestEnv env;
    const auto all = LanguageStore::list(env.db());
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].name, QStringLiteral("English"));
    EXPECT_EQ(LanguageStore::findByName(env.db(), QStringLiteral("Malay"))->id, 2);
    EXPECT_EQ(LanguageStore::findById(env.db(), 1)->name, QStringLiteral("English"));
    EXPECT_FALSE(LanguageStore::findById(env.db(), 99));
    EXPECT_FALSE(LanguageStore::findByName(env.db(), QStringLiteral("Klingon\"")));
}

}  // namespace
