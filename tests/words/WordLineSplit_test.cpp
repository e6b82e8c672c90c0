#include <gtest/gtest.h>

#include <QStringList>

#include "store/LanguageStore.h"
#include "platform/TextMeasure.h"
#include "core/FieldLabelSet.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"
#include "words/WordLineSplit.h"

namespace {

// With the fake measure at size 10, each character is 100 twips (150 bold).
FontSpec plain(float size = 10.0f) { return {QStringLiteral("Arial"), size, false}; }

struct SplitCase {
    const char* name;
    QString words;
    FontSpec font;
    double width;
    QString line1;
    QString line2;
};

TEST(SplitWordLines, BoundariesWithAFakeMeasure) {
    FakeTextMeasure measure;
    const QString three = QStringLiteral("One Two Three");  // " One" 400, " One Two" 800
    const SplitCase cases[] = {
        {"empty words", QString(), plain(), 5000, QString(), QString()},
        {"exactly as wide goes to line 2", three, plain(), 800, QStringLiteral(" One"),
         QStringLiteral(" Two Three")},
        {"one twip more fits", three, plain(), 801, QStringLiteral(" One Two"),
         QStringLiteral(" Three")},
        {"all fit", three, plain(), 1401, QStringLiteral(" One Two Three"), QString()},
        {"width 0", three, plain(), 0, QString(), QStringLiteral(" One Two Three")},
        {"first word too wide", three, plain(), 400, QString(), QStringLiteral(" One Two Three")},
        {"bold is wider",
         three,
         {QStringLiteral("Arial"), 10.0f, true},
         801,
         QStringLiteral(" One"),
         QStringLiteral(" Two Three")},
        {"larger font", three, plain(20.0f), 1500, QStringLiteral(" One"),
         QStringLiteral(" Two Three")},
        // Empty tokens count: " A" 200, " A " 300, " A  B" 500.
        {"double blank", QStringLiteral("A  B"), plain(), 400, QStringLiteral(" A "),
         QStringLiteral(" B")},
        {"double blank all fit", QStringLiteral("A  B"), plain(), 501, QStringLiteral(" A  B"),
         QString()},
        {"only blanks", QStringLiteral("  ."), plain(), 250, QStringLiteral("  "),
         QStringLiteral(" .")},
    };
    for (const auto& c : cases) {
        const WordLines lines = splitWordLines(c.words, c.font, c.width, measure);
        EXPECT_EQ(lines.line1, c.line1) << c.name;
        EXPECT_EQ(lines.line2, c.line2) << c.name;
    }
}

// A measure whose width can shrink: later words must still stay on line 2.
class ShrinkingMeasure final : public TextMeasure {
public:
    double widthTwips(const QString& text, const FontSpec&) const override {
        return text.contains(QStringLiteral("narrow")) ? 0 : text.size() * 100.0;
    }
};

TEST(SplitWordLines, LineOneIsAlwaysAPrefix) {
    const WordLines lines =
        splitWordLines(QStringLiteral("aaaa bbbb narrow"), plain(), 800, ShrinkingMeasure());
    EXPECT_EQ(lines.line1, QStringLiteral(" aaaa"));
    EXPECT_EQ(lines.line2, QStringLiteral(" bbbb narrow"));
}

class SplitAmountWordsTest : public ::testing::Test {
protected:
    TestEnv env;
    FieldLabelSet labels;
    int english = LanguageStore::findByName(env.db(), QStringLiteral("English"))->id;

    void SetUp() override {
        labels[FieldWord1].font = plain();
        labels[FieldWord1].caption = QStringLiteral("old line 1");
        labels[FieldWord2].caption = QStringLiteral("old line 2");
        // Word2's font and width play no part.
        labels[FieldWord2].font = {QStringLiteral("Arial"), 72.0f, true};
        labels[FieldWord2].width = 1.0f;
    }
};

TEST_F(SplitAmountWordsTest, TwoWordEntriesAreSplitApart) {
    labels[FieldAmount].caption = QStringLiteral("21.00");  // "Twenty One Only."
    labels[FieldWord1].width = 1000.0f;                     // " Twenty" 700, " Twenty One" 1100
    splitAmountWords(env.db(), env.dialogs, env.textMeasure, english, labels);
    EXPECT_EQ(labels[FieldWord1].caption, QStringLiteral(" Twenty"));
    EXPECT_EQ(labels[FieldWord2].caption, QStringLiteral(" One Only."));
}

TEST_F(SplitAmountWordsTest, LinesTogetherHoldEveryWordInOrder) {
    labels[FieldAmount].caption = QStringLiteral("2,040,300.07");
    const QString words =
        amountToWords(env.db(), env.dialogs, labels[FieldAmount].caption, english);
    for (float width : {0.0f, 500.0f, 1700.0f, 2500.0f, 4000.0f, 100000.0f}) {
        labels[FieldWord1].width = width;
        splitAmountWords(env.db(), env.dialogs, env.textMeasure, english, labels);
        const QString line1 = labels[FieldWord1].caption;
        EXPECT_EQ(QString(line1 + labels[FieldWord2].caption), QString(u' ' + words)) << width;
        EXPECT_LT(env.textMeasure.widthTwips(line1, plain()), std::max(width, 1.0f)) << width;
    }
}

TEST_F(SplitAmountWordsTest, AmountOverTheLimitLeavesBothLinesEmpty) {
    labels[FieldAmount].caption = QStringLiteral("1,000,000,000,000.00");
    labels[FieldWord1].width = 5000.0f;
    splitAmountWords(env.db(), env.dialogs, env.textMeasure, english, labels);
    EXPECT_EQ(labels[FieldWord1].caption, QString());
    EXPECT_EQ(labels[FieldWord2].caption, QString());
    EXPECT_EQ(env.dialogs.messages.size(), 1u);
}

// ---- With the screen's metrics ------------------------------------------------------------

class ScreenSplitTest : public ::testing::Test {
protected:
    TestEnv env;
    ScreenTextMeasure measure;
    QString words;
    QStringList tokens;

    void SetUp() override {
        const int english = LanguageStore::findByName(env.db(), QStringLiteral("English"))->id;
        words = amountToWords(env.db(), env.dialogs, QStringLiteral("777,777,777,777.77"), english);
        tokens = words.split(u' ');
    }
    // A width just over the first `n` words in `font`.
    double widthFor(int n, const FontSpec& font) const {
        QString run;
        for (int i = 0; i < n; ++i) run += u' ' + tokens.at(i);
        return measure.widthTwips(run, font) + 1.0;
    }
    static int wordCount(const QString& line) { return line.isEmpty() ? 0 : line.count(u' '); }
};

TEST_F(ScreenSplitTest, MeasuresLikeTheScreen) {
    const FontSpec font = plain(10.0f);
    ASSERT_GT(measure.widthTwips(QStringLiteral(" Seven"), font), 0.0);
    const double width = widthFor(8, font);
    const WordLines lines = splitWordLines(words, font, width, measure);
    EXPECT_EQ(wordCount(lines.line1), 8);
    EXPECT_LT(measure.widthTwips(lines.line1, font), width);
    EXPECT_EQ(QString(lines.line1 + lines.line2), QString(u' ' + words));
}

TEST_F(ScreenSplitTest, LargerFontMovesTheSplitTowardsTheStart) {
    const double width = widthFor(8, plain(10.0f));
    const int at10 = wordCount(splitWordLines(words, plain(10.0f), width, measure).line1);
    const int at14 = wordCount(splitWordLines(words, plain(14.0f), width, measure).line1);
    const int bold = wordCount(
        splitWordLines(words, {QStringLiteral("Arial"), 10.0f, true}, width, measure).line1);
    EXPECT_EQ(at10, 8);
    EXPECT_LT(at14, at10);
    EXPECT_LT(bold, at10);
}

TEST_F(ScreenSplitTest, UpperCaseMovesTheSplitTowardsTheStart) {
    const FontSpec font = plain(10.0f);
    const QString proper = toProperCase(words);
    const QString upper = toUpperCase(words);
    const double width = widthFor(8, font);
    const int properCount = wordCount(splitWordLines(proper, font, width, measure).line1);
    const int upperCount = wordCount(splitWordLines(upper, font, width, measure).line1);
    EXPECT_EQ(properCount, 8);
    EXPECT_LT(upperCount, properCount);
}

}  // namespace
