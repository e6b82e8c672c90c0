#include <gtest/gtest.h>

#include "core/FieldLabelSet.h"
#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"
#include "words/WordLineSplit.h"

namespace {

// A language whose k-th row in Type order reads "w<k>"; its Type is typeOf(k).
template <typename TypeOf>
void addLanguage(Database& db, int id, TypeOf typeOf, int rows = 107) {
    Transaction t(db);
    db.prepare(QStringLiteral("INSERT INTO LanguageMain (ID, LanguageName) VALUES (?, ?)"))
        .bindAll({id, QStringLiteral("Test %1").arg(id)})
        .execute();
    for (int k = 0; k < rows; ++k)
        db.prepare(
              QStringLiteral("INSERT INTO AmountWord (LanguageID, Type, Word) VALUES (?, ?, ?)"))
            .bindAll({id, typeOf(k), QStringLiteral("w%1").arg(k)})
            .execute();
    t.commit();
}

// The words a slot sequence stands for, the closing word (slot 105) and a full stop last.
QString wordsOf(std::initializer_list<int> sequence) {
    QString text;
    for (int s : sequence) text += QStringLiteral("w%1 ").arg(s);
    return text + QStringLiteral("w105.");
}

class AmountToWordsTest : public ::testing::Test {
protected:
    TestEnv env;
    QString spell(const QString& amount, int language) {
        return amountToWords(env.db(), env.dialogs, amount, language);
    }
    int seeded(const char* name) {
        return LanguageStore::findByName(env.db(), QString::fromLatin1(name))->id;
    }
};

TEST_F(AmountToWordsTest, EverySlotLandsWhereItBelongsWhateverTheTypeValues) {
    // 100 cents label, 101 hundred, 102 thousand, 103 million, 104 billion, 106 joining word.
    const std::pair<const char*, QString> cases[] = {
        {"0.00", wordsOf({})},
        {"0.05", wordsOf({100, 5})},
        {"12.30", wordsOf({12, 106, 100, 30})},
        {"105.00", wordsOf({1, 101, 5})},
        {"300.00", wordsOf({3, 101})},
        {"1,001.00", wordsOf({1, 102, 1})},
        {"1,000,000.00", wordsOf({1, 103})},
        {"2,040,300.07", wordsOf({2, 103, 40, 102, 3, 101, 106, 100, 7})},
        {"1,000,000,001.00", wordsOf({1, 104, 1})},
        {"100,000,000,000.01", wordsOf({1, 101, 104, 106, 100, 1})},
        {"999,999,999,999.99",
         wordsOf({9, 101, 99, 104, 9, 101, 99, 103, 9, 101, 99, 102, 9, 101, 99, 106, 100, 99})},
        // Not in the display form: read as the amount they are.
        {"1234.5", wordsOf({1, 102, 2, 101, 34, 106, 100, 50})},
        {" .5 ", wordsOf({100, 50})},
        {"0.505", wordsOf({100, 51})},
        {"1,5", wordsOf({15})},
        {"1.30\n", wordsOf({1, 106, 100, 30})},  // a line end is no cents digit
    };
    addLanguage(env.db(), 50, [](int k) { return k; });
    addLanguage(env.db(), 51, [](int k) { return k * k - 5000; });  // sparse and negative
    for (const auto& [amount, expected] : cases)
        for (int language : {50, 51})
            EXPECT_EQ(spell(QString::fromUtf8(amount), language), expected) << amount;

    // Rows past the table are left out; a language without rows gives blanks.
    addLanguage(
        env.db(), 52, [](int k) { return k; }, 110);
    EXPECT_EQ(spell(QStringLiteral("5.00"), 52), wordsOf({5}));
    EXPECT_EQ(spell(QStringLiteral("5.00"), 9999), QStringLiteral(" ."));
    // The words are read afresh on every call.
    env.db().write(
        QStringLiteral("UPDATE AmountWord SET Word = 'five' WHERE LanguageID = 50 AND Type = 5"));
    EXPECT_EQ(spell(QStringLiteral("5.00"), 50), QStringLiteral("five w105."));
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(AmountToWordsTest, ATrillionOrMoreShowsTheLimitAndTextThatIsNoAmountGivesNothing) {
    for (const char* amount : {"1,000,000,000,000.00", "999,999,999,999.995"}) {
        env.dialogs.clear();
        EXPECT_EQ(spell(QString::fromLatin1(amount), 1), QString()) << amount;
        ASSERT_EQ(env.dialogs.messages.size(), 1u) << amount;
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("Invalid amount. Amount can't exceed trillion value."));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
    }
    env.dialogs.clear();
    for (const char* text : {"", ".", "abc", "-5.00", "1.2.3", "5.00 Only", "1.,00"})
        EXPECT_EQ(spell(QString::fromUtf8(text), 1), QString()) << text;
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_TRUE(exceedsWordLimit(QStringLiteral("1000000000000")));
    EXPECT_FALSE(exceedsWordLimit(QStringLiteral("999999999999.99")));

    env.db().executeScript(QStringLiteral("ALTER TABLE AmountWord RENAME TO Gone;"));
    EXPECT_THROW(spell(QStringLiteral("5.00"), 1), DbError);
}

TEST_F(AmountToWordsTest, SeededLanguagesSpellAmounts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"English", "21.00", "Twenty One Only."},
        {"English", "0.50", "Cents Fifty Only."},
        {"English", "1,000,000.00", "One Million Only."},
        {"English", "2,040,300.07",
         "Two Million Forty Thousand Three Hundred And Cents Seven Only."},
        {"English", "999,999,999,999.99",
         "Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million Nine Hundred Ninety "
         "Nine Thousand Nine Hundred Ninety Nine And Cents Ninety Nine Only."},
        {"Malay", "11.12", "Sebelas Dan Sen Dua Belas Sahaja."},
        {"Malay", "305.00", "Tiga Ratus Lima Sahaja."},
    };
    for (const auto& [language, amount, words] : cases)
        EXPECT_EQ(spell(QString::fromLatin1(amount), seeded(language)), QString::fromLatin1(words));
}

TEST(TextHelpers, CaseAndPieces) {
    const std::tuple<QString, QString, QString> cases[] = {
        // text, Proper Case, a name's case
        {QStringLiteral("TWENTY ONE ONLY."), QStringLiteral("Twenty One Only."),
         QStringLiteral("TWENTY ONE ONLY.")},
        {QStringLiteral("McDonald o'BRIEN-smith"), QStringLiteral("Mcdonald O'brien-smith"),
         QStringLiteral("McDonald O'BRIEN-smith")},
        {QStringLiteral("  mIxEd\tcAsE"), QStringLiteral("  Mixed\tcase"),
         QStringLiteral("  MIxEd\tcAsE")},
        {QStringLiteral("\u00e9COLE \U00010428\U00010428"),
         QStringLiteral("\u00c9cole \U00010400\U00010428"),
         QStringLiteral("\u00c9COLE \U00010400\U00010428")},
    };
    for (const auto& [text, proper, name] : cases) {
        EXPECT_EQ(toProperCase(text), proper);
        EXPECT_EQ(toProperCaseName(text), name);
    }
    EXPECT_EQ(toUpperCase(QStringLiteral("sen \u00e9t\u00e9")),
              QStringLiteral("SEN \u00c9T\u00c9"));
    EXPECT_EQ(removeChars(QStringLiteral("1,234.50"), QStringLiteral(",.")),
              QStringLiteral("123450"));
    EXPECT_EQ(firstWord(QStringLiteral("MBB - Maybank")), QStringLiteral("MBB"));
    EXPECT_EQ(firstWord(QStringLiteral("HSBC")), QStringLiteral("HSBC"));
}

TEST(SplitWordLines, TheFirstWordsNarrowerThanTheFieldGoToLineOne) {
    // The fake measure: 100 twips a character at size 10, half as much again in bold.
    const FontSpec plain{QStringLiteral("Arial"), 10.0f, false};
    const FontSpec bold{QStringLiteral("Arial"), 10.0f, true};
    const QString three = QStringLiteral("One Two Three");  // " One" 400, " One Two" 800
    const std::tuple<QString, FontSpec, double, QString, QString> cases[] = {
        {QString(), plain, 5000, QString(), QString()},
        {three, plain, 800, QStringLiteral(" One"),
         QStringLiteral(" Two Three")},  // as wide: line 2
        {three, plain, 801, QStringLiteral(" One Two"), QStringLiteral(" Three")},
        {three, plain, 1401, QStringLiteral(" One Two Three"), QString()},
        {three, plain, 0, QString(), QStringLiteral(" One Two Three")},
        {three, bold, 801, QStringLiteral(" One"), QStringLiteral(" Two Three")},
        {QStringLiteral("A  B"), plain, 400, QStringLiteral(" A "), QStringLiteral(" B")},
    };
    FakeTextMeasure measure;
    for (const auto& [words, font, width, line1, line2] : cases) {
        const WordLines lines = splitWordLines(words, font, width, measure);
        EXPECT_EQ(lines.line1, line1) << width;
        EXPECT_EQ(lines.line2, line2) << width;
    }
    // Once a word overflows, every later one goes to line 2, even one measured narrower.
    struct Shrinking final : TextMeasure {
        double widthTwips(const QString& text, const FontSpec&) const override {
            return text.contains(u'z') ? 0 : text.size() * 100.0;
        }
    };
    EXPECT_EQ(splitWordLines(QStringLiteral("aaaa bbbb z"), plain, 800, Shrinking()).line2,
              QStringLiteral(" bbbb z"));

    // On the screen's metrics, upper case and a larger font move the split forwards.
    TestEnv env;
    const QString words = toProperCase(
        amountToWords(env.db(), env.dialogs, QStringLiteral("777,777,777,777.77"),
                      LanguageStore::findByName(env.db(), QStringLiteral("English"))->id));
    ScreenTextMeasure screen;
    const double width = screen.widthTwips(u' ' + words.section(u' ', 0, 7), plain) + 1;
    const auto wordsOnLine1 = [&](const QString& text, const FontSpec& font) {
        return splitWordLines(text, font, width, screen).line1.count(u' ');
    };
    EXPECT_EQ(wordsOnLine1(words, plain), 8);
    EXPECT_LT(wordsOnLine1(toUpperCase(words), plain), 8);
    EXPECT_LT(wordsOnLine1(words, {QStringLiteral("Arial"), 14.0f, false}), 8);

    // The amount's words split into the two word fields; over the limit both are empty.
    FieldLabelSet labels;
    labels[FieldWord1].font = plain;
    labels[FieldWord1].width = 1000.0f;  // " Twenty" 700, " Twenty One" 1100
    for (const auto& [amount, line1, line2] : {std::tuple{"21.00", " Twenty", " One Only."},
                                               std::tuple{"1,000,000,000,000.00", "", ""}}) {
        labels[FieldAmount].caption = QString::fromLatin1(amount);
        splitAmountWords(env.db(), env.dialogs, env.textMeasure, 1, labels);
        EXPECT_EQ(labels[FieldWord1].caption, QString::fromLatin1(line1));
        EXPECT_EQ(labels[FieldWord2].caption, QString::fromLatin1(line2));
    }
}

}  // namespace
