#include <gtest/gtest.h>

#include "batch/BatchFile.h"
#include "batch/CsvReader.h"
#include "support/QStringPrinter.h"

#include <string>
#include <vector>

namespace {

// Records written as "line:field|field|..." so a table states them compactly.
std::vector<std::string> flatten(const CsvReader::Result& result) {
    std::vector<std::string> out;
    for (const auto& record : result.records)
        out.push_back(QStringLiteral("%1:%2")
                          .arg(record.line)
                          .arg(record.fields.join(QLatin1Char('|')))
                          .toStdString());
    return out;
}

struct CsvCase {
    const char* name;
    QByteArray bytes;
    std::vector<std::string> records;  // expected when the file is read (UTF-8)
    int errorLine;        // > 0: the file is refused, naming this line
};

void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class CsvEdgeCases : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvEdgeCases, ReadsOrRefusesWhole) {
    const CsvCase& c = GetParam();
    const CsvReader::Result result = CsvReader::read(c.bytes);
    if (c.errorLine > 0) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorLine, c.errorLine);
        EXPECT_TRUE(result.error.contains(QStringLiteral("line %1").arg(c.errorLine),
                                          Qt::CaseInsensitive))
            << result.error.toStdString();
        EXPECT_TRUE(result.records.empty());
    } else {
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(flatten(result), c.records);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvEdgeCases,
    testing::Values(
        CsvCase{"plain", "payee,amount\nACME,12\n", {"1:payee|amount", "2:ACME|12"}, 0},
        CsvCase{"bom", "\xEF\xBB\xBFpayee,amount\r\nA,1\r\n", {"1:payee|amount", "2:A|1"}, 0},
        CsvCase{"no final line end", "a,b\nc,d", {"1:a|b", "2:c|d"}, 0},
        CsvCase{"quoted separator and quotes",
                "p,a\n\"Smith, \"\"Jr\"\" Ltd\",\"1,234.50\"\n",
                {"1:p|a", "2:Smith, \"Jr\" Ltd|1,234.50"}, 0},
        CsvCase{"line ends inside quotes count lines",
                "p,a\n\"two\r\nlines\",1\n\"x\ny\",2\nlast,3\n",
                {"1:p|a", "2:two\r\nlines|1", "4:x\ny|2", "6:last|3"}, 0},
        CsvCase{"semicolon header", "payee;amount\n\"A;B\";1,50\n", {"1:payee|amount", "2:A;B|1,50"}, 0},
        CsvCase{"comma wins a tie", "a,b;c\n1,2;3\n", {"1:a|b;c", "2:1|2;3"}, 0},
        CsvCase{"empty and blank lines skipped", "a,b\n\n , \n,,\r\n\r\nc,d\n",
                {"1:a|b", "6:c|d"}, 0},
        CsvCase{"empty quoted field kept", "a,b,c\n\"\",x,\n", {"1:a|b|c", "2:|x|"}, 0},
        CsvCase{"lone carriage returns", "a,b\rc,d\r", {"1:a|b", "2:c|d"}, 0},
        CsvCase{"utf-8 names", "p,a\nZ\xC3\xBCrich \xE5\x8C\x97,1\n", {"1:p|a", "2:Z\xC3\xBCrich \xE5\x8C\x97|1"}, 0},
        CsvCase{"latin-1 byte", "p,a\nok,1\nZ\xFCrich,2\n", {}, 3},
        CsvCase{"overlong utf-8", "p,a\n\xC0\xAF,1\n", {}, 2},
        CsvCase{"truncated utf-8 at the end", "p,a\nx,\xE2\x82", {}, 2},
        CsvCase{"nul byte", QByteArray("p,a\nx,1\n\0,2\n", 12), {}, 3},
        CsvCase{"unclosed quote", "p,a\nx,1\n\"never closed,2\nmore\n", {}, 3},
        CsvCase{"text after closing quote", "p,a\n\"x\"y,1\n", {}, 2}));

struct HeaderCase {
    const char* name;
    QByteArray bytes;
    std::vector<std::string> rows;  // "line:payee|amount|date|bank|number"
    int errorLine;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class BatchFileColumns : public testing::TestWithParam<HeaderCase> {};

TEST_P(BatchFileColumns, MapsColumnsByNameOrRefuses) {
    const HeaderCase& c = GetParam();
    const BatchFile::Result result = BatchFile::read(c.bytes);
    if (c.errorLine > 0) {
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorLine, c.errorLine);
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("Line %1").arg(c.errorLine)))
            << result.error.toStdString();
        EXPECT_TRUE(result.rows.empty());
        return;
    }
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    std::vector<std::string> rows;
    for (const BatchRow& r : result.rows)
        rows.push_back(QStringLiteral("%1:%2")
                           .arg(r.line)
                           .arg(QStringList{r.payee, r.amount, r.date, r.bank, r.number}.join(
                               QLatin1Char('|')))
                           .toStdString());
    EXPECT_EQ(rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchFileColumns,
    testing::Values(
        HeaderCase{"any order and case, extra ignored",
                   "Memo,NUMBER,Amount,Bank,date,PAYEE\nm, 0042 ,12,MBB,2026-12-24, ACME \n",
                   {"2:ACME|12|2026-12-24|MBB|0042"}, 0},
        HeaderCase{"optional columns absent", "amount,payee\n5,Bob\n", {"2:Bob|5|||"}, 0},
        HeaderCase{"short row", "payee,amount,bank\nBob\n", {"2:Bob||||"}, 0},
        HeaderCase{"header after blank lines", "\n\npayee;amount\nA;1\n", {"4:A|1|||"}, 0},
        HeaderCase{"missing amount", "payee,sum\nA,1\n", {}, 1},
        HeaderCase{"missing payee after blank line", "\nname,amount\nA,1\n", {}, 2},
        HeaderCase{"no header at all", "", {}, 1},
        HeaderCase{"not text", "payee,amount\n\xFF\xFE,1\n", {}, 2}));

}  // namespace
