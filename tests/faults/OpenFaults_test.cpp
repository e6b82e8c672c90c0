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

constexpr int kShortWaitMs = 300;

// One fault made in a folder that holds a fresh database.
struct Made {
    QString path;                // what is opened
    std::shared_ptr<void> hold;  // keeps the fault in place while it lives
    QString skip;                // why the fault cannot be made here
};

struct OpenFault {
    const char* name;
    std::function<Made(const QString& folder, const QString& database)> make;
    int code;
    QStringList says;  // besides the file's path
};

Made truncatedTo(const QString& database, qint64 size) {
    QFile::resize(database, size);
    return {database, {}, {}};
}

Made overwrittenAt(const QString& database, qint64 offset) {
    QByteArray bytes = fileBytes(database);
    for (qint64 i = offset; i < offset + 16 && i < bytes.size(); ++i) bytes[i] = char(0x5a);
    writeBytes(database, bytes);
    return {database, {}, {}};
}

Made readOnly(const QString& path, const QString& database) {
    auto guard = std::make_shared<ReadOnlyGuard>(path);
    return {database, guard, guard->holds() ? QString() : guard->why()};
}

// Another connection holding an exclusive lock, as a second copy of the
// program does while it commits.
Made lockedExclusively(const QString& database) {
    std::shared_ptr<Database> other = Database::open(database);
    other->prepare(QStringLiteral("BEGIN EXCLUSIVE")).execute();
    return {database, other, {}};
}

Made plainSqlite(const QString& database) {
    QFile::remove(database);
    sqlite3* raw = nullptr;
    sqlite3_open(QFile::encodeName(database).constData(), &raw);
    sqlite3_exec(raw, "CREATE TABLE Company (ID INTEGER PRIMARY KEY, Name TEXT)", nullptr, nullptr,
                 nullptr);
    sqlite3_close(raw);
    return {database, {}, {}};
}

const QString kDamaged = QStringLiteral("damaged");

std::vector<OpenFault> faults() {
    const qint64 page = 1024;
    return {
        {"missing file",
         [](const QString& folder, const QString&) {
             QDir(folder).mkdir(QStringLiteral("empty"));
             return Made{QDir(folder).filePath(QStringLiteral("empty/chequedb.mdb")), {}, {}};
         },
         SQLITE_CANTOPEN,
         {QStringLiteral("does not exist")}},
        {"missing folder",
         [](const QString& folder, const QString&) {
             return Made{QDir(folder).filePath(QStringLiteral("gone/chequedb.mdb")), {}, {}};
         },
         SQLITE_CANTOPEN,
         {QStringLiteral("folder"), QStringLiteral("does not exist")}},
        {"a folder in the file's place",
         [](const QString& folder, const QString&) {
             const QString path = QDir(folder).filePath(QStringLiteral("sub/chequedb.mdb"));
             QDir().mkpath(path);
             return Made{path, {}, {}};
         },
         SQLITE_CANTOPEN,
         {QStringLiteral("is a folder")}},
        {"wrong password",
         [](const QString&, const QString& database) {
             const QString other = database + QStringLiteral(".other");
             {
                 auto db = Database::create(other, QByteArrayLiteral("another password"));
                 db->executeScript(QStringLiteral("CREATE TABLE Company (Name TEXT);"));
             }
             QFile::remove(database);
             QFile::rename(other, database);
             return Made{database, {}, {}};
         },
         SQLITE_NOTADB,
         {QStringLiteral("password")}},
        {"empty file",
         [](const QString&, const QString& db) { return truncatedTo(db, 0); },
         SQLITE_NOTADB,
         {QStringLiteral("is empty")}},
        {"a database lacking tables",
         [](const QString&, const QString& database) {
             QFile::remove(database);
             auto db = Database::create(database);
             db->executeScript(QStringLiteral(
                 "CREATE TABLE Company (ID INTEGER PRIMARY KEY, Name TEXT);"
                 "CREATE TABLE LanguageMain (ID INTEGER PRIMARY KEY, LanguageName TEXT);"));
             return Made{database, {}, {}};
         },
         SQLITE_NOTADB,
         {QStringLiteral("not a Quorvanta Solo database: it has no table Settings, AmountWord, "
                         "BankCheque.")}},
        {"a text file",
         [](const QString&, const QString& db) {
             writeBytes(db, QByteArray("Payee,Amount\nSmith,12.00\n").repeated(200));
             return Made{db, {}, {}};
         },
         SQLITE_NOTADB,
         {QStringLiteral("not a Quorvanta Solo database")}},
        {"unencrypted database of another program",
         [](const QString&, const QString& db) { return plainSqlite(db); },
         SQLITE_NOTADB,
         {QStringLiteral("not a Quorvanta Solo database")}},
        {"truncated inside the first page",
         [](const QString&, const QString& db) { return truncatedTo(db, 100); },
         SQLITE_NOTADB,
         {kDamaged}},
        {"truncated to the first page",
         [page](const QString&, const QString& db) { return truncatedTo(db, page); },
         SQLITE_CORRUPT,
         {kDamaged}},
        {"truncated to half, on a page boundary",
         [page](const QString&, const QString& db) {
             return truncatedTo(db, QFileInfo(db).size() / page / 2 * page);
         },
         SQLITE_CORRUPT,
         {kDamaged}},
        {"truncated to half, inside a page",
         [page](const QString&, const QString& db) {
             return truncatedTo(db, QFileInfo(db).size() / page / 2 * page + 300);
         },
         SQLITE_CORRUPT,
         {kDamaged}},
        // The last 12 bytes of a page are padding outside the checksum: cutting
        // them off loses nothing, so cut into the checksum.
        {"last 100 bytes cut off",
         [](const QString&, const QString& db) {
             return truncatedTo(db, QFileInfo(db).size() - 100);
         },
         SQLITE_CORRUPT,
         {kDamaged}},
        {"bytes overwritten in the first page",
         [](const QString&, const QString& db) { return overwrittenAt(db, 200); },
         SQLITE_NOTADB,
         {kDamaged}},
        {"bytes overwritten in the middle",
         [](const QString&, const QString& db) {
             return overwrittenAt(db, QFileInfo(db).size() / 2 + 100);
         },
         SQLITE_CORRUPT,
         {kDamaged}},
        {"bytes overwritten in the last page",
         [](const QString&, const QString& db) {
             return overwrittenAt(db, QFileInfo(db).size() - 500);
         },
         SQLITE_CORRUPT,
         {kDamaged}},
        {"read-only file",
         [](const QString&, const QString& db) { return readOnly(db, db); },
         SQLITE_READONLY,
         {QStringLiteral("read-only"), QStringLiteral("nothing can be saved")}},
        {"read-only folder",
         [](const QString& folder, const QString& db) { return readOnly(folder, db); },
         SQLITE_CANTOPEN,
         {QStringLiteral("folder"), QStringLiteral("is read-only")}},
        {"locked by another connection",
         [](const QString&, const QString& db) { return lockedExclusively(db); },
         SQLITE_BUSY,
         {QStringLiteral("in use by another program"), QStringLiteral("Nothing was changed")}},
    };
}

// Checks one refusal: the code, the file named, each phrase.
void expectClear(const OpenFault& fault, const QString& path, int code, const QString& text) {
    EXPECT_EQ(code, fault.code) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"')))
        << "the file is not named: " << text.toStdString();
    for (const QString& phrase : fault.says)
        EXPECT_TRUE(text.contains(phrase))
            << "\"" << phrase.toStdString() << "\" missing from: " << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
}

class OpenFaults : public ::testing::TestWithParam<OpenFault> {};

TEST_P(OpenFaults, AreRefusedClearlyAndLeaveTheFileAsItWas) {
    const OpenFault& fault = GetParam();
    QTemporaryDir dir;
    const QString database = DatabaseInit::createDatabase(dir.path());
    Made made = fault.make(dir.path(), database);
    if (!made.skip.isEmpty()) {
        GTEST_SKIP() << made.skip.toStdString();
    }
    const QString path = QFileInfo(made.path).absoluteFilePath();
    const QByteArray before = fileBytes(database);
    const QStringList entries = folderEntries(dir.path());

    // The connection the program opens.
    QElapsedTimer timer;
    timer.start();
    try {
        Database::open(made.path, Database::defaultKey(), kShortWaitMs);
        ADD_FAILURE() << fault.name << " was opened";
    } catch (const DbError& error) {
        expectClear(fault, path, error.code(), error.message());
    }
    if (fault.code == SQLITE_BUSY) {
        EXPECT_GE(timer.elapsed(), kShortWaitMs);
    }

    // Start-up, sent to the folder by the settings (where nothing is ever created),
    // shows the same, under the title with the code, and ends.
    TestEnv env;
    env.machineSettings.values[{AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName()}] =
        QFileInfo(made.path).absolutePath();
    AppContext context = env.context;
    ASSERT_EQ(QFileInfo(made.path).fileName(), QStringLiteral("chequedb.mdb"));
    QTemporaryDir program;
    StartupResult started =
        startApplication(context, {program.path(), program.filePath(QStringLiteral("user"))});
    EXPECT_FALSE(started.mainWindow);
    EXPECT_FALSE(started.db);
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    const auto& shown = env.dialogs.messages[0];
    EXPECT_EQ(shown.title, startupErrorTitle(fault.code));
    EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
    expectClear(fault, path, fault.code, shown.text);

    made.hold.reset();
    EXPECT_EQ(fileBytes(database), before) << "the file was changed";
    // Only the lock file that keeps a second copy of the program out may be new.
    QStringList after = folderEntries(dir.path());
    if (!entries.contains(InstanceLock::fileName())) after.removeAll(InstanceLock::fileName());
    EXPECT_EQ(after, entries) << "files were made or removed beside it";
    EXPECT_FALSE(QFileInfo::exists(program.filePath(QStringLiteral("user"))));
}

INSTANTIATE_TEST_SUITE_P(Database, OpenFaults, ::testing::ValuesIn(faults()),
                         [](const ::testing::TestParamInfo<OpenFault>& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name))
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });

// Damage anywhere is found when the file is opened, not when the damaged rows
// are first read, perhaps after a cheque was printed.
TEST(OpenFaultsEveryPage, OneChangedByteInAnyPageIsFound) {
    QTemporaryDir dir;
    const QString database = DatabaseInit::createDatabase(dir.path());
    const QByteArray good = fileBytes(database);
    const int page = 1024;
    ASSERT_EQ(good.size() % page, 0);
    for (int p = 0; p < good.size() / page; ++p) {
        QByteArray bad = good;
        const int at = p * page + 700;
        bad[at] = static_cast<char>(bad[at] ^ 0x01);
        writeBytes(database, bad);
        try {
            Database::open(database);
            ADD_FAILURE() << "a changed byte in page " << p + 1 << " went unnoticed";
        } catch (const DbError& error) {
            EXPECT_TRUE(error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB)
                << error.code();
            EXPECT_TRUE(error.message().contains(kDamaged)) << error.message().toStdString();
        }
        EXPECT_EQ(fileBytes(database), bad);
    }
    writeBytes(database, good);
    EXPECT_NO_THROW(Database::open(database));
}

}  // namespace
