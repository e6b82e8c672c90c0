#include <gtest/gtest.h>

#include <sqlite3.h>

#include "support/FormatSamples.h"
#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "support/TestEnv.h"

namespace {

ChequeFormat withoutId(ChequeFormat f) {
    f.id = 0;
    return f;
}

TEST(ChequeFormatStore, EveryColumnSurvivesInsertLoadAndUpdate) {
    TestEnv env;
    const ChequeFormat original = distinctFormat(QStringLiteral("ALPHA"));
    const qint64 id = ChequeFormatStore::insert(env.db(), original);
    EXPECT_GT(id, 0);
    EXPECT_TRUE(
        rowMatches(storedRow(env.db(), QStringLiteral("ALPHA")), expectedColumns(original)));

    env.reopen();
    const auto loaded = ChequeFormatStore::findByCode(env.db(), QStringLiteral("ALPHA"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->id, id);
    EXPECT_EQ(withoutId(*loaded), original);

    // An update writes every column, the code included.
    ChequeFormat changed = distinctFormat(QStringLiteral("BRAVO"));
    changed.bankName = QStringLiteral("Another name");
    changed.orientation = QStringLiteral("L");
    changed.amountLanguage = 1;
    changed.dateType = 1;
    changed.chequeTop = 0.5;
    for (auto& g : changed.fields) g = {g.width, g.left, g.top};  // rotate every field's values
    for (auto& font : changed.fonts) font.bold = !font.bold;
    changed.sdateFont = {QStringLiteral("Other"), 11.25f, false};
    EXPECT_EQ(ChequeFormatStore::update(env.db(), QStringLiteral("ALPHA"), changed), 1);
    EXPECT_TRUE(storedRow(env.db(), QStringLiteral("ALPHA")).isEmpty());
    EXPECT_TRUE(rowMatches(storedRow(env.db(), QStringLiteral("BRAVO")), expectedColumns(changed)));
    EXPECT_EQ(withoutId(*ChequeFormatStore::findByCode(env.db(), QStringLiteral("BRAVO"))),
              changed);
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("BRAVO"))->id, id);
}

TEST(ChequeFormatStore, ListsInCreationAndCodeOrder) {
    TestEnv env;
    for (const char* code : {"MBB", "ABC", "ZED", "CIMB"})
        ChequeFormatStore::insert(env.db(), distinctFormat(QString::fromLatin1(code)));
    QStringList byId, byCode;
    for (const auto& f : ChequeFormatStore::listById(env.db())) byId << f.bankCode;
    for (const auto& f : ChequeFormatStore::listByCode(env.db())) byCode << f.bankCode;
    EXPECT_EQ(byId, (QStringList{QStringLiteral("MBB"), QStringLiteral("ABC"),
                                 QStringLiteral("ZED"), QStringLiteral("CIMB")}));
    EXPECT_EQ(byCode, (QStringList{QStringLiteral("ABC"), QStringLiteral("CIMB"),
                                   QStringLiteral("MBB"), QStringLiteral("ZED")}));
    // Every listed record is complete, not only its code.
    EXPECT_EQ(withoutId(ChequeFormatStore::listById(env.db()).at(2)),
              distinctFormat(QStringLiteral("ZED")));
}

TEST(ChequeFormatStore, FindByCodeTakesTheFirstOfSeveralRows) {
    TestEnv env;
    // A database made elsewhere may hold a code twice.
    env.db().executeScript(
        QStringLiteral("CREATE TABLE Copy AS SELECT * FROM BankCheque; DROP TABLE BankCheque; "
                       "ALTER TABLE Copy RENAME TO BankCheque;"));
    ChequeFormat first = distinctFormat(QStringLiteral("DUP"));
    first.bankName = QStringLiteral("First");
    ChequeFormat second = first;
    second.bankName = QStringLiteral("Second");
    ChequeFormatStore::insert(env.db(), first);
    ChequeFormatStore::insert(env.db(), second);
    env.db().write(QStringLiteral("UPDATE BankCheque SET ID = rowid"));
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("DUP"))->bankName,
              QStringLiteral("First"));
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("DUP")), 2);
    EXPECT_FALSE(ChequeFormatStore::findByCode(env.db(), QStringLiteral("DUP")));
}

TEST(ChequeFormatStore, TextsAreStoredExactly) {
    const QString texts[] = {
        QStringLiteral("Smith's \"Best\" Bank"),
        QStringLiteral("  blanks around  "),
        QStringLiteral("Bank \u00dcberl\u00e4ndisch \u00c7elik \u674e"),
        QStringLiteral("x\"); DROP TABLE BankCheque; --"),
    };
    TestEnv env;
    int n = 0;
    for (const QString& text : texts) {
        ChequeFormat f = distinctFormat(QStringLiteral("C\"%1\u00c9'").arg(n++));
        f.bankName = text;
        f.printerName = text;
        f.fonts[1].face = text;
        f.sdateFont.face = text;
        ChequeFormatStore::insert(env.db(), f);
        env.reopen();
        const auto back = ChequeFormatStore::findByCode(env.db(), f.bankCode);
        ASSERT_TRUE(back) << f.bankCode.toStdString();
        EXPECT_EQ(withoutId(*back), f) << text.toStdString();
    }
    EXPECT_EQ(ChequeFormatStore::listById(env.db()).size(), std::size(texts));
}

TEST(ChequeFormatStore, NumbersAreStoredAsTheirShortDecimalText) {
    TestEnv env;
    ChequeFormat f = distinctFormat(QStringLiteral("NUM"));
    f.chequeTop = 43.199999999999996;  // a sum of location steps
    f.chequeLeft = 0.1 + 0.2;          // 0.30000000000000004
    f.chequeWidth = 1.23 * 1440;       // 1771.1999999999998
    f.chequeHeight = 1.0 / 3.0;
    f.fields[0] = {1771.2f, 0.1f, 1.0f / 3.0f};  // single precision: 7 significant digits
    f.fonts[0].size = 9.1f;
    ChequeFormatStore::insert(env.db(), f);
    const QVariantMap row = storedRow(env.db(), QStringLiteral("NUM"));
    EXPECT_EQ(row.value(QStringLiteral("ChequeTop")).toDouble(), 43.2);
    EXPECT_EQ(row.value(QStringLiteral("ChequeLeft")).toDouble(), 0.3);
    EXPECT_EQ(row.value(QStringLiteral("ChequeWidth")).toDouble(), 1771.2);
    EXPECT_EQ(row.value(QStringLiteral("ChequeHeight")).toDouble(), 0.333333333333333);
    EXPECT_EQ(row.value(QStringLiteral("DateLeft")).toDouble(), 1771.2);
    EXPECT_EQ(row.value(QStringLiteral("DateTop")).toDouble(), 0.1);
    EXPECT_EQ(row.value(QStringLiteral("DateWidth")).toDouble(), 0.3333333);
    EXPECT_EQ(row.value(QStringLiteral("DateFontSize")).toDouble(), 9.1);
    EXPECT_EQ(row.value(QStringLiteral("DateType")).typeId(), QMetaType::LongLong);
    EXPECT_EQ(row.value(QStringLiteral("AmountLanguage")).typeId(), QMetaType::LongLong);
}

TEST(ChequeFormatStore, FontStylesReadAsFlags) {
    struct Case {
        QVariant stored;
        bool bold;
    };
    const Case cases[] = {
        {QStringLiteral("True"), true},
        {QStringLiteral("true"), true},
        {QStringLiteral("TRUE"), true},
        {QStringLiteral("tRuE"), true},
        {QStringLiteral("False"), false},
        {QStringLiteral("FALSE"), false},
        {QStringLiteral("-1"), true},
        {QStringLiteral("1"), true},
        {QStringLiteral("0"), false},
        {QStringLiteral("2.5"), true},
        {qint64(1), true},
        {qint64(-1), true},
        {qint64(0), false},
        {0.0, false},
        {0.5, true},
        {QStringLiteral("Bold"), false},
        {QStringLiteral(""), false},
    };
    TestEnv env;
    ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("F")));
    for (const Case& c : cases) {
        EXPECT_EQ(ChequeFormatStore::readBold(c.stored), c.bold)
            << c.stored.toString().toStdString();
        // The same through a stored row, whatever the column holds.
        env.db().write(
            QStringLiteral("UPDATE BankCheque SET Word2FontStyle = ?, SDateFontStyle = ?"),
            {c.stored, c.stored});
        const auto f = ChequeFormatStore::findByCode(env.db(), QStringLiteral("F"));
        EXPECT_EQ(f->fonts[4].bold, c.bold) << c.stored.toString().toStdString();
        EXPECT_EQ(f->sdateFont.bold, c.bold) << c.stored.toString().toStdString();
    }
}

TEST(ChequeFormatStore, FailedWriteIsRolledBackAndReported) {
    TestEnv env;
    ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("ONE")));
    ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("TWO")));
    EXPECT_THROW(ChequeFormatStore::insert(env.db(), distinctFormat(QStringLiteral("ONE"))),
                 DbError);
    EXPECT_THROW(ChequeFormatStore::update(env.db(), QStringLiteral("TWO"),
                                           distinctFormat(QStringLiteral("ONE"))),
                 DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()));
    EXPECT_EQ(ChequeFormatStore::listById(env.db()).size(), 2u);
    EXPECT_EQ(ChequeFormatStore::findByCode(env.db(), QStringLiteral("TWO"))->bankName,
              QStringLiteral("Name of TWO"));
}

TEST(ChequeFormatStore, UpdateAndDeleteTouchOnlyTheirCode) {
    TestEnv env;
    for (const char* code : {"A", "B", "C"})
        ChequeFormatStore::insert(env.db(), distinctFormat(QString::fromLatin1(code)));
    ChequeFormat b = distinctFormat(QStringLiteral("B"));
    b.bankName = QStringLiteral("B renamed");
    EXPECT_EQ(ChequeFormatStore::update(env.db(), QStringLiteral("B"), b), 1);
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("a")), 0);  // codes are exact
    EXPECT_EQ(ChequeFormatStore::remove(env.db(), QStringLiteral("A")), 1);
    const auto left = ChequeFormatStore::listById(env.db());
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].bankName, QStringLiteral("B renamed"));
    EXPECT_EQ(withoutId(left[1]), distinctFormat(QStringLiteral("C")));
}

}  // namespace
