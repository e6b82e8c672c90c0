// Saves that meet a locked database or a read-only folder fail after the wait,
// with a clear message, and leave every table as it was; the next save works.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <thread>

#include "DatabaseInit.h"
#include "FaultTools.h"
#include "faults/helper/FaultRecords.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/SettingsStore.h"
#include "support/QStringPrinter.h"

namespace {

using namespace FaultRecords;

// Each save starts from a file that holds one payee and format "OLD"; `isStored`
// tells, on another connection, whether the save is in the file.
struct Save {
    std::function<void(Database&)> run;
    std::function<bool(Database&)> isStored;
};

const Save kSaves[] = {
    {[](Database& db) { CompanyStore::insert(db, payeeName(1)); },
     [](Database& db) { return CompanyStore::exists(db, payeeName(1)); }},
    {[](Database& db) {
         CompanyStore::rename(db, CompanyStore::listByName(db).at(0).id, payeeName(2));
     },
     [](Database& db) { return CompanyStore::exists(db, payeeName(2)); }},
    {[](Database& db) { CompanyStore::remove(db, CompanyStore::listByName(db).at(0).id); },
     [](Database& db) { return CompanyStore::listByName(db).empty(); }},
    {[](Database& db) { ChequeFormatStore::insert(db, format(3)); },
     [](Database& db) { return ChequeFormatStore::findByCode(db, formatCode(3)).has_value(); }},
    {[](Database& db) { ChequeFormatStore::update(db, QStringLiteral("OLD"), format(4)); },
     [](Database& db) { return ChequeFormatStore::findByCode(db, formatCode(4)).has_value(); }},
    {[](Database& db) { ChequeFormatStore::remove(db, QStringLiteral("OLD")); },
     [](Database& db) { return ChequeFormatStore::listById(db).empty(); }},
    {[](Database& db) { SettingsStore::writeOptions(db, 0, 0, 0, settingsMark(5)); },
     [](Database& db) { return SettingsStore::read(db)->dateFormat == settingsMark(5); }},
};

QString makeDatabase(const QTemporaryDir& dir) {
    const QString path = DatabaseInit::createDatabase(dir.path());
    auto db = Database::open(path);
    CompanyStore::insert(*db, QStringLiteral("Existing"));
    ChequeFormat old = format(0);
    old.bankCode = QStringLiteral("OLD");
    ChequeFormatStore::insert(*db, old);
    return path;
}

void expectLocked(const std::function<void()>& save, const QString& path) {
    QElapsedTimer timer;
    timer.start();
    try {
        save();
        ADD_FAILURE() << "went through the other connection's lock";
    } catch (const DbError& error) {
        EXPECT_EQ(error.code(), SQLITE_BUSY) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(u'"' + path + u'"'));
        EXPECT_TRUE(error.message().contains(QStringLiteral("in use by another program")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("Nothing was changed")));
    }
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_LT(timer.elapsed(), 150 + 3000);
}

TEST(LockedDatabase, EverySaveWaitsThenFailsClearlyAndLeavesNothing) {
    const char* holders[] = {
        "BEGIN IMMEDIATE; INSERT INTO Company (Name) VALUES ('held by the other');",
        "BEGIN; SELECT count(*) FROM AmountWord;", "BEGIN EXCLUSIVE;"};
    for (const char* holder : holders) {
        for (const Save& save : kSaves) {
            SCOPED_TRACE(std::string(holder) + " / save " + std::to_string(&save - kSaves));
            QTemporaryDir dir;
            const QString path = makeDatabase(dir);
            auto mine = Database::open(path, Database::defaultKey(), 150);
            auto other = Database::open(path);
            const QString before = snapshot(*other);
            other->executeScript(QString::fromLatin1(holder));
            expectLocked([&] { save.run(*mine); }, path);
            EXPECT_TRUE(sqlite3_get_autocommit(mine->handle())) << "a transaction was left open";
            other->executeScript(QStringLiteral("ROLLBACK;"));
            EXPECT_EQ(snapshot(*other), before) << "the failed save left something behind";
            save.run(*mine);  // once the other lets go, the same save goes through
            EXPECT_TRUE(save.isStored(*other));
        }
    }
    // Reads wait for an exclusive lock too.
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    auto mine = Database::open(path, Database::defaultKey(), 150);
    auto other = Database::open(path);
    other->executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
    expectLocked([&] { CompanyStore::listByName(*mine); }, path);
}

// The default wait is long enough for another copy's short saves to finish.
TEST(LockedDatabase, ASaveWaitsForAShortLockAndSucceeds) {
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    auto mine = Database::open(path);
    auto other = Database::open(path);
    other->executeScript(QStringLiteral("BEGIN EXCLUSIVE;"));
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other->handle(), "COMMIT", nullptr, nullptr, nullptr);
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW(CompanyStore::insert(*mine, QStringLiteral("After the wait")));
    EXPECT_GE(timer.elapsed(), 250);
    release.join();
}

// A folder or file made read-only while the program runs.
TEST(ReadOnlyWhileRunning, SavesFailClearlyAndLeaveNothing) {
    for (const bool folder : {true, false}) {
        for (const Save& save : kSaves) {
            SCOPED_TRACE(std::string(folder ? "folder" : "file") + ", save " +
                         std::to_string(&save - kSaves));
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
                    // Permission bits are checked when a file is opened; only the
                    // immutable attribute stops writes to a file already open.
                    EXPECT_TRUE(!folder && ::geteuid() != 0)
                        << "saved into a read-only file or folder";
                } catch (const DbError& error) {
                    const QString text = error.message();
                    EXPECT_TRUE(text.contains(u'"' + path + u'"') &&
                                text.contains(QStringLiteral("Allow changes to ")))
                        << text.toStdString();
                    // A file that refuses writes cannot have its journal played back:
                    // until it can be written the engine reads nothing from it.
                    EXPECT_TRUE(text.contains(
                        folder ? QStringLiteral("no journal file could be made in its folder \"") +
                                     dir.path() + u'"'
                               : QStringLiteral("is read-only")))
                        << text.toStdString();
                    if (folder) {
                        EXPECT_EQ(snapshot(*db), before);
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
            EXPECT_TRUE(save.isStored(*Database::open(path)));
        }
    }
}

}  // namespace
