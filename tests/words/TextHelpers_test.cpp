#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "words/TextHelpers.h"

namespace {

struct Case {
    QString in;
    QString arg;
    QString out;
};

TEST(TextHelpers, RemoveChars) {
    const Case cases[] = {
        {QStringLiteral("1,234.50"), QStringLiteral(",."), QStringLiteral("123450")},
        {QStringLiteral("999,999,999,999.99"), QStringLiteral(",."),
         QStringLiteral("99999999999999")},
        {QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("abc")},
        {QStringLiteral("AbAb"), QStringLiteral("a"), QStringLiteral("AbAb")},  // case-sensitive
        {QStringLiteral("abc"), QString(), QStringLiteral("abc")},
        {QString(), QStringLiteral(",."), QString()},
        {QStringLiteral(",.,."), QStringLiteral(".,"), QString()},
        {QStringLiteral("\u00e9t\u00e9 x"), QStringLiteral("\u00e9"), QStringLiteral("t x")},
    };
    for (const auto& c : cases) EXPECT_EQ(removeChars(c.in, c.arg), c.out) << c.in.toStdString();
}

TEST(TextHelpers, FirstWord) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("MBB - Maybank Berhad"), QStringLiteral("MBB")},
        {QStringLiteral("HSBC"), QStringLiteral("HSBC")},
        {QStringLiteral(" leading"), QString()},
        {QString(), QString()},
        {QStringLiteral("A\tB C"), QStringLiteral("A\tB")},  // only the blank ends the word
        {QStringLiteral("X  Y"), QStringLiteral("X")},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(firstWord(in), out) << in.toStdString();
}

TEST(TextHelpers, LetterCase) {
    const std::pair<QString, QString> proper[] = {
        {QStringLiteral("TWENTY ONE ONLY."), QStringLiteral("Twenty One Only.")},
        {QStringLiteral("one hundred and cents fifty only."),
         QStringLiteral("One Hundred And Cents Fifty Only.")},
        {QStringLiteral("  mIxEd  cAsE"), QStringLiteral("  Mixed  Case")},
        {QStringLiteral("o'BRIEN-SMITH x"), QStringLiteral("O'brien-smith X")},
        {QStringLiteral("1st PLACE"), QStringLiteral("1st Place")},
        {QStringLiteral("\u00e9COLE \u00c9T\u00c9"), QStringLiteral("\u00c9cole \u00c9t\u00e9")},
        {QStringLiteral("a\tB"), QStringLiteral("A\tb")},
        {QStringLiteral("\U00010428\U00010400 x"), QStringLiteral("\U00010400\U00010428 X")},
        {QString(), QString()},
    };
    for (const auto& [in, out] : proper) EXPECT_EQ(toProperCase(in), out) << in.toStdString();

    // A payee's name: only each word's first letter rises; the rest stays as typed.
    const std::pair<QString, QString> names[] = {
        {QStringLiteral("McDonald o'Brien"), QStringLiteral("McDonald O'Brien")},
        {QStringLiteral("ACME ltd"), QStringLiteral("ACME Ltd")},
        {QStringLiteral("\u00e9COLE  x"), QStringLiteral("\u00c9COLE  X")},
        {QStringLiteral("\U00010428\U00010428"), QStringLiteral("\U00010400\U00010428")},
        {QString(), QString()},
    };
    for (const auto& [in, out] : names) EXPECT_EQ(toProperCaseName(in), out) << in.toStdString();

    EXPECT_EQ(toUpperCase(QStringLiteral("Twenty One Only.")), QStringLiteral("TWENTY ONE ONLY."));
    EXPECT_EQ(toUpperCase(QStringLiteral("sen \u00e9t\u00e9")),
              QStringLiteral("SEN \u00c9T\u00c9"));
}

}  // namespace
