// Saves that meet a locked database or a read-only folder fail after the wait,
// with a clear message, and leave every table as it was; the next save works.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "DatabaseInit.h"
#include "FaultTools.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/SettingsStore.h"
#include "faults/helper/FaultRecords.h"
#include "support/QStringPrinter.h"

namespace {

constexpr int kWaitMs = 150;

struct Save {
    const char* name;
    std::function<void(Database&)> run;
    // Whether the save is in the file, read on another connection.
    std::function<bool(Database&)> isStored;
};

// Each save starts from a file that holds payee "Existing" and format "OLD".
std::vector<Save> saves() {
    using namespace FaultRecords;
    return {
        {"insert payee", [](Database& db) { CompanyStore::insert(db, payeeName(1)); },
         [](Database& db) { return CompanyStore::exists(db, payeeName(1)); }},
        {"rename payee",
         [](Database& db) {
             CompanyStore::rename(db, CompanyStore::listByName(db).at(0).id, payeeName(2));
         },
         [](Database& db) { return CompanyStore::exists(db, payeeName(2)); }},
        {"delete payee",
         [](Database& db) { CompanyStore::remove(db, CompanyStore::listByName(db).at(0).id); },
         [](Database& db) { return CompanyStore::listByName(db).empty(); }},
        {"insert format", [](Database& db) { ChequeFormatStore::insert(db, format(3)); },
         [](Database& db) { return ChequeFormatStore::findByCode(db, formatCode(3)).has_value(); }},
        {"update format",
         [](Database& db) { ChequeFormatStore::update(db, QStringLiteral("OLD"), format(4)); },
         [](Database& db) { return ChequeFormatStore::findByCode(db, formatCode(4)).has_value(); }},
        {"delete format",
         [](Database& db) { ChequeFormatStore::remove(db, QStringLiteral("OLD")); },
         [](Database& db) { return ChequeFormatStore::listById(db).empty(); }},
        {"write options",
         [](Database& db) { SettingsStore::writeOptions(db, 0, 0, 0, settingsMark(5)); },
         [](Database& db) { return SettingsStore::read(db)->dateFormat == settingsMark(5); }},
    };
}

struct Holder {
    const char* name;
    const char* sql;  // what the other connection runs and keeps open
};

const Holder kHolders[] = {
    {"another save in progress",
     "BEGIN IMMEDIATE; INSERT INTO Company (Name) VALUES ('held by the other');"},
    {"another reader in a transaction", "BEGIN; SELECT count(*) FROM AmountWord;"},
    {"an exclusive lock", "BEGIN EXCLUSIVE;"},
};

QString makeDatabase(const QTemporaryDir& dir) {
    const QString path = DatabaseInit::createDatabase(dir.path());
    auto db = Database::open(path);
    CompanyStore::insert(*db, QStringLiteral("Existing"));
    ChequeFormat old = FaultRecords::format(0);
    old.bankCode = QStringLiteral("OLD");
    ChequeFormatStore::insert(*db, old);
    return path;
}

void expectLockedMessage(const DbError& error, const QString& path) {
    EXPECT_EQ(error.code(), SQLITE_BUSY) << error.message().toStdString();
    EXPECT_TRUE(error.message().contains(QLatin1Char('"') + path + QLatin1Char('"')))
        << error.message().toStdString();
    EXPECT_TRUE(error.message().contains(QStringLiteral("in use by another program")));
    EXPECT_TRUE(error.message().contains(QStringLiteral("Nothing was changed")));
}

TEST(LockedDatabase, EverySaveWaitsThenFailsClearlyAndLeavesNothing) {
    for (const Holder& holder : kHolders) {
        for (const Save& save : saves()) {
            SCOPED_TRACE(std::string(holder.name) + " / " + save.name);
            QTemporaryDir dir;
            const QString path = makeDatabase(dir);
            auto mine = Database::open(path, Database::defaultKey(), kWaitMs);
            EXPECT_EQ(mine->busyTimeout(), kWaitMs);
            auto other = Database::open(path);
            const QString before = snapshot(*other);
            other->executeScript(QString::fromLatin1(holder.sql));

            QElapsedTimer timer;
            timer.start();
            try {
                save.run(*mine);
                ADD_FAILURE() << "saved while the other connection held its lock";
            } catch (const DbError& error) {
                expectLockedMessage(error, path);
            }
            EXPECT_GE(timer.elapsed(), kWaitMs);
            EXPECT_LT(timer.elapsed(), kWaitMs + 3000);
            EXPECT_TRUE(sqlite3_get_autocommit(mine->handle())) << "a transaction was left open";

            other->executeScript(QStringLiteral("ROLLBACK;"));
            EXPECT_EQ(snapshot(*other), before) << "the failed save left something behind";
            EXPECT_EQ(snapshot(*mine), before);
            // Once the other lets go, the same save goes through and is seen by it.
            save.run(*mine);
            EXPECT_TRUE(save.isStored(*other));
        }
    }
}

TEST(LockedDatabase, ReadsWaitForAnExclusiveLockThenFailClearly) {
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    auto mine = Database::open(path, Database::defaultKey(), kWaitMs);
    auto other = Database::open(path);
    other->executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
    try {
        CompanyStore::listByName(*mine);
        ADD_FAILURE() << "read through an exclusive lock";
    } catch (const DbError& error) {
        expectLockedMessage(error, path);
    }
    other->executeScript(QStringLiteral("COMMIT;"));
    EXPECT_EQ(CompanyStore::listByName(*mine).size(), 1u);
}

// The default wait is long enough for another copy's short saves to finish.
TEST(LockedDatabase, ASaveWaitsForAShortLockAndSucceeds) {
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    auto mine = Database::open(path);
    EXPECT_EQ(mine->busyTimeout(), Database::kDefaultBusyTimeoutMs);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
    const QByteArray key = Database::defaultKey();
    sqlite3_key(other, key.constData(), static_cast<int>(key.size()));
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    // A thread that only commits the other connection after a while.
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW(CompanyStore::insert(*mine, QStringLiteral("After the wait")));
    EXPECT_GE(timer.elapsed(), 250);
    release.join();
    sqlite3_close(other);
    EXPECT_TRUE(CompanyStore::exists(*mine, QStringLiteral("After the wait")));
}

// A folder or file made read-only while the program runs.
TEST(ReadOnlyWhileRunning, SavesFailClearlyAndLeaveNothing) {
    for (const bool folder : {true, false}) {
        SCOPED_TRACE(folder ? "read-only folder" : "read-only file");
        for (const Save& save : saves()) {
            SCOPED_TRACE(save.name);
            QTemporaryDir dir;
            const QString path = makeDatabase(dir);
            auto db = Database::open(path);
            const QString before = snapshot(*db);
            const QStringList entries = folderEntries(dir.path());
            bool saved = false;
            {
                ReadOnlyGuard guard(folder ? dir.path() : path);
                if (!guard.holds()) GTEST_SKIP() << guard.why().toStdString();
                try {
                    save.run(*db);
                    saved = true;
                    // Permission bits are checked when a file is opened, and
                    // this one was open for writing before it lost them; only
                    // the immutable attribute stops writes to an open file.
                    EXPECT_TRUE(!folder && ::geteuid() != 0)
                        << "saved into a read-only file or folder";
                } catch (const DbError& error) {
                    const QString text = error.message();
                    EXPECT_TRUE(text.contains(QLatin1Char('"') + path + QLatin1Char('"')))
                        << text.toStdString();
                    EXPECT_TRUE(text.contains(QStringLiteral("Allow changes to ")))
                        << text.toStdString();
                    if (folder) {
                        EXPECT_EQ(error.code(), SQLITE_CANTOPEN) << text.toStdString();
                        EXPECT_TRUE(text.contains(QStringLiteral("no journal file could be made "
                                                                 "in its folder \"") +
                                                  dir.path() + QLatin1Char('"')))
                            << text.toStdString();
                        EXPECT_EQ(snapshot(*db), before);
                    } else {
                        // The journal written beside it cannot be played back
                        // into a file that refuses writes: until the file can
                        // be written again the engine reads nothing.
                        EXPECT_TRUE(text.contains(QStringLiteral("is read-only")))
                            << text.toStdString();
                    }
                    EXPECT_TRUE(sqlite3_get_autocommit(db->handle()));
                }
            }
            if (!saved) {
                EXPECT_EQ(snapshot(*db), before);
                save.run(*db);
            }
            EXPECT_EQ(folderEntries(dir.path()), entries);
            EXPECT_EQ(integrityCheck(path), QStringLiteral("ok"));
            auto fresh = Database::open(path);
            EXPECT_TRUE(save.isStored(*fresh));
        }
    }
}

}  // namespace
