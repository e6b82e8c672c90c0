#include <gtest/gtest.h>

#include "core/AmountText.h"

namespace {

struct RewriteCase {
    const char* input;
    const char* expected;
};

TEST(AmountText, RewritesNumbersExactly) {
    const RewriteCase cases[] = {
        {"1234.5", "1,234.50"},
        {"1.005", "1.01"},
        {"0.125", "0.13"},
        {".5", "0.50"},
        {"1234567890123.456", "1,234,567,890,123.46"},
        {"", ""},
        {"12a", "12a"},
        {"0", "0.00"},
        {"5", "5.00"},
        {"0.004", "0.00"},
        {"0.005", "0.01"},
        {"999.995", "1,000.00"},
        {"99999999999999.999", "100,000,000,000,000.00"},
        {"1,234.5", "1,234.50"},
        {"12,34", "1,234.00"},
        {"007", "7.00"},
        {"  42 ", "42.00"},
        {"1.2.3", "1.2.3"},
        {".", "."},
        {",", ","},
        {"-5", "-5"},
        {"1e5", "1e5"},
        {"1.", "1.00"},
        {"1234567.891", "1,234,567.89"},
        {"123,456,789.00", "123,456,789.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AmountText::rewrite(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected))
            << "input " << c.input;
    }
}

TEST(AmountText, RewritingIsStable) {
    for (const char* input : {"1234.5", "0.125", "999999999999.995", "3"}) {
        const QString once = AmountText::rewrite(QString::fromUtf8(input));
        EXPECT_EQ(AmountText::rewrite(once), once);
    }
}

TEST(AmountText, CentsAreExact) {
    EXPECT_EQ(AmountText::toCents(QStringLiteral("1,234.56")), 123456);
    EXPECT_EQ(AmountText::toCents(QStringLiteral("0.015")), 2);
    EXPECT_EQ(AmountText::toCents(QStringLiteral("92233720368547758.07")), 9223372036854775807LL);
    EXPECT_FALSE(AmountText::toCents(QStringLiteral("92233720368547758.08")));
    EXPECT_FALSE(AmountText::toCents(QStringLiteral("abc")));
}

TEST(AmountText, RoundDecimal) {
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("-1.005"), 2), QStringLiteral("-1.01"));
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("-0.001"), 2), QStringLiteral("0.00"));
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("2.5"), 0), QStringLiteral("3"));
    EXPECT_FALSE(AmountText::roundDecimal(QStringLiteral("1,000"), 2));
}

}  // namespace
