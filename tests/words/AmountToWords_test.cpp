#include <gtest/gtest.h>

#include "core/FieldLabelSet.h"
#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"
#include "words/WordLineSplit.h"

namespace {

using namespace Qt::StringLiterals;

class AmountToWordsTest : public ::testing::Test {
protected:
    TestEnv env;
    QString spell(const char* amount, int language) {
        return amountToWords(env.db(), env.dialogs, QString::fromUtf8(amount), language);
    }
    // A language whose k-th row in Type order reads "w<k>"; its Type is `type` of k.
    void addLanguage(int id, const char* type, int rows = 107) {
        env.db().write(u"INSERT INTO LanguageMain (ID, LanguageName) VALUES (%1, 'Test %1')"_s.arg(id));
        env.db().write(u"INSERT INTO AmountWord (LanguageID, Type, Word) WITH RECURSIVE k(n) AS (SELECT 0 "
                       "UNION ALL SELECT n + 1 FROM k WHERE n < %2) SELECT %1, %3, 'w' || n FROM k"_s
                           .arg(id).arg(rows - 1).arg(QLatin1String(type)));
    }
};

// The words a slot sequence stands for, then the closing word (slot 105) and a full stop.
QString wordsOf(std::initializer_list<int> sequence) {
    QString text;
    for (int s : sequence) text += QStringLiteral("w%1 ").arg(s);
    return text + QStringLiteral("w105.");
}

TEST_F(AmountToWordsTest, EverySlotLandsWhereItBelongsWhateverTheTypeValues) {
    // 100 cents label, 101 hundred, 102 thousand, 103 million, 104 billion, 106 joining word.
    const std::pair<const char*, QString> cases[] = {
        {"0.00", wordsOf({})}, {"0.05", wordsOf({100, 5})}, {"5.00", wordsOf({5})},
        {"12.30", wordsOf({12, 106, 100, 30})}, {"105.00", wordsOf({1, 101, 5})}, {"1,001.00", wordsOf({1, 102, 1})},
        {"1,000,000.00", wordsOf({1, 103})}, {"2,040,300.07", wordsOf({2, 103, 40, 102, 3, 101, 106, 100, 7})},
        {"100,000,000,000.01", wordsOf({1, 101, 104, 106, 100, 1})},
        {"999,999,999,999.99", wordsOf({9, 101, 99, 104, 9, 101, 99, 103, 9, 101, 99, 102, 9, 101, 99, 106, 100, 99})},
        // Not in the display form: read as the amount they are; a line end is no cents digit.
        {"1234.5", wordsOf({1, 102, 2, 101, 34, 106, 100, 50})}, {" .5 ", wordsOf({100, 50})},
        {"0.505", wordsOf({100, 51})}, {"1,5", wordsOf({15})}, {"1.30\n", wordsOf({1, 106, 100, 30})},
    };
    addLanguage(50, "n");
    addLanguage(51, "n * n - 5000");  // sparse and negative
    addLanguage(52, "n", 110);        // rows past the table are left out
    for (const auto& [amount, expected] : cases)
        for (int language : {50, 51, 52}) EXPECT_EQ(spell(amount, language), expected) << amount;
    EXPECT_EQ(spell("5.00", 9999), QStringLiteral(" ."));  // a language without rows
    env.db().write(QStringLiteral("UPDATE AmountWord SET Word = 'five' WHERE LanguageID = 50 AND Type = 5"));
    EXPECT_EQ(spell("5.00", 50), QStringLiteral("five w105."));  // read afresh on every call
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(AmountToWordsTest, ATrillionOrMoreShowsTheLimitAndTextThatIsNoAmountGivesNothing) {
    for (const char* amount : {"1,000,000,000,000.00", "999,999,999,999.995"}) {
        env.dialogs.clear();
        EXPECT_EQ(spell(amount, 1), QString()) << amount;
        EXPECT_EQ(env.dialogs.texts(), QStringList{u"Invalid amount. Amount can't exceed trillion value."_s});
    }
    env.dialogs.clear();
    for (const char* text : {"", ".", "abc", "-5.00", "1.2.3", "5.00 Only", "1.,00"})
        EXPECT_EQ(spell(text, 1), QString()) << text;
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_TRUE(exceedsWordLimit(u"1000000000000"_s) && !exceedsWordLimit(u"999999999999.99"_s));
    env.db().executeScript(QStringLiteral("ALTER TABLE AmountWord RENAME TO Gone;"));
    EXPECT_THROW(spell("5.00", 1), DbError);
}

TEST_F(AmountToWordsTest, SeededLanguagesSpellAmounts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"English", "0.50", "Cents Fifty Only."}, {"Malay", "305.00", "Tiga Ratus Lima Sahaja."},
        {"English", "2,040,300.07", "Two Million Forty Thousand Three Hundred And Cents Seven Only."},
        {"Malay", "11.12", "Sebelas Dan Sen Dua Belas Sahaja."},
    };
    for (const auto& [language, amount, words] : cases)
        EXPECT_EQ(spell(amount, LanguageStore::findByName(env.db(), QString::fromLatin1(language))->id),
                  QString::fromLatin1(words));
}

TEST(TextHelpers, CaseAndPieces) {
    // text, Proper Case, a name's case
    const std::tuple<QString, QString, QString> cases[] = {
        {u"TWENTY ONE ONLY."_s, u"Twenty One Only."_s, u"TWENTY ONE ONLY."_s},
        {u"McDonald o'BRIEN-smith"_s, u"Mcdonald O'brien-smith"_s, u"McDonald O'BRIEN-smith"_s},
        {u"  mIxEd\tcAsE"_s, u"  Mixed\tcase"_s, u"  MIxEd\tcAsE"_s},
        {u"\u00e9COLE \U00010428\U00010428"_s, u"\u00c9cole \U00010400\U00010428"_s,
         u"\u00c9COLE \U00010400\U00010428"_s},
    };
    for (const auto& [text, proper, name] : cases)
        EXPECT_EQ(toProperCase(text) + u'|' + toProperCaseName(text), proper + u'|' + name);
    EXPECT_EQ(toUpperCase(u"sen \u00e9t\u00e9"_s) + removeChars(u"1,234.50"_s, u",."_s) + firstWord(u"MBB - Maybank"_s)
                  + firstWord(u"HSBC"_s), u"SEN \u00c9T\u00c9123450MBBHSBC"_s);
}

TEST(SplitWordLines, TheFirstWordsNarrowerThanTheFieldGoToLineOne) {
    // The fake measure: 100 twips a character at size 10, half as much again in bold.
    const FontSpec plain{u"Arial"_s, 10.0f, false}, bold{u"Arial"_s, 10.0f, true};
    const QString three = u"One Two Three"_s;  // " One" 400, " One Two" 800
    const std::tuple<QString, FontSpec, double, QString, QString> cases[] = {
        {QString(), plain, 5000, QString(), QString()}, {three, plain, 801, u" One Two"_s, u" Three"_s},
        {three, plain, 800, u" One"_s, u" Two Three"_s},  // as wide: line 2
        {three, plain, 1401, u" One Two Three"_s, QString()}, {three, plain, 0, QString(), u" One Two Three"_s},
        {three, bold, 801, u" One"_s, u" Two Three"_s}, {u"A  B"_s, plain, 400, u" A "_s, u" B"_s},
    };
    FakeTextMeasure measure;
    for (const auto& [words, font, width, line1, line2] : cases)
        EXPECT_EQ(splitWordLines(words, font, width, measure), (WordLines{line1, line2})) << width;
    // Once a word overflows, every later one goes to line 2, even one measured narrower.
    struct Shrinking final : TextMeasure {
        double widthTwips(const QString& t, const FontSpec&) const override {
            return t.contains(u'z') ? 0 : t.size() * 100.0;
        }
    };
    EXPECT_EQ(splitWordLines(u"aaaa bbbb z"_s, plain, 800, Shrinking()).line2, u" bbbb z"_s);

    // The amount's words split into the two word fields; over the limit both are empty.
    TestEnv env;
    FieldLabelSet labels;
    labels[FieldWord1].font = plain;
    labels[FieldWord1].width = 1000.0f;  // " Twenty" 700, " Twenty One" 1100
    for (const auto& [amount, line1, line2] : {std::tuple{"21.00", " Twenty", " One Only."},
                                               std::tuple{"1,000,000,000,000.00", "", ""}}) {
        labels[FieldAmount].caption = QString::fromLatin1(amount);
        splitAmountWords(env.db(), env.dialogs, env.textMeasure, 1, labels);
        EXPECT_EQ(labels[FieldWord1].caption + u'|' + labels[FieldWord2].caption,
                  QString::fromLatin1(line1) + u'|' + QString::fromLatin1(line2));
    }
}

}  // namespace
