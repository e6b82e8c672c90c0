// Batch files read, and every row checked by the rules of the main window, without widgets.
#include <gtest/gtest.h>

#include "batch/BatchCheck.h"
#include "batch/BatchFile.h"
#include "batch/ChequePdf.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

using namespace Qt::StringLiterals;

// A file read: its rows as "line:payee|amount|date|bank|number", joined by " / ", or the
// line that made it refused whole.
TEST(BatchFile, QuotesSeparatorsLineEndsAndColumnsByNameOrTheWholeFileRefused) {
    const std::tuple<QByteArray, const char*, int> cases[] = {
        {"Payee,amount\nACME,12\n", "2:ACME|12|||", 0}, {"\xEF\xBB\xBFpayee,amount\r\nA,1\r\n", "2:A|1|||", 0},
        {"payee,amount\nA,1\nB,2", "2:A|1||| / 3:B|2|||", 0}, {"payee,amount\rA,1\rB,2\r", "2:A|1||| / 3:B|2|||", 0},
        {"payee,amount\n\"Smith, \"\"Jr\"\" Ltd\",\"1,234.50\"\n", "2:Smith, \"Jr\" Ltd|1,234.50|||", 0},
        {"payee,amount\n\"two\r\nlines\",1\n\"x\ny\",2\nlast,3\n", "2:two\r\nlines|1||| / 4:x\ny|2||| / 6:last|3|||", 0},
        {"\n\npayee;amount\n\"A;B\";1,50\n", "4:A;B|1,50|||", 0}, {"payee,amount,x;y;z\nA,1,2;3;4\n", "2:A|1|||", 0},
        {"payee,amount\n\n , \n,,\r\n\r\nc,d\n", "6:c|d|||", 0}, {"payee,amount,date\n\"\",x,\n", "2:|x|||", 0},
        {"Memo,NUMBER,Amount,Bank,date,PAYEE\nm, 0042 ,12,MBB,2026-12-24, ACME \n", "2:ACME|12|2026-12-24|MBB|0042", 0},
        {"payee,amount,bank\nBob\n", "2:Bob||||", 0}, {"payee,amount\nZ\xC3\xBCrich \xE5\x8C\x97,1\n", "2:Z\xC3\xBCrich \xE5\x8C\x97|1|||", 0},
        {"payee,amount\nok,1\nZ\xFCrich,2\n", "", 3}, {"payee,amount\n\xC0\xAF,1\n", "", 2}, {"payee,amount\nx,\xE2\x82", "", 2},
        {QByteArray("payee,amount\nx,1\n\0,2\n", 21), "", 3}, {"payee,amount\nx,1\n\"never closed,2\nmore\n", "", 3},
        {"payee,amount\n\"x\"y,1\n", "", 2}, {"payee,sum\nA,1\n", "", 1}, {"\nname,amount\nA,1\n", "", 2}, {"", "", 1}};
    for (const auto& [bytes, read, errorLine] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        const BatchFile::Result r = BatchFile::read(bytes);
        QStringList rows;
        for (const BatchRow& b : r.rows)
            rows << QString::number(b.line) + u':' + QStringList{b.payee, b.amount, b.date, b.bank, b.number}.join(u'|');
        EXPECT_EQ(rows.join(u" / "_s), QString::fromUtf8(read));
        EXPECT_EQ(r.ok ? 0 : r.errorLine, errorLine);
        EXPECT_TRUE(r.ok || r.error.startsWith(u"Line %1"_s.arg(errorLine))) << r.error.toStdString();
    }
}

class BatchChecks : public testing::Test {
protected:
    BatchChecks() {
        for (const auto& [code, language] : {std::pair{"MBB", 1}, std::pair{"XYZ", 2}}) {
            ChequeFormat& f = setup.formats.emplace_back();
            f.bankCode = QString::fromLatin1(code);
            f.amountLanguage = language;
            f.fields.at(FieldWord1).width = 3000;  // 30 characters of the fake measure
            f.fonts.at(FieldWord1) = {u"Arial"_s, 10.0f, false};
            setup.wordsByLanguage.insert(language, AmountWordTable::load(env.db(), language));
        }
        setup.defaultBankCode = u"MBB"_s;
        setup.today = QDate(2026, 12, 7);
        setup.shortDateFormat = u"dd/MM/yy"_s;
        setup.measure = &env.textMeasure;
        setup.nextNumbers.insert(u"MBB"_s, u"000099"_s);
        setup.usedNumbers[u"MBB"_s].insert(u"000100"_s, u"printed on 1 Dec 2026 to Bob"_s);
    }
    static BatchRow row(const char* payee, const char* amount, const char* date = "", const char* bank = "",
                        const char* number = "", bool included = true) {
        return {0, QString::fromUtf8(payee), QString::fromUtf8(amount), QString::fromUtf8(date),
                QString::fromUtf8(bank), QString::fromUtf8(number), included};
    }
    TestEnv env;
    BatchSetup setup;
};

// Each row is checked as the main window checks a cheque; numbers follow the format's
// next number, skip those the file names, and never repeat one in the file or printed.
TEST_F(BatchChecks, EveryRuleOfTheMainWindowAndNumbersThatNeverRepeat) {
    const QString limit = u"Invalid amount. Amount can't exceed trillion value."_s;
    const QString noPayee = u"No emtpy Pay To field is allowed."_s, digits = u"The cheque number must be 1 to 12 digits."_s;
    const std::pair<BatchRow, QString> cases[] = {  // amount|bank|number|problem
        {row("A", "1"), u"1.00|MBB|000099|"_s},
        {row("B", "1", "", "", "000100"), u"1.00|MBB|000100|Cheque number 000100 of MBB was already printed on 1 Dec 2026 to Bob."_s},
        {row("C", "1", "", "", "", false), u"1.00|MBB||"_s}, {row("D", "x"), u"x|MBB||Invalid amount."_s},
        {row("E", "1"), u"1.00|MBB|000102|"_s}, {row("F", "1", "", "", "000101"), u"1.00|MBB|000101|"_s},
        {row("G", "1", "", "mbb"), u"1.00|MBB|000103|"_s},
        {row("H", "1", "", "", "000101"), u"1.00|MBB|000101|Cheque number 000101 of MBB is also on line 7."_s},
        {row("I", "1", "", "", "12a"), u"1.00|MBB|12a|"_s + digits},
        {row("J", "1", "", "", "0000000000001"), u"1.00|MBB|0000000000001|"_s + digits},
        {row("K", ".5", "2026-12-24", "xyz"), u"0.50|XYZ||"_s},  // no next number known for XYZ
        {row("L", "1234.565", "", "XYZ"), u"1,234.57|XYZ||"_s}, {row("M", " 1,234 ", "", "XYZ"), u"1,234.00|XYZ||"_s},
        {row("N", "999999999999.99", "", "XYZ"), u"999,999,999,999.99|XYZ||"_s},
        {row("O", "1000000000000"), u"1,000,000,000,000.00|MBB||"_s + limit},
        {row("P", "999999999999.995"), u"1,000,000,000,000.00|MBB||"_s + limit},
        {row("Q", ""), u"|MBB||No empty Amount field is allowed."_s}, {row("R", "-5"), u"-5|MBB||Invalid amount."_s},
        {row("", "5"), u"5.00|MBB||"_s + noPayee}, {row("  ", "5"), u"5.00|MBB||"_s + noPayee},
        {row("S", "5", "", "ZZZ"), u"5.00|||Unknown bank code \"ZZZ\"."_s},
        {row("T", "5", "2026-02-30"), u"5.00|MBB||\"2026-02-30\" is not a date."_s},
        {row("", "x", "", "ZZZ"), u"x|||"_s + noPayee + u" Invalid amount. Unknown bank code \"ZZZ\"."_s}};
    std::vector<BatchRow> rows;
    for (const auto& c : cases) (rows.push_back(c.first), rows.back().line = static_cast<int>(rows.size()) + 1);
    const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, setup);
    for (size_t i = 0; i < rows.size(); ++i) {
        const CheckedRow& c = checked[i];
        EXPECT_EQ(c.amount + u'|' + c.bankCode + u'|' + c.number + u'|' + c.reason(), cases[i].second);
        // The words are spelled whenever the amount and the bank allow it.
        EXPECT_EQ(c.words.isEmpty(), c.bankCode.isEmpty() || c.problem.contains(u"amount"_s, Qt::CaseInsensitive)) << cases[i].second.toStdString();
    }
}

TEST_F(BatchChecks, WordsInTheFormatsLanguageAndCaseSplitOverTheLines) {
    const CheckedRow english = BatchCheck::checkRow(row("ACME", "1,234.50"), setup);
    EXPECT_EQ(english.lines.line1 + english.lines.line2, u" ONE THOUSAND TWO HUNDRED THIRTY FOUR AND CENTS FIFTY ONLY."_s);
    EXPECT_LT(english.lines.line1.size(), 30);  // narrower than the field
    setup.properCase = true;
    EXPECT_TRUE(BatchCheck::checkRow(row("ACME", "1,234.50", "", "XYZ"), setup).lines.line1.startsWith(u" Satu "_s));
}

TEST(BatchDates, IsoOrTheShortFormat) {
    const QDate today(2026, 12, 7), christmas(2026, 12, 24);
    const std::tuple<const char*, const char*, QDate> cases[] = {
        {"", "dd/MM/yy", today}, {"2026-12-24", "dd/MM/yy", christmas}, {"2026-2-4", "dd/MM/yy", QDate()},
        {"24/12/26", "dd/MM/yy", christmas}, {"24/12/2026", "dd/MM/yy", christmas}, {"12/24/2026", "M/d/yyyy", christmas},
        {"31/02/26", "dd/MM/yy", QDate()}, {"24.12.2026", "dd/MM/yy", QDate()}};
    for (const auto& [cell, format, expected] : cases)
        EXPECT_EQ(BatchCheck::parseDate(QString::fromLatin1(cell), QString::fromLatin1(format), today), expected) << cell;
}

TEST(ChequePdfName, CharactersFileNamesCannotHoldAreReplaced) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"000123", "A/B \\ C: \"D\" <E> | F? *", "MBB-000123-A_B _ C_ _D_ _E_ _ F_ _.pdf"},
        {"7", "Line\nbreak\ttab", "MBB-7-Line_break_tab.pdf"}, {"7", " Zürich Traders... ", "MBB-7-Zürich Traders.pdf"},
        {"", "", "MBB--.pdf"}};
    for (const auto& [number, payee, name] : cases)
        EXPECT_EQ(ChequePdf::suggestedName(u"MBB"_s, QString::fromUtf8(number), QString::fromUtf8(payee)), QString::fromUtf8(name));
}

}  // namespace
