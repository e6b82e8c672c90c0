#include <gtest/gtest.h>

#include "designer/ChequeLocation.h"
#include "support/QStringPrinter.h"

namespace {

using Orientation = ChequeLocation::Orientation;

struct AlignCase {
    const char* name;
    int code;
    const char* width;
    const char* height;
    // Expected offsets after Bottom, Right, VCenter, HCenter.
    double bottom, right, vcentre, hcentre;
};

TEST(ChequeLocation, AlignmentsUseTheExactSheetAndChequeSizes) {
    const AlignCase cases[] = {
        // 3.33 inches is 4795.2 twips: the height is kept whole, the width is not.
        {"fractional upright", 1, "6.67", "3.33", 16834 - 4795, 11909 - 9604.8,
         (16834 - 4795) / 2.0, (11909 - 9604.8) / 2.0},
        {"fractional turned", 2, "6.67", "3.33", 11909 - 4795, 16834 - 9604.8, (11909 - 4795) / 2.0,
         (16834 - 9604.8) / 2.0},
        {"size 0", 1, "0.00", "0.00", 16834, 11909, 16834 / 2.0, 11909 / 2.0},
        {"sizes that are no numbers", 2, "abc", "", 11909, 16834, 11909 / 2.0, 16834 / 2.0},
        {"larger than the sheet", 1, "9.00", "12.00", 16834 - 17280, 11909 - 12960,
         (16834 - 17280) / 2.0, (11909 - 12960) / 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChequeLocation location;
        location.open(250.5, -14.4, c.code, QString::fromLatin1(c.width),
                      QString::fromLatin1(c.height));
        EXPECT_DOUBLE_EQ(location.top(), 250.5);
        EXPECT_DOUBLE_EQ(location.left(), -14.4);
        EXPECT_EQ(location.orientationCode(), c.code);

        location.alignBottom();
        EXPECT_DOUBLE_EQ(location.top(), c.bottom);
        EXPECT_DOUBLE_EQ(location.left(), -14.4);
        location.alignRight();
        EXPECT_DOUBLE_EQ(location.left(), c.right);
        EXPECT_DOUBLE_EQ(location.top(), c.bottom);
        location.centreVertically();
        EXPECT_DOUBLE_EQ(location.top(), c.vcentre);
        location.centreHorizontally();
        EXPECT_DOUBLE_EQ(location.left(), c.hcentre);
        location.alignTop();
        EXPECT_DOUBLE_EQ(location.top(), 0);
        EXPECT_DOUBLE_EQ(location.left(), c.hcentre);
        location.alignLeft();
        EXPECT_DOUBLE_EQ(location.left(), 0);
    }
}

TEST(ChequeLocation, OrientationCodesAndChequeSize) {
    ChequeLocation location;
    for (int code : {2, 0, 3, -1}) {
        location.open(0, 0, code, QStringLiteral("1"), QStringLiteral("1"));
        EXPECT_EQ(location.orientation(), Orientation::Portrait) << code;
        EXPECT_EQ(location.orientationCode(), 2);
    }
    location.open(0, 0, 1, QStringLiteral(" 7.5 "), QStringLiteral("3.51"));
    EXPECT_EQ(location.orientation(), Orientation::Landscape);
    EXPECT_DOUBLE_EQ(location.chequeWidth(), 10800);
    EXPECT_EQ(location.chequeHeight(), 5054);  // 5054.4 rounded
    EXPECT_DOUBLE_EQ(location.sheetWidth(), 11909);
    EXPECT_DOUBLE_EQ(location.sheetHeight(), 16834);
    location.open(0, 0, 1, QStringLiteral("1"), QStringLiteral("3.52"));
    EXPECT_EQ(location.chequeHeight(), 5069);  // 5068.8 rounded up
}

TEST(ChequeLocation, StepsHaveNoLimits) {
    ChequeLocation location;
    location.open(16834, -5000, 1, QStringLiteral("7"), QStringLiteral("3"));
    location.stepTop(false);
    location.stepLeft(true);
    EXPECT_DOUBLE_EQ(location.top(), 16848.4);
    EXPECT_DOUBLE_EQ(location.left(), -5014.4);
}

TEST(ChequeLocation, ChoosingAnOrientationMovesTheChequeToTopOrBottom) {
    ChequeLocation location;
    location.open(1000, 777, 1, QStringLiteral("7.00"), QStringLiteral("3.50"));
    location.chooseOrientation(Orientation::Portrait);
    EXPECT_EQ(location.orientationCode(), 2);
    EXPECT_DOUBLE_EQ(location.top(), 11909 - 5040);
    EXPECT_DOUBLE_EQ(location.left(), 777);
    EXPECT_DOUBLE_EQ(location.sheetWidth(), 16834);
    EXPECT_DOUBLE_EQ(location.sheetHeight(), 11909);
    location.chooseOrientation(Orientation::Landscape);
    EXPECT_EQ(location.orientationCode(), 1);
    EXPECT_DOUBLE_EQ(location.top(), 0);
    EXPECT_DOUBLE_EQ(location.left(), 777);
}

TEST(ChequeLocation, InchTextTwoDecimalsAndTheInchMark) {
    const struct {
        double twips;
        const char* text;
    } cases[] = {{0, "0.00\""},      {1800, "1.25\""},  {914.5, "0.64\""},
                 {-43.2, "-0.03\""}, {11794, "8.19\""}, {-14.4, "-0.01\""},
                 {7.2, "0.01\""},    {-7.2, "-0.01\""}, {16834, "11.69\""}};
    for (const auto& c : cases)
        EXPECT_EQ(ChequeLocation::inchText(c.twips), QString::fromLatin1(c.text)) << c.twips;
}

}  // namespace
