#include <gtest/gtest.h>

#include <sqlite3.h>

#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "support/FormatSamples.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

ChequeFormat withoutId(ChequeFormat f) {
    f.id = 0;
    return f;
}

QStringList codes(const std::vector<ChequeFormat>& formats) {
    QStringList list;
    for (const auto& f : formats) list << f.bankCode;
    return list;
}

TEST(ChequeFormatStore, EveryColumnSurvivesInsertLoadAndUpdateOfItsCodeOnly) {
    TestEnv env;
    for (const char* code : {"MBB", "ALPHA", "ZED"})
        ChequeFormatStore::insert(env.db(), distinctFormat(QString::fromLatin1(code)));
    const ChequeFormat original = distinctFormat(QStringLiteral("ALPHA"));
    EXPECT_TRUE(
        rowMatches(storedRow(env.db(), QStringLiteral("ALPHA")), expectedColumns(original)));
    env.reopen();
    EXPECT_EQ(withoutId(*ChequeFormatStore::findByCode(env.db(), QStringLiteral("ALPHA"))),
              original);
    EXPECT_EQ(codes(ChequeFormatStore::listById(env.db())),
              (QStringList{QStringLiteral("MBB"), QStringLiteral("ALPHA"), QStringLiteral("ZED")}));
    EXPECT_EQ(codes(ChequeFormatStore::listByCode(env.db())),
              (QStringList{QStringLiteral("ALPHA"), QStringLiteral("MBB"), QStringLiteral("ZED")}));
    EXPECT_EQ(withoutId(ChequeFormatStore::listById(env.db()).at(2)),
              distinctFormat(QStringLiteral("ZED")));

    // An update writes every column, the code included.
    ChequeFormat changed = distinctFormat(QStringLiteral("BRAVO"));
    changed.dateType = 1;
    for (auto& g : changed.fields) g = {g.width, g.left, g.top};
    for (auto& font : changed.fonts) font.bold = !font.bold;
    changed.sdateFont = {QStringLiteral("Other"), 11.25f, false};
    EXPECT_EQ(ChequeFormatStore::update(env.db(), QStringLiteral("ALPHA"), changed), 1);
    EXPECT_TRUE(rowMatches(storedRow(env.db(), QStringLiteral("BRAVO")), expectedColumns(changed)));
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("mbb")), 0);  // codes are exact
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("MBB")), 1);
    EXPECT_EQ(codes(ChequeFormatStore::listById(env.db())),
              (QStringList{QStringLiteral("BRAVO"), QStringLiteral("ZED")}));

    // A failed write is rolled back and reported.
    EXPECT_THROW(ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("ZED"))),
                 DbError);
    EXPECT_THROW(ChequeFormatStore::update(env.db(), QStringLiteral("BRAVO"),
                                           distinctFormat(QStringLiteral("ZED"))),
                 DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("BRAVO"))->dateType, 1);
}

TEST(ChequeFormatStore, FindByCodeTakesTheFirstOfSeveralRows) {
    TestEnv env;
    // A database made elsewhere may hold a code twice.
    env.db().executeScript(
        QStringLiteral("CREATE TABLE Copy AS SELECT * FROM BankCheque; DROP TABLE BankCheque; "
                       "ALTER TABLE Copy RENAME TO BankCheque;"));
    ChequeFormat f = distinctFormat(QStringLiteral("DUP"));
    for (const char* name : {"First", "Second"}) {
        f.bankName = QString::fromLatin1(name);
        ChequeFormatStore::insert(env.db(), f);
    }
    env.db().write(QStringLiteral("UPDATE BankCheque SET ID = rowid"));
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("DUP"))->bankName,
              QStringLiteral("First"));
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("DUP")), 2);
}

TEST(ChequeFormatStore, NumbersAreStoredAsTheirShortDecimalText) {
    TestEnv env;
    ChequeFormat f = distinctFormat(QStringLiteral("NUM"));
    f.chequeTop = 43.199999999999996;  // a sum of location steps
    f.chequeLeft = 0.1 + 0.2;
    f.chequeHeight = 1.0 / 3.0;
    f.fields[0] = {1771.2f, 0.1f, 1.0f / 3.0f};  // single precision: 7 significant digits
    ChequeFormatStore::insert(env.db(), f);
    const QVariantMap row = storedRow(env.db(), QStringLiteral("NUM"));
    const std::pair<const char*, double> cases[] = {
        {"ChequeTop", 43.2},  {"ChequeLeft", 0.3}, {"ChequeHeight", 0.333333333333333},
        {"DateLeft", 1771.2}, {"DateTop", 0.1},    {"DateWidth", 0.3333333}};
    for (const auto& [column, value] : cases)
        EXPECT_EQ(row.value(QString::fromLatin1(column)).toDouble(), value) << column;
}

TEST(ChequeFormatStore, FontStylesReadAsFlags) {
    const std::pair<QVariant, bool> cases[] = {
        {QStringLiteral("True"), true},
        {QStringLiteral("tRuE"), true},
        {QStringLiteral("FALSE"), false},
        {QStringLiteral("-1"), true},
        {QStringLiteral("0"), false},
        {QStringLiteral("2.5"), true},
        {qint64(-1), true},
        {qint64(0), false},
        {0.5, true},
        {QStringLiteral("Bold"), false},
        {QStringLiteral(""), false},
    };
    TestEnv env;
    ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("F")));
    for (const auto& [stored, bold] : cases) {
        env.db().write(
            QStringLiteral("UPDATE BankCheque SET Word2FontStyle = ?, SDateFontStyle = ?"),
            {stored, stored});
        const auto f = ChequeFormatStore::findByCode(env.db(), QStringLiteral("F"));
        EXPECT_EQ(f->fonts[4].bold, bold) << stored.toString().toStdString();
        EXPECT_EQ(f->sdateFont.bold, bold) << stored.toString().toStdString();
    }
}

}  // namespace
