#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <QProcess>

#include "store/BankList.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "store/RegisterStore.h"
#include "store/Schema.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "support/FormatSamples.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

extern const char kSchemaSql[], kInitialSql[];

namespace {

using State = RegisterEntry::State;
using namespace Qt::StringLiterals;

struct Store : testing::Test { TestEnv env; Database& db() { return env.db(); } };  // a fresh file from initdb

// Texts are stored and read back exactly by every store, and never break the statement that carries them.
TEST_F(Store, BadTextIsKeptExactlyByEveryStore) {
    const QString texts[] = {u"O'Brien \"Best\""_s, u"x'); DROP TABLE Company; --"_s, u"\" OR \"1\"=\"1 ?1 %_ \\"_s,
        QString(5000, u'\u0634'), u"a\tb\nc\x01\u202egnp.exe\u202c"_s, u"before"_s + QChar(0) + u"after"_s,
        u"Cafe\u0301 \U0001F4B0"_s, u"  spaced  "_s, QString()};
    for (const QString& t : texts) CompanyStore::insert(db(), t), ChequeFormatStore::insert(db(), distinctFormat(t));
    env.reopen();
    QStringList names, expected(std::begin(texts), std::end(texts));
    for (const Payee& p : CompanyStore::listByName(db())) names << p.name;
    EXPECT_EQ((names.sort(), names), (expected.sort(), expected));
    for (const QString& t : texts) {  // the format's code and bank name hold the text
        ChequeFormat format = ChequeFormatStore::findByCode(db(), t).value_or(ChequeFormat());
        EXPECT_EQ((format.id = 0, format), distinctFormat(t));
        SettingsStore::writeOptions(db(), 0, 1, 0, t), SettingsStore::writeRememberedChoices(db(), 2, 0, t + u'!');
        EXPECT_EQ(SettingsStore::read(db())->dateFormat + SettingsStore::read(db())->wordCase, t + t + u'!');
    }
}

// Each Settings column written by SQL and read by the store, then the other way, so that a swapped column shows.
TEST_F(Store, SettingsAreReadAndWrittenEachInItsOwnColumn) {
    const QString columns = u"SaveChange, ClearData, AlertUser, DateFormat, BankIndex, PrintDate, WordCase"_s;
    db().write(u"UPDATE Settings SET (%1) = (2, 3, 0, 'd', 4, 5, 'w')"_s.arg(columns));
    const UserSettings s = *SettingsStore::read(db());
    EXPECT_EQ(u"%1|%2|%3|%4|%5|%6|%7"_s.arg(s.saveChange).arg(s.clearData).arg(int(s.alertUser))
                  .arg(s.dateFormat).arg(s.bankIndex).arg(s.printDate).arg(s.wordCase), u"2|3|0|d|4|5|w"_s);
    SettingsStore::writeOptions(db(), 6, 7, 1, u"e"_s), SettingsStore::writeRememberedChoices(db(), 8, 9, u"v"_s);
    Statement row = db().prepare(u"SELECT %1 FROM Settings"_s.arg(columns.split(u", "_s).join(u" || '|' || ")));
    EXPECT_TRUE(row.step() && row.text(0) == u"6|7|1|e|8|9|v"_s) << row.text(0).toStdString();
}

// A payee is looked up by its whole name in any letter case; rename and remove change only their own row.
TEST_F(Store, PayeesAreFoundByTheWholeNameInAnyCaseAndChangedOneByOne) {
    const qint64 acme = CompanyStore::insert(db(), u"Acme"_s + QChar(0) + u"North"_s);
    const qint64 cafe = CompanyStore::insert(db(), u"Cafe\u0301"_s), bravo = CompanyStore::insert(db(), u"Bravo"_s);
    const std::pair<QString, bool> lookups[] = {  // nothing is composed on the way in
        {u"ACME"_s + QChar(0) + u"north"_s, true}, {u"Acme"_s, false}, {u"Acme"_s + QChar(0) + u"South"_s, false},
        {u"CAFE\u0301"_s, true}, {u"Caf\u00e9"_s, false}, {u"' OR '1'='1"_s, false}};
    for (const auto& [name, found] : lookups)
        EXPECT_EQ(CompanyStore::exists(db(), name), found) << name.toStdString();
    CompanyStore::rename(db(), acme, u"Zulu"_s), CompanyStore::remove(db(), cafe);
    std::vector<std::pair<qint64, QString>> payees;
    for (const Payee& p : CompanyStore::listByName(db())) payees.emplace_back(p.id, p.name);
    EXPECT_EQ(payees, (std::vector<std::pair<qint64, QString>>{{bravo, u"Bravo"_s}, {acme, u"Zulu"_s}}));
}

// The languages, and the bank list's entries ("code - name") in code order.
TEST_F(Store, LanguagesAndBankListEntries) {
    const auto languages = LanguageStore::list(db());
    ASSERT_EQ(languages.size(), 2u);
    for (const Language& l : languages)
        EXPECT_TRUE(LanguageStore::findById(db(), l.id)->name == l.name &&
                    LanguageStore::findByName(db(), l.name)->id == l.id);
    EXPECT_FALSE(LanguageStore::findById(db(), 99) || LanguageStore::findByName(db(), u"Klingon"_s));
    for (const char* code : {"ZED", "ALPHA"}) ChequeFormatStore::insert(db(), distinctFormat(QLatin1String(code)));
    EXPECT_EQ(BankList::entriesByCode(db()), (std::vector{u"ALPHA - Name of ALPHA"_s, u"ZED - Name of ZED"_s}));
}

// Each value has its own column, by insert and update (code too); codes are exact; font styles read as flags.
TEST_F(Store, FormatValuesAreStoredInTheirOwnColumnsAndStylesReadAsFlags) {
    ChequeFormatStore::insert(db(), distinctFormat(u"ALPHA"_s));
    EXPECT_TRUE(rowMatches(storedRow(db(), u"ALPHA"_s), expectedColumns(distinctFormat(u"ALPHA"_s))));
    ChequeFormat changed = distinctFormat(u"BRAVO"_s);
    for (auto& g : changed.fields) g = {g.width, g.left, g.top};
    for (auto& font : changed.fonts) font.bold = !font.bold;
    EXPECT_EQ(ChequeFormatStore::update(db(), u"ALPHA"_s, changed), 1);
    EXPECT_TRUE(rowMatches(storedRow(db(), u"BRAVO"_s), expectedColumns(changed)));
    EXPECT_THROW(ChequeFormatStore::insert(db(), changed), DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(db().handle()));
    EXPECT_EQ(ChequeFormatStore::remove(db(), u"bravo"_s), 0);
    const std::pair<QVariant, bool> styles[] = {{u"tRuE"_s, true}, {u"FALSE"_s, false}, {u"-1"_s, true}, {u"0"_s, 0},
        {u"2.5"_s, true}, {qint64(-1), true}, {qint64(0), false}, {0.5, true}, {u"Bold"_s, false}, {u""_s, false}};
    for (const auto& [stored, bold] : styles) {
        db().write(u"UPDATE BankCheque SET Word2FontStyle = ?, SDateFontStyle = ?"_s, {stored, stored});
        const auto back = ChequeFormatStore::findByCode(db(), u"BRAVO"_s);
        EXPECT_TRUE(back->fonts[4].bold == bold && back->sdateFont.bold == bold) << stored.toString().toStdString();
    }
}

// A page that fails its check, or a folder that cannot take the journal a save makes, refuses the file at open.
TEST_F(Store, ADamagedPageOrAReadOnlyFolderRefusesTheFile) {
    const QString path = env.databasePath(), folder = env.directory();
    const auto refusal = [&] {
        try { Database::open(path); } catch (const DbError& e) { return e.message(); } return QString(); };
    QFile f(path);
    ASSERT_TRUE(f.open(QFile::ReadWrite) && f.seek(f.size() / 2 + 100) && f.write("ZZZZ") == 4 && f.flush());
    EXPECT_TRUE(refusal().contains(u"is damaged"_s)) << refusal().toStdString();
    const auto lock = [&](bool on) {  // root passes permission bits: the folder is made immutable instead
        if (::geteuid() == 0) QProcess::execute(u"chattr"_s, {on ? u"+i"_s : u"-i"_s, folder});
        else QFile::setPermissions(folder, on ? QFile::ReadOwner | QFile::ExeOwner : QFile::Permissions(0x7700));
    };
    const std::shared_ptr<void> unlock((lock(true), nullptr), [&lock](void*) { lock(false); });
    if (QFile(folder + u"/probe"_s).open(QFile::WriteOnly)) GTEST_SKIP() << "the folder cannot be made read-only here";
    EXPECT_TRUE(refusal().contains(u"is read-only, and every save"_s)) << refusal().toStdString();
}

QDateTime utc(int day, int hour = 10) { return QDateTime(QDate(2026, 12, day), QTime(hour, 0), Qt::UTC); }

qint64 addEntry(Database& db, const char* bank, const char* number, const QString& payee, qint64 cents, int day,
                State state = State::Printed) {  // pending, then settled printed or void unless asked not to
    const RegisterEntry e{.printedAt = utc(day), .bankCode = QLatin1String(bank), .chequeNumber = QLatin1String(number),
                          .payee = payee, .amountCents = cents};
    const qint64 id = RegisterStore::addPending(db, e);
    if (state != State::Pending) RegisterStore::markPrinted(db, id, e.printedAt, u"Laser"_s, 7);
    if (state == State::Void) RegisterStore::voidEntry(db, id, utc(day + 1), u"torn"_s);
    return id;
}

// A save holds the write lock from its start, so another copy's write waits (here: is refused) instead of it failing.
TEST_F(Store, ASaveHoldsTheWriteLockFromItsStart) {
    const auto other = Database::open(env.databasePath(), Database::defaultKey(), 0);
    Transaction save(db());
    EXPECT_THROW(other->write(u"INSERT INTO Company (Name) VALUES ('x')"_s), DbError);
}

// An entry goes pending, printed, perhaps void, never back, a batch all or none; issued once out, bank by bank.
TEST_F(Store, RegisterStatesMoveOnlyForwardAndIssuedNumbersArePerBank) {
    const qint64 pending = addEntry(db(), "MBB", "7", u"P"_s, 5, 1, State::Pending);
    const qint64 printed = addEntry(db(), "MBB", "8", u"Q"_s, 5, 2);
    EXPECT_THROW(RegisterStore::voidEntry(db(), pending, utc(3), {}), DbError);
    RegisterStore::removePending(db(), printed), RegisterStore::voidEntry(db(), printed, utc(3), u"spoilt"_s);
    EXPECT_THROW(RegisterStore::voidEntry(db(), printed, utc(4), u"again"_s), DbError);
    EXPECT_THROW(RegisterStore::markPrinted(db(), printed, utc(4), {}, {}), DbError);
    EXPECT_THROW(RegisterStore::markAllPrinted(db(), {pending, printed}, utc(4), {}), DbError);
    const auto voided = RegisterStore::find(db(), printed);
    EXPECT_TRUE(voided->state == State::Void && voided->voidReason == u"spoilt"_s && voided->voidedAt == utc(3));
    EXPECT_FALSE(RegisterStore::findIssued(db(), u"MBB"_s, u"7"_s) || RegisterStore::findIssued(db(), u"HS"_s, u"8"_s));
    EXPECT_TRUE(RegisterStore::findIssued(db(), u"MBB"_s, u"8"_s));
    EXPECT_TRUE((RegisterStore::removePending(db(), pending), RegisterStore::listPending(db()).empty()));
}

// Filters combine; totals count the printed entries only, to the exact cent; pages follow on without gaps or repeats.
TEST_F(Store, RegisterFiltersCombineTotalsAreExactCentsAndPagesFollowOn) {
    const auto add = [&](auto... entry) { addEntry(db(), entry...); };
    add("MBB", "1", u"ACME Ltd"_s, 29, 1), add("MBB", "2", u"Acme, \"North\""_s, 100000000001, 2);
    add("HSB", "3", u"Zoë Öztürk"_s, 29, 3), add("MBB", "4", u"acme void"_s, 500, 4, State::Void);
    add("MBB", "5", u"ACME later"_s, 1, 5, State::Pending), add("XYZ", "6", u"100% Pure_Co \\x"_s, 3, 6);
    const std::pair<RegisterFilter, const char*> cases[] = {  // the numbers newest first: printed count, cents
        {{}, "6 5 4 3 2 1: 4, 100000000062"}, {{.bankCode = u"MBB"_s}, "5 4 2 1: 2, 100000000030"},
        {{.payeeContains = u"aCmE"_s}, "5 4 2 1: 2, 100000000030"}, {{.state = State::Void}, "4: 0, 0"},
        {{.printedFrom = utc(2, 0), .printedBefore = utc(4, 0)}, "3 2: 2, 100000000030"},
        {{.bankCode = u"MBB"_s, .payeeContains = u"ACME"_s, .state = State::Printed}, "2 1: 2, 100000000030"},
        {{.payeeContains = u"ÖZTÜ"_s}, "3: 1, 29"}, {{.payeeContains = u"0% p"_s}, "6: 1, 3"},
        {{.payeeContains = u"e_Co \\x"_s}, "6: 1, 3"}, {{.state = State::Pending}, "5: 0, 0"}};
    for (const auto& [filter, expected] : cases) {
        QStringList numbers;
        for (const auto& e : RegisterStore::page(db(), filter, 0, 100)) numbers << e.chequeNumber;
        const RegisterTotal total = RegisterStore::printedTotal(db(), filter);
        EXPECT_EQ(numbers.join(u' ') + u": %1, %2"_s.arg(total.count).arg(total.cents), QString::fromUtf8(expected));
    }
    EXPECT_EQ(RegisterStore::page(db(), {}, RegisterStore::page(db(), {}, 0, 2)[1].id, 2)[0].chequeNumber, u"4"_s);
}

// A file of tables version 0 gets the new tables once, keeps its rows and ends with a new file's tables.
TEST_F(Store, SchemaUpgradeGivesAnOlderFileTheNewTablesOnceAndKeepsItsRows) {
    const QString path = env.directory() + u"/old.mdb"_s;
    Database::create(path)->executeScript(QString::fromUtf8(kSchemaSql) + QString::fromUtf8(kInitialSql) +
                                          u"INSERT INTO Company (Name) VALUES ('Old');"_s);
    addEntry(*Database::open(path), "MBB", "1", u"A"_s, 1, 1);
    auto old = Database::open(path);  // a second open changes nothing
    EXPECT_TRUE(RegisterStore::page(*old, {}, 0, 10).size() == 1u && CompanyStore::exists(*old, u"Old"_s));
    const auto tables = [](Database& d) -> QString {  // the version, then every table's and index's statement
        Statement q = d.prepare(u"SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master ORDER BY 1)"_s);
        return QString::number(Schema::version(d)) + u' ' + (q.step() ? q.text(0) : QString());
    };
    EXPECT_EQ(tables(*old), tables(db()));
}

}  // namespace
