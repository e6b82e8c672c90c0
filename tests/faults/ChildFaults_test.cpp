// A child process saves payees, formats and options and reports each save
// once it is committed. It is starved of disk space, or killed at random
// moments; afterwards the file checks out whole and every reported save is in it.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include "DatabaseInit.h"
#include "FaultTools.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/RegisterStore.h"
#include "store/SettingsStore.h"
#include "faults/helper/FaultRecords.h"
#include "support/QStringPrinter.h"

namespace {

using namespace FaultRecords;

struct Reported {
    bool ready = false;
    std::vector<int> done;
    std::map<int, QString> failed;  // record -> "CODE MESSAGE"
};

Reported parse(const QByteArray& output) {
    Reported r;
    for (const QByteArray& line : output.split('\n')) {
        if (line == "ready") r.ready = true;
        if (line.startsWith("done ")) r.done.push_back(line.mid(5).toInt());
        if (line.startsWith("fail ")) {
            const int space = line.indexOf(' ', 5);
            r.failed[line.mid(5, space - 5).toInt()] = QString::fromUtf8(line.mid(space + 1));
        }
    }
    return r;
}

// What the file holds, by record number.
struct Stored {
    std::map<int, int> payees;  // record -> rows
    std::set<int> formats;
    int settings = -1;  // the record of the options row, -1 for the initial one
};

// Reads every record back and checks that each is exactly what was saved.
Stored readBack(const QString& path) {
    Stored s;
    auto db = Database::open(path);
    static const QRegularExpression payee(QStringLiteral("^Payee (\\d+) "));
    for (const Payee& p : CompanyStore::listByName(*db)) {
        const auto match = payee.match(p.name);
        if (!match.hasMatch()) {
            ADD_FAILURE() << "unknown payee " << p.name.toStdString();
            continue;
        }
        const int n = match.captured(1).toInt();
        EXPECT_EQ(kindOf(n), Kind::Payee);
        EXPECT_TRUE(p.name == payeeName(n) || p.name == payeeName(n, 900))
            << "payee " << n << " differs: " << p.name.left(80).toStdString();
        ++s.payees[n];
    }
    for (ChequeFormat f : ChequeFormatStore::listById(*db)) {
        const int n = f.bankCode.mid(1).toInt();
        f.id = 0;
        EXPECT_EQ(f, format(n)) << "format " << f.bankCode.toStdString() << " differs";
        s.formats.insert(n);
    }
    const auto settings = SettingsStore::read(*db);
    if (settings && settings->dateFormat != QStringLiteral("dd mmm yyyy")) {
        const int n = settings->dateFormat.section(QLatin1Char(' '), 1, 1).toInt();
        EXPECT_EQ(settings->dateFormat, settingsMark(n));
        EXPECT_EQ(settings->saveChange, n % 2);
        s.settings = n;
    }
    return s;
}

// Payees and formats; the options row is rewritten by each later save of it.
bool isStored(const Stored& s, int n) {
    return kindOf(n) == Kind::Payee ? s.payees.count(n) > 0 : s.formats.count(n) > 0;
}

QProcess* startWriter(QProcess& process, const QStringList& arguments) {
    process.setProgram(QStringLiteral(FAULT_WRITER));
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start();
    return process.waitForStarted(10000) ? &process : nullptr;
}

// The file size limit stands for a full disk: saves that need the file to grow
// fail, each with a clear message; the rest, and the file, stay sound.
TEST(DiskFull, FailedSavesAreReportedAndNothingIsLost) {
    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    const qint64 limit = QFileInfo(path).size() + 48 * 1024;
    QProcess writer;
    ASSERT_TRUE(startWriter(writer, {path, QStringLiteral("1"), QStringLiteral("150"),
                                     QString::number(limit), QStringLiteral("900")}));
    ASSERT_TRUE(writer.waitForFinished(60000));
    EXPECT_EQ(writer.exitStatus(), QProcess::NormalExit) << "killed by the size limit";
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    const Reported reported = parse(writer.readAllStandardOutput());
    ASSERT_TRUE(reported.ready);
    EXPECT_LE(QFileInfo(path).size(), limit);

    // Payees and formats fail once the file is full; options, rewritten in
    // place, still save.
    int failedInserts = 0;
    std::set<int> codes;
    for (const auto& [n, error] : reported.failed) {
        const int code = error.section(QLatin1Char(' '), 0, 0).toInt();
        codes.insert(code);
        EXPECT_TRUE(code == SQLITE_FULL || code == SQLITE_IOERR) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1Char('"') + path + QLatin1Char('"')))
            << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("could not be written: the disk")))
            << error.toStdString();
        if (kindOf(n) != Kind::Settings) ++failedInserts;
    }
    EXPECT_GE(reported.done.size(), 10u);
    EXPECT_GE(failedInserts, 10);

    EXPECT_EQ(integrityCheck(path), QStringLiteral("ok"));
    const Stored stored = readBack(path);
    for (int n : reported.done) {
        if (kindOf(n) != Kind::Settings) {
            EXPECT_TRUE(isStored(stored, n)) << "save " << n << " lost";
        }
    }
    for (const auto& [n, error] : reported.failed)
        EXPECT_FALSE(kindOf(n) != Kind::Settings && isStored(stored, n))
            << "save " << n << " was reported failed but is stored";
    int lastSettings = -1;
    for (int n : reported.done)
        if (kindOf(n) == Kind::Settings) lastSettings = n;
    EXPECT_EQ(stored.settings, lastSettings);
    for (const auto& [n, rows] : stored.payees) EXPECT_EQ(rows, 1) << "payee " << n;

    std::cout << "[ DISKFULL ] " << reported.done.size() << " saves done, "
              << reported.failed.size() << " failed with codes";
    for (int code : codes) std::cout << ' ' << code;
    std::cout << "; file " << QFileInfo(path).size() << " of " << limit << " bytes; first: "
              << (reported.failed.empty() ? std::string()
                                          : reported.failed.begin()->second.toStdString())
              << std::endl;

    // With room again, saving goes on.
    auto db = Database::open(path);
    EXPECT_NO_THROW(CompanyStore::insert(*db, QStringLiteral("After the disk was freed")));
}

// A process killed while it saves leaves a file that is whole and holds every
// save it reported done.
TEST(KilledWhileSaving, EveryReportedSaveSurvives) {
    const int kills = qEnvironmentVariableIntValue("QUORVANTA_FAULT_KILLS") > 0
                          ? qEnvironmentVariableIntValue("QUORVANTA_FAULT_KILLS")
                          : 60;
    const unsigned seed =
        qEnvironmentVariableIsSet("QUORVANTA_FAULT_SEED")
            ? static_cast<unsigned>(qEnvironmentVariableIntValue("QUORVANTA_FAULT_SEED"))
            : std::random_device{}();
    std::mt19937 random(seed);
    // Each kill comes after 0 to 2 reported saves and then 0 to 30 ms, so
    // that the moments spread over whole saves whatever the disk's speed.
    std::uniform_int_distribution<int> savesFirst(0, 2);
    std::uniform_int_distribution<int> delayUs(0, 30000);
    RecordProperty("seed", static_cast<int>(seed));

    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    const QString journal = path + QStringLiteral("-journal");
    std::set<int> everDone;
    std::set<int> cutShort;
    int next = 1;
    int lastSettingsDone = -1;
    int hotJournals = 0;
    int killedMidRun = 0;
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
        QProcess writer;
        ASSERT_TRUE(startWriter(writer, {path, QString::number(next), QStringLiteral("1000000")}));
        QByteArray output;
        const int waitFor = savesFirst(random);
        while ((!output.contains("ready\n") || output.count("done ") < waitFor) &&
               writer.waitForReadyRead(10000))
            output += writer.readAllStandardOutput();
        ASSERT_TRUE(output.contains("ready\n"))
            << output.toStdString() << writer.readAllStandardError().toStdString();
        QThread::usleep(static_cast<unsigned long>(delayUs(random)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
        output += writer.readAllStandardOutput();
        if (writer.exitStatus() == QProcess::CrashExit) ++killedMidRun;
        if (QFileInfo::exists(journal)) ++hotJournals;

        const Reported reported = parse(output);
        EXPECT_TRUE(reported.failed.empty()) << reported.failed.begin()->second.toStdString();
        int inFlight = next;
        for (int n : reported.done) {
            EXPECT_EQ(n, inFlight) << "saves out of order";
            everDone.insert(n);
            if (kindOf(n) == Kind::Settings) lastSettingsDone = n;
            inFlight = n + 1;
        }

        ASSERT_EQ(integrityCheck(path), QStringLiteral("ok"));
        const Stored stored = readBack(path);
        for (int n : everDone) {
            if (kindOf(n) != Kind::Settings) {
                ASSERT_TRUE(isStored(stored, n)) << "save " << n << " lost";
            }
        }
        // Nothing is stored but reported saves and those that were cut short.
        cutShort.insert(inFlight);
        auto known = [&](int n) { return everDone.count(n) > 0 || cutShort.count(n) > 0; };
        for (const auto& [n, rows] : stored.payees) {
            EXPECT_TRUE(known(n)) << "payee " << n << " from nowhere";
            EXPECT_EQ(rows, 1) << "payee " << n << " stored twice";
        }
        for (int n : stored.formats) EXPECT_TRUE(known(n)) << "format " << n << " from nowhere";
        EXPECT_TRUE(stored.settings == lastSettingsDone ||
                    (stored.settings > lastSettingsDone && cutShort.count(stored.settings)))
            << "options row of " << stored.settings << ", last reported " << lastSettingsDone;
        next = inFlight + 1;  // the cut-short record may be stored: never reuse its number
    }
    EXPECT_EQ(killedMidRun, kills) << "some writers ended before they were killed";
    EXPECT_GE(everDone.size(), static_cast<size_t>(kills / 2));
    EXPECT_GE(hotJournals, 1) << "no kill landed in the middle of a save";
    std::cout << "[ KILLS    ] " << kills << " kills (seed " << seed << "), " << everDone.size()
              << " saves reported done and found, " << hotJournals
              << " kills left a journal to roll back" << std::endl;
    RecordProperty("saves", static_cast<int>(everDone.size()));
    RecordProperty("hot_journals", hotJournals);
}

// A process killed while it records cheques leaves every entry whole, either
// pending (the next start asks about it) or printed, never half-written.
TEST(KilledWhileRecording, EveryEntryIsWholeAndSettledOrPending) {
    const int kills = std::max(50, qEnvironmentVariableIntValue("QUORVANTA_FAULT_KILLS"));
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> recordsFirst(0, 2);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    RecordProperty("seed", static_cast<int>(seed));

    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    std::set<int> printed, pending;  // as reported
    int next = 1, leftPending = 0;
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
        QProcess writer;
        ASSERT_TRUE(startWriter(writer, {path, QStringLiteral("register"), QString::number(next),
                                         QStringLiteral("1000000")}));
        QByteArray output;
        const int waitFor = recordsFirst(random);
        while ((!output.contains("ready\n") || output.count("printed ") < waitFor) &&
               writer.waitForReadyRead(10000))
            output += writer.readAllStandardOutput();
        QThread::usleep(static_cast<unsigned long>(delayUs(random)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
        output += writer.readAllStandardOutput();
        ASSERT_TRUE(output.contains("ready\n")) << writer.readAllStandardError().toStdString();
        int last = next - 1;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith("pending ")) pending.insert(last = line.mid(8).toInt());
            if (line.startsWith("printed ")) printed.insert(line.mid(8).toInt());
        }

        ASSERT_EQ(integrityCheck(path), QStringLiteral("ok"));
        auto db = Database::open(path);
        std::set<int> stored;
        for (const RegisterEntry& e : RegisterStore::page(*db, {}, 0, 1000000)) {
            const int n = e.chequeNumber.toInt();
            stored.insert(n);
            RegisterEntry expected = FaultRecords::registerEntry(n);
            EXPECT_TRUE(n <= last + 1) << "entry " << n << " from nowhere";
            EXPECT_EQ(e.payee, expected.payee);
            EXPECT_EQ(e.amountCents, expected.amountCents);
            EXPECT_EQ(e.amountText, expected.amountText);
            EXPECT_EQ(e.wordLine2, expected.wordLine2);
            EXPECT_EQ(e.chequeDate, expected.chequeDate);
            if (printed.count(n)) EXPECT_EQ(e.state, RegisterEntry::State::Printed) << n;
            if (e.state == RegisterEntry::State::Printed) EXPECT_EQ(e.jobId.value_or(0), n);
            EXPECT_NE(e.state, RegisterEntry::State::Void);
            if (e.state == RegisterEntry::State::Pending) ++leftPending;
        }
        for (int n : pending) EXPECT_TRUE(stored.count(n)) << "entry " << n << " lost";
        // Settle what was left pending, as the next start would.
        for (const RegisterEntry& e : RegisterStore::listPending(*db))
            RegisterStore::markPrinted(*db, e.id, e.printedAt, e.destination, e.chequeNumber.toInt());
        next = last + 2;  // the cut-short entry may be stored: never reuse its number
    }
    EXPECT_GE(printed.size(), static_cast<size_t>(kills / 2));
    EXPECT_GE(leftPending, 1) << "no kill landed between the two writes";
    std::cout << "[ KILLS    ] " << kills << " kills (seed " << seed << "), " << printed.size()
              << " entries reported printed, " << leftPending << " left pending" << std::endl;
}

}  // namespace
