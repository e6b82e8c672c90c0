#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "batch/BatchCheck.h"
#include "batch/BatchFile.h"
#include "core/ChequeEntryRules.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

ChequeFormat format(const char* code, int language) {
    ChequeFormat f;
    f.bankCode = QString::fromLatin1(code);
    f.bankName = f.bankCode + QStringLiteral(" Bank");
    f.amountLanguage = language;
    f.fields.at(FieldWord1).width = 3000;  // 30 characters of the fake measure
    f.fonts.at(FieldWord1) = {QStringLiteral("Arial"), 10.0f, false};
    return f;
}

class BatchChecks : public testing::Test {
protected:
    BatchChecks() {
        setup.formats = {format("MBB", 1), format("XYZ", 2)};
        setup.wordsByLanguage.insert(1, AmountWordTable::load(env.db(), 1));
        setup.wordsByLanguage.insert(2, AmountWordTable::load(env.db(), 2));
        setup.defaultBankCode = QStringLiteral("MBB");
        setup.today = QDate(2026, 12, 7);
        setup.shortDateFormat = QStringLiteral("dd/MM/yy");
        setup.measure = &env.textMeasure;
        setup.nextNumbers.insert(QStringLiteral("MBB"), QStringLiteral("000099"));
        setup.usedNumbers[QStringLiteral("MBB")].insert(QStringLiteral("000100"),
                                                        QStringLiteral("printed on 1 Dec 2026 to Bob"));
    }
    TestEnv env;
    BatchSetup setup;
};

BatchRow row(const char* payee, const char* amount, const char* date = "", const char* bank = "",
             const char* number = "") {
    BatchRow r;
    r.line = 2;
    r.payee = QString::fromUtf8(payee);
    r.amount = QString::fromUtf8(amount);
    r.date = QString::fromUtf8(date);
    r.bank = QString::fromUtf8(bank);
    r.number = QString::fromUtf8(number);
    return r;
}

struct RowCase {
    BatchRow row;
    const char* amount;   // as rewritten
    const char* bank;     // the format's code, "" when unknown
    const char* problem;  // "" when printable
};

TEST_F(BatchChecks, EveryRowRuleOfTheMainWindow) {
    const RowCase cases[] = {
        {row("ACME", "1234.565"), "1,234.57", "MBB", ""},
        {row("ACME", " 1,234 "), "1,234.00", "MBB", ""},
        {row("ACME", ".5", "2026-12-24", "xyz"), "0.50", "XYZ", ""},
        {row("ACME", "999999999999.99"), "999,999,999,999.99", "MBB", ""},
        {row("ACME", "1000000000000"), "1,000,000,000,000.00", "MBB",
         "Invalid amount. Amount can't exceed trillion value."},
        {row("ACME", "999999999999.995"), "1,000,000,000,000.00", "MBB",
         "Invalid amount. Amount can't exceed trillion value."},
        {row("ACME", ""), "", "MBB", "No empty Amount field is allowed."},
        {row("ACME", "abc"), "abc", "MBB", "Invalid amount."},
        {row("ACME", "-5"), "-5", "MBB", "Invalid amount."},
        {row("ACME", "1.2.3"), "1.2.3", "MBB", "Invalid amount."},
        {row("ACME", "1e3"), "1e3", "MBB", "Invalid amount."},
        {row("", "5"), "5.00", "MBB", "No emtpy Pay To field is allowed."},
        {row("  ", "5"), "5.00", "MBB", "No emtpy Pay To field is allowed."},
        {row("ACME", "5", "", "ZZZ"), "5.00", "", "Unknown bank code \"ZZZ\"."},
        {row("ACME", "5", "2026-02-30"), "5.00", "MBB", "\"2026-02-30\" is not a date."},
        {row("ACME", "5", "tomorrow"), "5.00", "MBB", "\"tomorrow\" is not a date."},
        {row("", "x", "", "ZZZ"), "x", "",
         "No emtpy Pay To field is allowed. Invalid amount. Unknown bank code \"ZZZ\"."},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.row.payee.toStdString() + " / " + c.row.amount.toStdString());
        const CheckedRow checked = BatchCheck::checkRow(c.row, setup);
        EXPECT_EQ(checked.amount, QString::fromUtf8(c.amount));
        EXPECT_EQ(checked.bankCode, QString::fromUtf8(c.bank));
        EXPECT_EQ(checked.problem, QString::fromUtf8(c.problem));
        // The words are spelled whenever the amount and the bank allow it.
        const bool spellable = !checked.bankCode.isEmpty() &&
                               ChequeEntryRules::checkAmount(checked.amount) ==
                                   ChequeEntryRules::AmountProblem::None;
        EXPECT_EQ(!checked.words.isEmpty(), spellable);
    }
}

TEST_F(BatchChecks, WordsAreSpelledInTheFormatsLanguageAndCaseAndSplit) {
    const CheckedRow english = BatchCheck::checkRow(row("ACME", "1,234.50"), setup);
    EXPECT_EQ(english.cents, 123450);
    EXPECT_TRUE(english.words.startsWith(QStringLiteral("One Thousand Two Hundred Thirty Four")))
        << english.words.toStdString();
    // Line 1 takes the words narrower than 30 characters, in upper case.
    EXPECT_LT(english.lines.line1.size(), 30);
    EXPECT_EQ(english.lines.line1 + english.lines.line2, QLatin1Char(' ') + english.words.toUpper());

    setup.properCase = true;
    const CheckedRow malay = BatchCheck::checkRow(row("ACME", "1,234.50", "", "XYZ"), setup);
    EXPECT_NE(malay.words, english.words);
    EXPECT_TRUE(malay.lines.line1.startsWith(QStringLiteral(" Satu"))) << malay.lines.line1.toStdString();
}

TEST(BatchDates, IsoOrTheShortFormat) {
    const QDate today(2026, 12, 7);
    struct Case {
        const char* cell;
        const char* shortFormat;
        QDate expected;  // invalid: not a date
    } cases[] = {
        {"", "dd/MM/yy", today},
        {"2026-12-24", "dd/MM/yy", QDate(2026, 12, 24)},
        {"2026-2-4", "dd/MM/yy", QDate()},
        {"24/12/26", "dd/MM/yy", QDate(2026, 12, 24)},
        {"24/12/2026", "dd/MM/yy", QDate(2026, 12, 24)},
        {"12/24/2026", "M/d/yyyy", QDate(2026, 12, 24)},
        {"31/02/26", "dd/MM/yy", QDate()},
        {"24.12.2026", "dd/MM/yy", QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(BatchCheck::parseDate(QString::fromLatin1(c.cell), QString::fromLatin1(c.shortFormat),
                                        today),
                  c.expected);
    }
}

TEST_F(BatchChecks, NumbersFollowTheFormatAndNeverRepeat) {
    struct Case {
        BatchRow row;
        bool included;
        const char* number;
        const char* problem;
    } cases[] = {
        {row("A", "1"), true, "000099", ""},
        {row("B", "1", "", "", "000100"), true, "000100",
         "Cheque number 000100 of MBB was already printed on 1 Dec 2026 to Bob."},
        {row("C", "1"), false, "", ""},
        {row("D", "x"), true, "", "Invalid amount."},
        {row("E", "1"), true, "000102", ""},
        {row("F", "1", "", "", "000101"), true, "000101", ""},
        {row("G", "1", "", "mbb"), true, "000103", ""},
        {row("H", "1", "", "", "000101"), true, "000101", "Cheque number 000101 of MBB is also on line 7."},
        {row("I", "1", "", "", "12a"), true, "12a", "The cheque number must be 1 to 12 digits."},
        {row("J", "1", "", "", "0000000000001"), true, "0000000000001",
         "The cheque number must be 1 to 12 digits."},
        {row("K", "1", "", "XYZ"), true, "", ""},  // no next number known for XYZ
    };
    std::vector<BatchRow> rows;
    int line = 2;
    for (const Case& c : cases) {
        rows.push_back(c.row);
        rows.back().line = line++;
        rows.back().included = c.included;
    }
    const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, setup);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].payee.toStdString());
        EXPECT_EQ(checked[i].number, QString::fromUtf8(cases[i].number));
        EXPECT_EQ(checked[i].reason(), QString::fromUtf8(cases[i].problem));
    }
}

TEST_F(BatchChecks, TenThousandRowsAreReadAndCheckedWithinHalfASecond) {
    setup.usedNumbers.clear();
    QByteArray bytes = "payee;amount;date;bank\n";
    for (int i = 0; i < 10000; ++i)
        bytes += "\"Supplier " + QByteArray::number(i) + "\";" + QByteArray::number(i * 37) +
                 ".25;2026-12-24;" + (i % 2 ? "MBB" : "XYZ") + "\n";
    QElapsedTimer timer;
    timer.start();
    const BatchFile::Result file = BatchFile::read(bytes);
    const std::vector<CheckedRow> checked = BatchCheck::checkAll(file.rows, setup);
    const qint64 elapsed = timer.elapsed();
    ASSERT_EQ(checked.size(), 10000u);
    for (const CheckedRow& c : checked) ASSERT_TRUE(c.printable()) << c.reason().toStdString();
    EXPECT_EQ(checked[9999].number, QStringLiteral("005098"));
    EXPECT_LE(elapsed, 500);
}

}  // namespace
