// Kills mid-save, a full disk, locks, read-only and unusable files: each reported clearly, the file left whole.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <QProcess>

#include <map>
#include <random>
#include <thread>

#include "DatabaseInit.h"
#include "faults/helper/FaultRecords.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/RegisterFill.h"
#include "support/TestEnv.h"

namespace {

using namespace FaultRecords;
using Hold = std::shared_ptr<void>;
using namespace Qt::StringLiterals;

QByteArray fileBytes(const QString& p) { QFile f(p); return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray(); }
void writeBytes(const QString& p, const QByteArray& bytes) { QFile f(p); if (f.open(QFile::WriteOnly)) f.write(bytes); }
qint64 sizeOf(const QString& p) { return QFileInfo(p).size(); }
QStringList entries(QDir d) { return d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
QString snapshot(Database& db) {  // the engine's full check of the file, then every row of every table as text
    QString all;
    for (const char* table : {"PRAGMA integrity_check", "Settings", "Company", "LanguageMain", "AmountWord",
                              "BankCheque", "ChequeRegister", "sqlite_sequence"}) {
        Statement rows = db.prepare((table[0] == 'P' ? QString() : u"SELECT * FROM "_s) + QLatin1String(table));
        for (all += QLatin1String(table); rows.step(); all += u'\n')
            for (int i = 0; i < rows.columnCount(); ++i) all += u'|' + rows.value(i).toString();
    }
    return all;
}
Hold readOnly(const QString& path) {  // while held, for root too (immutable attribute); null if writes still work
    const auto set = [path, bits = QFile::permissions(path)](bool on) {
        if (::geteuid()) QFile::setPermissions(path, on ? bits & ~QFile::Permissions(0x2222) : bits);
        else QProcess::execute(u"chattr"_s, {QLatin1String(on ? "+i" : "-i"), path});
    };
    const Hold hold((set(true), new char), [set](void* p) { set(false), delete static_cast<char*>(p); });
    return ::access(QFile::encodeName(path).constData(), W_OK) ? hold : Hold();
}
Hold lockedBy(const QString& path, const char* sql) {  // holds what `sql` locked, as another copy does
    std::shared_ptr<Database> other = Database::open(path);
    return other->executeScript(QString::fromLatin1(sql)), other;
}
// `run` must fail with `code` (any when 0), naming the file and saying `says`. Returns the milliseconds it took.
qint64 expectRefused(const std::function<void()>& run, int code, const QString& path, const char* says) {
    const auto started = std::chrono::steady_clock::now();
    try { run(); ADD_FAILURE() << "went through"; } catch (const DbError& error) {
        EXPECT_TRUE((!code || error.code() == code) && error.message().contains(u'"' + path + u'"') &&
                    error.message().contains(QString::fromUtf8(says))) << error.message().toStdString();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
}

std::vector<int> reported(const QByteArray& output, const QByteArray& word) {  // "done 3" gives 3
    std::vector<int> numbers;
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith(word)) numbers.push_back(line.split(' ').at(1).toInt());
    return numbers;
}
// The file is sound and holds each save reported done once, whole (cut short: pending). Records: 1 each, 2 pending.
std::map<int, int> readBack(const QString& path, const std::vector<int>& done) {
    auto db = Database::open(path);
    EXPECT_TRUE(snapshot(*db).startsWith(u"PRAGMA integrity_check|ok\n"_s));
    std::map<int, int> stored;  // 10 and more: not as saved
    const auto number = [](const QString& name) { return name.section(u' ', 1, 1).toInt(); };
    for (const Payee& p : CompanyStore::listByName(*db))  // a payee's name begins with "Payee n "
        stored[number(p.name)] += p.name.startsWith(payeeName(number(p.name))) ? 1 : 10;
    for (ChequeFormat f : ChequeFormatStore::listById(*db))
        stored[f.bankCode.mid(1).toInt()] += (f.id = 0, f == format(f.bankCode.mid(1).toInt())) ? 1 : 10;
    const auto key = [](const auto& e) { return std::tie(e.payee, e.amountCents, e.amountText, e.destination); };
    for (const RegisterEntry& e : RegisterStore::page(*db, {}, 0, 1000000)) {
        const int n = e.chequeNumber.toInt();
        stored[n] += key(e) != key(registerEntry(n)) ? 10 : e.state == RegisterEntry::State::Pending ? 2
                     : e.state == RegisterEntry::State::Printed && e.jobId == n ? 1 : 10;
    }
    for (const RegisterEntry& e : RegisterStore::listPending(*db))
        RegisterStore::markPrinted(*db, e.id, e.printedAt, e.destination, e.chequeNumber.toInt());
    const UserSettings options = *SettingsStore::read(*db);
    const int mark = options.dateFormat.section(u' ', 1, 1).toInt();
    if (mark) stored[-mark] = options.dateFormat == settingsMark(mark) && options.saveChange == mark % 2 ? 1 : 10;
    for (int n : done) EXPECT_TRUE(kindOf(n) == Kind::Settings || stored.count(n)) << "save " << n << " lost";
    const auto last = std::find_if(done.rbegin(), done.rend(), [](int n) { return kindOf(n) == Kind::Settings; });
    for (const auto& [n, value] : stored)
        EXPECT_TRUE(value == 1 || (value == 2 && !std::count(done.begin(), done.end(), n))) << n << ": " << value;
    EXPECT_GE(mark, last == done.rend() ? 0 : *last) << "the options row lost its last reported save";
    return stored;
}

// The first run meets a full disk; each later run is killed after 0 to 2 reported saves and 0 to 30 ms more.
TEST(ChildWriter, EveryReportedSaveSurvivesAFullDiskOrAKill) {
    const int kills = std::max(80, qEnvironmentVariableIntValue("QUORVANTA_FAULT_KILLS"));
    const uint seed = qEnvironmentVariable("QUORVANTA_FAULT_SEED", QString::number(std::random_device{}())).toUInt();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> saves(0, 2), delayUs(0, 30000);
    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    const qint64 limit = QFileInfo(path).size() + 48 * 1024;
    std::vector<int> done;
    int next = 1, hotJournals = 0, leftPending = 0;
    for (int run = 0; run <= kills; ++run, ++next) {  // a cut-short record's number is never used again
        SCOPED_TRACE("run " + std::to_string(run) + ", seed " + std::to_string(seed));
        QProcess writer;
        QByteArray output;
        writer.start(QStringLiteral(FAULT_WRITER), QStringList{path, QString::number(next)} +
                     (run ? QStringList{u"1000000"_s} : QStringList{u"150"_s, QString::number(limit)}));
        for (const int waitFor = saves(random);
             run && (!output.contains("ready\n") || output.count("done ") < waitFor) && writer.waitForReadyRead(10000);)
            output += writer.readAllStandardOutput();
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        if (run) writer.kill();
        writer.waitForFinished(60000);
        const QByteArray journal = fileBytes(path + u"-journal"_s);  // of a save cut short: no stored text shows
        hotJournals += !journal.isEmpty();
        EXPECT_FALSE(journal.contains("O'Neil") || journal.contains("Savings") || journal.contains("AmountWord"));
        output += writer.readAllStandardOutput();
        ASSERT_TRUE(output.startsWith("ready\n") &&
                    writer.exitStatus() == (run ? QProcess::CrashExit : QProcess::NormalExit)) << output.toStdString();
        for (int n : reported(output, "done ")) done.push_back(n), next = run ? n + 1 : 150;
        const auto stored = readBack(path, done);
        for (int n : reported(output, "pending ")) EXPECT_TRUE(stored.count(n)) << "cheque " << n << " lost";
        for (const auto& [n, value] : stored) EXPECT_LE(std::abs(n), next) << "record " << n << " from nowhere";
        for (const auto& [n, value] : stored) leftPending += value == 2;
        EXPECT_TRUE(run || (reported(output, "fail ").size() >= 10 && QFileInfo(path).size() <= limit));
        for (const QByteArray& line : output.split('\n')) {
            const int n = line.split(' ').value(1).toInt(), code = line.split(' ').value(2).toInt();
            EXPECT_TRUE(!line.startsWith("fail ") || (!run && (code == SQLITE_FULL || code == SQLITE_IOERR) &&
                        line.contains(QByteArray("\"" + path.toUtf8() + "\" could not be written: the disk")) &&
                        (kindOf(n) == Kind::Settings || !stored.count(n) || stored.at(n) == 2))) << line.toStdString();
        }
    }
    EXPECT_GE(done.size(), static_cast<size_t>(10 + kills / 2));
    const QByteArray bytes = fileBytes(path);  // without the program's key the file gives nothing away
    EXPECT_FALSE(bytes.contains("SQLite format 3") || bytes.contains("O'Neil") || bytes.contains("AmountWord"));
    EXPECT_TRUE(hotJournals && leftPending) << "no kill landed mid-save or between a cheque's two writes";
}

// A save meeting a lock or a folder or file made read-only fails, changes nothing, and goes through once it is gone.
TEST(WriteFaults, EverySaveFailsClearlyAndLeavesNothingUntilTheFaultIsGone) {
#define SAVE(...) [](Database& db) { __VA_ARGS__; }
    const std::function<void(Database&)> saves[] = {  // on a file holding payee 1 "P" and format K0
        SAVE(CompanyStore::insert(db, payeeName(1))), SAVE(RegisterStore::addPending(db, registerEntry(6))),
        SAVE(CompanyStore::rename(db, 1, payeeName(2))), SAVE(CompanyStore::remove(db, 1)),
        SAVE(ChequeFormatStore::insert(db, format(3))), SAVE(ChequeFormatStore::update(db, u"K0"_s, format(4))),
        SAVE(ChequeFormatStore::remove(db, u"K0"_s)), SAVE(SettingsStore::writeOptions(db, 0, 0, 0, settingsMark(5)))};
#undef SAVE
    const char* busy = "a second copy of Quorvanta Solo, and stayed locked while this one waited. Nothing was changed";
    const struct { const char *name, *lockedBy /* else read-only */, *says; } faults[] = {
        {"locked for writing", "BEGIN IMMEDIATE; INSERT INTO Company (Name) VALUES ('x');", busy},
        {"locked by a reader", "BEGIN; SELECT * FROM AmountWord;", busy}, {"exclusive lock", "BEGIN EXCLUSIVE;", busy},
        {"read-only folder", nullptr, "no journal file could be made in its folder"},
        {"read-only file", nullptr, "is read-only"}};  // only root's immutable attribute stops an open file
    for (const auto& fault : faults)
        for (const auto& save : saves) {
            SCOPED_TRACE(std::string(fault.name) + ", save " + std::to_string(&save - saves));
            QTemporaryDir dir;
            const QString path = DatabaseInit::createDatabase(dir.path());
            auto db = Database::open(path, Database::defaultKey(), 150);
            CompanyStore::insert(*db, u"P"_s), ChequeFormatStore::insert(*db, format(0));
            const QString before = snapshot(*db);
            const QStringList files = entries(dir.path());
            Hold hold = fault.lockedBy ? lockedBy(path, fault.lockedBy)
                        : fault.name[11] == 'o' ? readOnly(dir.path()) : ::geteuid() ? Hold() : readOnly(path);
            if (!hold) break;  // cannot be made here: the file when not root
            const qint64 ms = expectRefused([&] { save(*db); }, fault.lockedBy ? SQLITE_BUSY : 0, path, fault.says);
            EXPECT_TRUE(ms < 3000 && (!fault.lockedBy || ms >= 150) && sqlite3_get_autocommit(db->handle())) << ms;
            hold.reset();
            EXPECT_EQ(snapshot(*db), before) << "the failed save left something behind";
            save(*db);
            EXPECT_NE(snapshot(*Database::open(path)), before);
            EXPECT_EQ(entries(dir.path()), files);
        }
}

// Reads wait for a lock too, and a transaction waits when it begins, not at its first write, when it no longer could.
TEST(LockedDatabase, ReadsAndTransactionsWaitForTheLock) {
    TestEnv env;
    const QString path = env.databasePath();
    auto mine = Database::open(path, Database::defaultKey(), 150);
    env.db().executeScript(u"BEGIN EXCLUSIVE;"_s);
    expectRefused([&] { CompanyStore::listByName(*mine); }, SQLITE_BUSY, path, "in use by another program");
    env.db().executeScript(u"ROLLBACK; BEGIN IMMEDIATE;"_s);
    expectRefused([&] { Transaction transaction(*mine); }, SQLITE_BUSY, path, "in use by another program");
    std::jthread release(
        [&env] { std::this_thread::sleep_for(std::chrono::milliseconds(300)), env.db().executeScript(u"COMMIT;"_s); });
    mine->setBusyTimeout(Database::kDefaultBusyTimeoutMs);
    EXPECT_NO_THROW(CompanyStore::insert(*mine, u"After the wait"_s));
}

void overwrite(const QString& db, qint64 at) { writeBytes(db, fileBytes(db).replace(at, 16, QByteArray(16, 'Z'))); }
void replace(const QString& db, const QByteArray& key, const char* sql) {
    sqlite3* raw = (QFile::remove(db), nullptr);
    sqlite3_open(QFile::encodeName(db).constData(), &raw);
    if (!key.isEmpty()) sqlite3_key(raw, key.constData(), static_cast<int>(key.size()));
    sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), sqlite3_close(raw);
}

// An unusable file is refused at open or at the first save, with its name and what is wrong, and left as it was.
TEST(OpenFaults, AreRefusedClearlyAndLeaveTheFileAsItWas) {
    const struct { const char* name; void (*make)(QString& db, Hold& hold); int code; const char* says; } faults[] = {
#define MAKE(...) [](QString& db, [[maybe_unused]] Hold& hold) { __VA_ARGS__; }
        {"missing file", MAKE(QFile::remove(db)), SQLITE_CANTOPEN, "does not exist. Check"},
        {"missing folder", MAKE(db = QFileInfo(db).path() + u"/gone/chequedb.mdb"_s), SQLITE_CANTOPEN, "its folder"},
        {"a folder in the file's place", MAKE(QFile::remove(db), QDir().mkpath(db)), SQLITE_CANTOPEN, "is a folder"},
        {"wrong password", MAKE(replace(db, "another password", "CREATE TABLE T (x)")), SQLITE_NOTADB, "password"},
        {"empty file", MAKE(QFile::resize(db, 0)), SQLITE_NOTADB, "is empty"},
        {"a database lacking tables",
         MAKE(replace(db, Database::defaultKey(), "CREATE TABLE Company (x); CREATE TABLE LanguageMain (x);")),
         SQLITE_NOTADB, "not a Quorvanta Solo database: it has no table Settings, AmountWord, BankCheque."},
        {"a text file", MAKE(writeBytes(db, QByteArray("Smith,12\n").repeated(500))), SQLITE_NOTADB, "not a Quorvanta"},
        {"plain database", MAKE(replace(db, {}, "CREATE TABLE Company (Name TEXT)")), SQLITE_NOTADB, "not a Quorvanta"},
        {"truncated inside the first page", MAKE(QFile::resize(db, 100)), SQLITE_NOTADB, "damaged"},
        {"truncated to half", MAKE(QFile::resize(db, sizeOf(db) / 2048 * 1024 + 300)), SQLITE_CORRUPT, "damaged"},
        {"last 100 bytes cut off", MAKE(QFile::resize(db, sizeOf(db) - 100)), SQLITE_CORRUPT, "damaged"},  // checksum
        {"bytes overwritten in the first page", MAKE(overwrite(db, 200)), SQLITE_NOTADB, "damaged"},
        {"bytes overwritten in the middle", MAKE(overwrite(db, sizeOf(db) / 2 + 100)), SQLITE_CORRUPT, "damaged"},
        {"made by a newer version", MAKE(Database::create(db)->executeScript(u"PRAGMA user_version = 99"_s)),
         SQLITE_CANTOPEN, "newer version"},
        {"read-only file", MAKE(hold = readOnly(db)), SQLITE_READONLY, "nothing can be saved"},
        {"read-only folder", MAKE(hold = readOnly(QFileInfo(db).path())), SQLITE_CANTOPEN, "is read-only, and every"},
        {"locked by another copy", MAKE(hold = lockedBy(db, "BEGIN EXCLUSIVE;")), SQLITE_BUSY, "Nothing was changed"},
        {"damage beyond the check at open",  // too large to check as it opens: the first save waits for a worker's
         MAKE(fillRegister(*Database::open(db), 30000), overwrite(db, sizeOf(db) - 2348)), SQLITE_CORRUPT, "damaged"},
#undef MAKE
    };
    for (const auto& fault : faults) {
        QTemporaryDir dir;
        SCOPED_TRACE(fault.name);
        QString database = DatabaseInit::createDatabase(dir.path()), path = database;
        Hold hold;
        fault.make(path, hold);
        if (!hold && QByteArray(fault.name).startsWith("read-only")) continue;  // cannot be made here
        const auto disk = [&]() -> QByteArray { return fileBytes(database) + entries(dir.path()).join(u'/').toUtf8(); };
        const QByteArray before = disk();
        const auto insert = [&] { CompanyStore::insert(*Database::open(path, Database::defaultKey(), 300), u"x"_s); };
        EXPECT_TRUE(expectRefused(insert, fault.code, path, fault.says) >= 300 || fault.code != SQLITE_BUSY);
        hold.reset();
        EXPECT_TRUE(disk() == before) << "the file was changed, or files made or removed beside it";
    }
    // Damage anywhere is found at open, not when the damaged rows are first read (perhaps after a cheque was printed).
    QTemporaryDir dir;
    const QString database = DatabaseInit::createDatabase(dir.path());
    const QByteArray good = fileBytes(database);
    for (int at = 700; at < good.size(); at += 1024) {
        writeBytes(database, QByteArray(good).replace(at, 1, QByteArray(1, static_cast<char>(good[at] ^ 1))));
        EXPECT_THROW(Database::open(database), DbError) << "a changed byte at " << at << " went unnoticed";
    }
}

}  // namespace
