// The register and cheque-number stores, and the upgrade of older files.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "core/ChequeNumber.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/RegisterFill.h"
#include "support/TestEnv.h"

extern const char kSchemaSql[];
extern const char kInitialSql[];

namespace {

using State = RegisterEntry::State;

QDateTime utc(int day, int hour = 10) { return QDateTime(QDate(2026, 12, day), QTime(hour, 0), Qt::UTC); }

// Adds an entry and settles it; `state` Printed or Void.
qint64 addEntry(Database& db, const QString& bank, const QString& number, const QString& payee,
                qint64 cents, QDateTime at, State state = State::Printed) {
    RegisterEntry e;
    e.printedAt = at;
    e.bankCode = bank;
    e.bankName = bank + QStringLiteral(" Bank");
    e.chequeNumber = number;
    e.payee = payee;
    e.amountCents = cents;
    e.amountText = QStringLiteral("x");
    e.destination = QStringLiteral("Office-Laser");
    const qint64 id = RegisterStore::addPending(db, e);
    if (state != State::Pending) RegisterStore::markPrinted(db, id, at, e.destination, 7);
    if (state == State::Void) RegisterStore::voidEntry(db, id, at, QStringLiteral("torn"));
    return id;
}

TEST(ChequeNumbers, AreDigitTextsThatKeepTheirWidth) {
    struct Case {
        const char* number;
        bool valid;
        const char* following;  // nullptr: none
    } cases[] = {
        {"000123", true, "000124"},   {"000999", true, "001000"},
        {"999", true, "1000"},        {"0", true, "1"},
        {"999999999999", true, nullptr},  // a thirteenth digit is not allowed
        {"000000000009", true, "000000000010"},
        {"", false, nullptr},         {"12a", false, nullptr},
        {" 12", false, nullptr},      {"1234567890123", false, nullptr},
        {"\u0661\u0662", false, nullptr},  // other scripts' digits are not digits here
    };
    for (const Case& c : cases) {
        const QString number = QString::fromUtf8(c.number);
        SCOPED_TRACE(c.number);
        EXPECT_EQ(ChequeNumber::isValid(number), c.valid);
        const auto next = ChequeNumber::following(number);
        if (c.following)
            EXPECT_EQ(next.value_or(QString()), QString::fromUtf8(c.following));
        else
            EXPECT_FALSE(next.has_value());
    }
}

TEST(Register, StatesMoveOnlyForwardAndDuplicatesAreFoundPerBank) {
    TestEnv env;
    Database& db = env.db();
    const qint64 pending = addEntry(db, QStringLiteral("MBB"), QStringLiteral("7"), QStringLiteral("P"), 5, utc(1), State::Pending);
    const qint64 printed = addEntry(db, QStringLiteral("MBB"), QStringLiteral("8"), QStringLiteral("Q"), 5, utc(2));
    EXPECT_THROW(RegisterStore::voidEntry(db, pending, utc(3), {}), DbError);
    RegisterStore::removePending(db, printed);  // not pending: stays
    ASSERT_TRUE(RegisterStore::find(db, printed));
    RegisterStore::voidEntry(db, printed, utc(3), QStringLiteral("spoilt"));
    EXPECT_THROW(RegisterStore::voidEntry(db, printed, utc(4), QStringLiteral("again")), DbError);
    EXPECT_THROW(RegisterStore::markPrinted(db, printed, utc(4), {}, {}), DbError);
    const auto voided = RegisterStore::find(db, printed);
    EXPECT_EQ(voided->state, State::Void);
    EXPECT_EQ(voided->voidReason, QStringLiteral("spoilt"));
    EXPECT_EQ(voided->voidedAt, utc(3));
    EXPECT_EQ(voided->jobId.value_or(0), 7);

    EXPECT_FALSE(RegisterStore::findIssued(db, QStringLiteral("MBB"), QStringLiteral("7")));  // pending
    EXPECT_TRUE(RegisterStore::findIssued(db, QStringLiteral("MBB"), QStringLiteral("8")));   // void counts
    ASSERT_EQ(RegisterStore::listPending(db).size(), 1u);
    RegisterStore::removePending(db, pending);
    EXPECT_TRUE(RegisterStore::listPending(db).empty());
}

TEST(Register, FiltersCombineAndTotalsAreExactCents) {
    TestEnv env;
    Database& db = env.db();
    addEntry(db, QStringLiteral("MBB"), QStringLiteral("1"), QStringLiteral("ACME Ltd"), 29, utc(1));
    addEntry(db, QStringLiteral("MBB"), QStringLiteral("2"), QStringLiteral("Acme, \"North\""), 100000000001, utc(2));
    addEntry(db, QStringLiteral("HSB"), QStringLiteral("3"), QStringLiteral("Zoë Öztürk"), 29, utc(3));
    addEntry(db, QStringLiteral("MBB"), QStringLiteral("4"), QStringLiteral("acme void"), 500, utc(4), State::Void);
    addEntry(db, QStringLiteral("MBB"), QStringLiteral("5"), QStringLiteral("ACME later"), 1, utc(5), State::Pending);

    struct Case {
        const char* name;
        RegisterFilter filter;
        const char* numbers;  // newest first
        qint64 count, cents;
    };
    RegisterFilter mbb;
    mbb.bankCode = QStringLiteral("MBB");
    RegisterFilter acme;
    acme.payeeContains = QStringLiteral("aCmE");
    RegisterFilter days;
    days.printedFrom = utc(2, 0);
    days.printedBefore = utc(4, 0);
    RegisterFilter voids;
    voids.state = State::Void;
    RegisterFilter printedMbbAcme = mbb;
    printedMbbAcme.payeeContains = QStringLiteral("ACME");
    printedMbbAcme.state = State::Printed;
    RegisterFilter umlaut;
    umlaut.payeeContains = QStringLiteral("ÖZTÜ");
    const Case cases[] = {
        {"all", {}, "5 4 3 2 1", 3, 100000000059},
        {"bank", mbb, "5 4 2 1", 2, 100000000030},
        {"payee in any case", acme, "5 4 2 1", 2, 100000000030},
        {"date range", days, "3 2", 2, 100000000030},
        {"void", voids, "4", 0, 0},
        {"combined", printedMbbAcme, "2 1", 2, 100000000030},
        {"non-ASCII letter case", umlaut, "3", 1, 29},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList numbers;
        for (const auto& e : RegisterStore::page(db, c.filter, 0, 100)) numbers << e.chequeNumber;
        EXPECT_EQ(numbers.join(QLatin1Char(' ')), QString::fromUtf8(c.numbers));
        const RegisterTotal total = RegisterStore::printedTotal(db, c.filter);
        EXPECT_EQ(total.count, c.count);
        EXPECT_EQ(total.cents, c.cents);
    }
    // The engine's pattern characters in a payee text are plain characters.
    addEntry(db, QStringLiteral("XYZ"), QStringLiteral("6"), QStringLiteral("100% Pure_Co \\x"), 3, utc(6));
    for (const char* text : {"0% p", "e_c", "\\x", "%", "_"}) {
        RegisterFilter f;
        f.payeeContains = QString::fromUtf8(text);
        const auto found = RegisterStore::page(db, f, 0, 100);
        ASSERT_EQ(found.size(), 1u) << text;
        EXPECT_EQ(found.front().chequeNumber, QStringLiteral("6")) << text;
    }
    // Pages follow one another without gaps or repeats.
    const auto first = RegisterStore::page(db, {}, 0, 2);
    ASSERT_EQ(first.size(), 2u);
    const auto second = RegisterStore::page(db, {}, first.back().id, 2);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second.front().chequeNumber, QStringLiteral("4"));
}

// A file as the first release's initdb made it: its tables and rows, version 0.
QString makeFirstReleaseFile(const QString& directory) {
    const QString path = QDir(directory).filePath(QStringLiteral("chequedb.mdb"));
    auto db = Database::create(path);
    Transaction transaction(*db);
    db->executeScript(QString::fromUtf8(kSchemaSql));
    db->executeScript(QString::fromUtf8(kInitialSql));
    transaction.commit();
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SchemaUpgrade, AnOlderFileGetsTheNewTablesOnceAndKeepsItsRows) {
    QTemporaryDir dir;
    const QString path = makeFirstReleaseFile(dir.path());
    size_t formats = 0;
    {
        auto db = Database::create(path);  // plain connection, no upgrade
        EXPECT_EQ(Schema::version(*db), 0);
        formats = ChequeFormatStore::listById(*db).size();
    }
    auto db = Database::open(path);
    EXPECT_EQ(Schema::version(*db), Schema::kVersion);
    EXPECT_EQ(ChequeFormatStore::listById(*db).size(), formats);
    addEntry(*db, QStringLiteral("MBB"), QStringLiteral("1"), QStringLiteral("A"), 1, utc(1));
    db.reset();
    db = Database::open(path);  // a second open changes nothing
    EXPECT_EQ(RegisterStore::page(*db, {}, 0, 10).size(), 1u);

    // A new file ends with the same tables as an upgraded one.
    QTemporaryDir fresh;
    auto made = Database::open(DatabaseInit::createDatabase(fresh.path()));
    auto tables = [](Database& d) {
        QStringList sql;
        Statement q = d.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name"));
        while (q.step()) sql << q.text(0);
        return sql;
    };
    EXPECT_EQ(tables(*made), tables(*db));
    EXPECT_EQ(Schema::version(*made), Schema::kVersion);
}

TEST(SchemaUpgrade, AFileOfANewerVersionIsRefusedAndLeftAsItWas) {
    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    Database::create(path)->executeScript(QStringLiteral("PRAGMA user_version = 99"));
    const QByteArray before = fileBytes(path);
    try {
        Database::open(path);
        FAIL() << "a newer file was opened";
    } catch (const DbError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("newer version"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QStringLiteral("chequedb.mdb")));
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-journal")));
}

// A file too large to check while it opens is checked on a worker; a damaged
// one refuses the first write, and nothing is written.
TEST(LargeFileCheck, DamageFoundByTheWorkerStopsTheFirstWrite) {
    QTemporaryDir dir;
    const QString path = DatabaseInit::createDatabase(dir.path());
    fillRegister(*Database::open(path), 30000);
    QByteArray bytes = fileBytes(path);
    ASSERT_GT(bytes.size(), Database::kCheckedAtOpenBytes);
    {
        auto db = Database::open(path);  // sound: writes go ahead
        EXPECT_NO_THROW(ChequeNumberStore::setNext(*db, QStringLiteral("MBB"), QStringLiteral("1")));
    }
    bytes = fileBytes(path);
    const qsizetype at = bytes.size() - 3 * 1024 + 700;  // a register page near the end
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    auto db = Database::open(path);
    try {
        ChequeNumberStore::setNext(*db, QStringLiteral("MBB"), QStringLiteral("2"));
        FAIL() << "a write went into a damaged file";
    } catch (const DbError& error) {
        EXPECT_TRUE(error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB) << error.code();
        EXPECT_TRUE(error.message().contains(QStringLiteral("damaged"))) << error.message().toStdString();
    }
    db.reset();
    EXPECT_EQ(fileBytes(path), bytes);
}

}  // namespace
