// A database that cannot be used is refused when it is opened, with a message
// that names the file and says what is wrong, and the file is left as it was.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "DatabaseInit.h"
#include "FaultTools.h"
#include "app/InstanceLock.h"
#include "app/Startup.h"
#include "platform/AppInfo.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"

namespace {

// Makes the fault in `folder`, which holds the fresh `database`; returns the path
// to open and what holds the fault in place.
using Maker = std::function<std::pair<QString, std::shared_ptr<void>>(const QString& folder,
                                                                      const QString& database)>;

struct OpenFault {
    const char* name;
    Maker make;
    int code;
    QStringList says;  // besides the file's path
};

Maker at(const char* relative) {
    return [relative](const QString& folder, const QString&) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(relative));
        if (relative[0] == 's') QDir().mkpath(path);  // sub/: a folder in its place
        if (relative[0] == 'e') QDir().mkpath(QFileInfo(path).absolutePath());  // empty/: no file
        return std::pair(path, std::shared_ptr<void>());
    };
}
Maker changed(std::function<void(const QString& database)> change) {
    return [change](const QString&, const QString& database) {
        change(database);
        return std::pair(database, std::shared_ptr<void>());
    };
}
Maker truncated(std::function<qint64(qint64 size)> to) {
    return changed([to](const QString& db) { QFile::resize(db, to(QFileInfo(db).size())); });
}
Maker overwritten(std::function<qint64(qint64 size)> at) {
    return changed([at](const QString& db) {
        writeBytes(db, fileBytes(db).replace(at(QFileInfo(db).size()), 16, QByteArray(16, 'Z')));
    });
}
Maker replacedBy(std::function<void(const QString& database)> make) {
    return changed([make](const QString& db) {
        QFile::remove(db);
        make(db);
    });
}
Maker readOnly(bool folder) {
    return [folder](const QString& dir, const QString& db) {
        return std::pair(db,
                         std::shared_ptr<void>(std::make_shared<ReadOnlyGuard>(folder ? dir : db)));
    };
}

const QString kDamaged = QStringLiteral("damaged");

const std::vector<OpenFault>& faults() {
    static const std::vector<OpenFault> list = {
        {"missing file",
         at("empty/chequedb.mdb"),
         SQLITE_CANTOPEN,
         {QStringLiteral("does not exist")}},
        {"missing folder",
         at("gone/chequedb.mdb"),
         SQLITE_CANTOPEN,
         {QStringLiteral("folder"), QStringLiteral("does not exist")}},
        {"a folder in the file's place",
         at("sub/chequedb.mdb"),
         SQLITE_CANTOPEN,
         {QStringLiteral("is a folder")}},
        {"wrong password",
         replacedBy([](const QString& db) {
             Database::create(db, "another password")
                 ->executeScript(QStringLiteral("CREATE TABLE T (x);"));
         }),
         SQLITE_NOTADB,
         {QStringLiteral("password")}},
        {"empty file",
         truncated([](qint64) { return 0; }),
         SQLITE_NOTADB,
         {QStringLiteral("is empty")}},
        {"a database lacking tables",
         replacedBy([](const QString& db) {
             Database::create(db)->executeScript(
                 QStringLiteral("CREATE TABLE Company (x); CREATE TABLE LanguageMain (x);"));
         }),
         SQLITE_NOTADB,
         {QStringLiteral(
             "not a Quorvanta Solo database: it has no table Settings, AmountWord, BankCheque.")}},
        {"a text file",
         changed([](const QString& db) {
             writeBytes(db, QByteArray("Payee,Amount\nSmith,12.00\n").repeated(200));
         }),
         SQLITE_NOTADB,
         {QStringLiteral("not a Quorvanta Solo database")}},
        {"unencrypted database of another program",
         replacedBy([](const QString& db) {
             sqlite3* raw = nullptr;
             sqlite3_open(QFile::encodeName(db).constData(), &raw);
             sqlite3_exec(raw, "CREATE TABLE Company (Name TEXT)", nullptr, nullptr, nullptr);
             sqlite3_close(raw);
         }),
         SQLITE_NOTADB,
         {QStringLiteral("not a Quorvanta Solo database")}},
        {"truncated inside the first page",
         truncated([](qint64) { return 100; }),
         SQLITE_NOTADB,
         {kDamaged}},
        {"truncated to half",
         truncated([](qint64 size) { return size / 2048 * 1024 + 300; }),
         SQLITE_CORRUPT,
         {kDamaged}},
        // The last 12 bytes of a page are padding outside the checksum: cut into the checksum.
        {"last 100 bytes cut off",
         truncated([](qint64 size) { return size - 100; }),
         SQLITE_CORRUPT,
         {kDamaged}},
        {"bytes overwritten in the first page",
         overwritten([](qint64) { return 200; }),
         SQLITE_NOTADB,
         {kDamaged}},
        {"bytes overwritten in the middle",
         overwritten([](qint64 size) { return size / 2 + 100; }),
         SQLITE_CORRUPT,
         {kDamaged}},
        {"read-only file",
         readOnly(false),
         SQLITE_READONLY,
         {QStringLiteral("read-only"), QStringLiteral("nothing can be saved")}},
        {"read-only folder",
         readOnly(true),
         SQLITE_CANTOPEN,
         {QStringLiteral("folder"), QStringLiteral("is read-only")}},
        {"locked by another connection",
         [](const QString&, const QString& db) {
             std::shared_ptr<Database> other =
                 Database::open(db);  // as another copy does while it commits
             other->prepare(QStringLiteral("BEGIN EXCLUSIVE")).execute();
             return std::pair(db, std::shared_ptr<void>(other));
         },
         SQLITE_BUSY,
         {QStringLiteral("in use by another program"), QStringLiteral("Nothing was changed")}},
    };
    return list;
}

void expectClear(const OpenFault& fault, const QString& path, int code, const QString& text) {
    EXPECT_EQ(code, fault.code) << text.toStdString();
    EXPECT_TRUE(text.contains(u'"' + QDir::toNativeSeparators(path) + u'"'))
        << "the file is not named: " << text.toStdString();
    for (const QString& phrase : fault.says)
        EXPECT_TRUE(text.contains(phrase)) << text.toStdString();
    EXPECT_FALSE(text.contains(u'\n'));
}

TEST(OpenFaults, AreRefusedClearlyAndLeaveTheFileAsItWas) {
    for (const OpenFault& fault : faults()) {
        SCOPED_TRACE(fault.name);
        QTemporaryDir dir;
        const QString database = DatabaseInit::createDatabase(dir.path());
        auto [opened, hold] = fault.make(dir.path(), database);
        if (auto* guard = static_cast<ReadOnlyGuard*>(
                fault.code == SQLITE_READONLY || fault.code == SQLITE_CANTOPEN ? hold.get()
                                                                               : nullptr);
            guard && !guard->holds()) {
            std::cout << "[ SKIPPED  ] " << fault.name << ": " << guard->why().toStdString()
                      << std::endl;
            continue;
        }
        const QString path = QFileInfo(opened).absoluteFilePath();
        const QByteArray before = fileBytes(database);
        const QStringList entries = folderEntries(dir.path());
        QElapsedTimer timer;
        timer.start();
        try {
            Database::open(opened, Database::defaultKey(), 300);
            ADD_FAILURE() << "opened";
        } catch (const DbError& error) {
            expectClear(fault, path, error.code(), error.message());
        }
        if (fault.code == SQLITE_BUSY) {
            EXPECT_GE(timer.elapsed(), 300);
        }

        // Start-up, sent to the folder by the settings (where nothing is ever
        // created), shows the same, under the title with the code, and ends.
        TestEnv env;
        env.machineSettings.values[{AppInfo::settingsKeyPath(),
                                    AppInfo::dataDirectoryValueName()}] =
            QFileInfo(opened).absolutePath();
        AppContext context = env.context;
        ASSERT_EQ(QFileInfo(opened).fileName(), QStringLiteral("chequedb.mdb"));
        QTemporaryDir program;
        const StartupResult started =
            startApplication(context, {program.path(), program.filePath(QStringLiteral("user"))});
        EXPECT_FALSE(started.mainWindow || started.db);
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].title, startupErrorTitle(fault.code));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
        expectClear(fault, path, fault.code, env.dialogs.messages[0].text);

        hold.reset();
        EXPECT_EQ(fileBytes(database), before) << "the file was changed";
        // Only the lock file that keeps a second copy of the program out may be new.
        QStringList after = folderEntries(dir.path());
        if (!entries.contains(InstanceLock::fileName())) after.removeAll(InstanceLock::fileName());
        EXPECT_EQ(after, entries) << "files were made or removed beside it";
        EXPECT_FALSE(QFileInfo::exists(program.filePath(QStringLiteral("user"))));
    }
}

// Damage anywhere is found when the file is opened, not when the damaged rows
// are first read, perhaps after a cheque was printed.
TEST(OpenFaults, OneChangedByteInAnyPageIsFound) {
    QTemporaryDir dir;
    const QString database = DatabaseInit::createDatabase(dir.path());
    const QByteArray good = fileBytes(database);
    for (int at = 700; at < good.size(); at += 1024) {
        QByteArray bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x01);
        writeBytes(database, bad);
        try {
            Database::open(database);
            ADD_FAILURE() << "a changed byte at " << at << " went unnoticed";
        } catch (const DbError& error) {
            EXPECT_TRUE(error.message().contains(kDamaged)) << error.message().toStdString();
        }
    }
}

}  // namespace
