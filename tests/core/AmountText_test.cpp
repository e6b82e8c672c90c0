#include <gtest/gtest.h>

#include "core/AmountText.h"
#include "core/ChequeEntryRules.h"
#include "core/ChequeNumber.h"

namespace {

TEST(AmountText, RewritesNumbersExactlyAndLeavesOtherTextAlone) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234.5", "1,234.50"}, {"1.005", "1.01"}, {"0.125", "0.13"}, {".5", "0.50"},
        {"0.004", "0.00"}, {"999.995", "1,000.00"}, {"99999999999999.999", "100,000,000,000,000.00"},
        {"12,34", "1,234.00"}, {"007", "7.00"}, {"  42 ", "42.00"}, {"1.", "1.00"},
        {"123,456,789.00", "123,456,789.00"}, {"", ""}, {"12a", "12a"}, {"1.2.3", "1.2.3"},
        {".", "."}, {",", ","}, {"1.2,3", "1.2,3"}, {"-5", "-5"}, {"1e5", "1e5"}};
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(AmountText::rewrite(QString::fromUtf8(input)), QString::fromUtf8(expected)) << input;
    EXPECT_EQ(AmountText::toCents(QStringLiteral("0.015")), 2);
    EXPECT_EQ(AmountText::toCents(QStringLiteral("92233720368547758.07")), 9223372036854775807LL);
    EXPECT_FALSE(AmountText::toCents(QStringLiteral("92233720368547758.08")));
    EXPECT_FALSE(AmountText::toCents(QStringLiteral("abc")));
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("-1.005"), 2), QStringLiteral("-1.01"));
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("-0.001"), 2), QStringLiteral("0.00"));
    EXPECT_EQ(AmountText::roundDecimal(QStringLiteral("2.5"), 0), QStringLiteral("3"));
    EXPECT_FALSE(AmountText::roundDecimal(QStringLiteral("1,000"), 2));
}

TEST(ChequeEntryRules, AmountMessagesAndChequeNumberDigits) {
    const std::pair<const char*, const char*> amounts[] = {
        {"", "No empty Amount field is allowed."}, {"x", "Invalid amount."}, {"-1", "Invalid amount."},
        {"999999999999.994", ""}, {"999999999999.995", "Invalid amount. Amount can't exceed trillion value."}};
    for (const auto& [amount, message] : amounts)
        EXPECT_EQ(ChequeEntryRules::amountMessage(ChequeEntryRules::checkAmount(QString::fromUtf8(amount))),
                  QString::fromUtf8(message)) << amount;
    // number, valid, the one after it ("" when there is none)
    const std::tuple<const char*, bool, const char*> numbers[] = {
        {"000999", true, "001000"}, {"999", true, "1000"}, {"999999999999", true, ""},
        {"000000000001", true, "000000000002"}, {"0000000000001", false, ""}, {"", false, ""}, {"12a", false, ""}};
    for (const auto& [number, valid, next] : numbers) {
        EXPECT_EQ(ChequeNumber::isValid(QString::fromUtf8(number)), valid) << number;
        EXPECT_EQ(ChequeNumber::following(QString::fromUtf8(number)).value_or(QString()), QString::fromUtf8(next))
            << number;
    }
}

}  // namespace
