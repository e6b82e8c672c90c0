#include <gtest/gtest.h>

#include "batch/ChequePdf.h"
#include "support/QStringPrinter.h"

namespace {

TEST(ChequePdfName, CharactersFileNamesCannotHoldAreReplaced) {
    struct Case {
        const char* bank;
        const char* number;
        const char* payee;
        const char* expected;
    } cases[] = {
        {"MBB", "000123", "ACME Ltd", "MBB-000123-ACME Ltd.pdf"},
        {"MBB", "000123", "A/B \\ C: \"D\" <E> | F? *", "MBB-000123-A_B _ C_ _D_ _E_ _ F_ _.pdf"},
        {"MBB", "7", "Line\nbreak\ttab", "MBB-7-Line_break_tab.pdf"},
        {"MBB", "7", " Zürich Traders... ", "MBB-7-Zürich Traders.pdf"},
        {"MBB", "", "", "MBB--.pdf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChequePdf::suggestedName(QString::fromUtf8(c.bank), QString::fromUtf8(c.number),
                                           QString::fromUtf8(c.payee)),
                  QString::fromUtf8(c.expected));
}

}  // namespace
