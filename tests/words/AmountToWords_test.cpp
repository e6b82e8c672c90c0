#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <random>
#include <vector>

#include "store/DbError.h"
#include "store/LanguageStore.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"

namespace {

const QString kLimitMessage = QStringLiteral("Invalid amount. Amount can't exceed trillion value.");

// Adds a language whose rows are (Type, Word) pairs.
void addLanguage(Database& db, int id, const std::vector<std::pair<int, QString>>& rows) {
    Transaction t(db);
    db.prepare(QStringLiteral("INSERT INTO LanguageMain (ID, LanguageName) VALUES (?, ?)"))
        .bind(1, id)
        .bind(2, QStringLiteral("Test %1").arg(id))
        .execute();
    for (const auto& [type, word] : rows)
        db.prepare(
              QStringLiteral("INSERT INTO AmountWord (LanguageID, Type, Word) VALUES (?, ?, ?)"))
            .bind(1, id)
            .bind(2, type)
            .bind(3, word)
            .execute();
    t.commit();
}

QString slotWord(int slot) { return QStringLiteral("w%1").arg(slot); }

// A language whose k-th row in Type order reads "w<k>"; Type = typeOf(k).
void addSyntheticLanguage(Database& db, int id, const std::function<int(int)>& typeOf) {
    std::vector<std::pair<int, QString>> rows;
    for (int k = 0; k < 107; ++k) rows.emplace_back(typeOf(k), slotWord(k));
    addLanguage(db, id, rows);
}

// The text a slot sequence stands for: each slot's word and a blank, then the
// closing word and a full stop.
QString fromSlots(const std::vector<int>& sequence, const std::function<QString(int)>& word) {
    QString text;
    for (int s : sequence) text += word(s) + QLatin1Char(' ');
    return text + word(105) + QLatin1Char('.');
}

struct SlotCase {
    const char* amount;
    std::vector<int> sequence;
};

const std::vector<SlotCase> kSlotCases = {
    {"0.00", {}},
    {"0.50", {100, 50}},
    {"0.05", {100, 5}},
    {"5.00", {5}},
    {"20.00", {20}},
    {"12.30", {12, 106, 100, 30}},
    {"105.00", {1, 101, 5}},
    {"300.00", {3, 101}},
    {"1,001.00", {1, 102, 1}},
    {"1,000,000.00", {1, 103}},
    {"2,040,300.07", {2, 103, 40, 102, 3, 101, 106, 100, 7}},
    {"1,000,000,001.00", {1, 104, 1}},
    {"10,000,000,000.00", {10, 104}},
    {"100,000,000,000.01", {1, 101, 104, 106, 100, 1}},
    {"999,999,999,999.99",
     {9, 101, 99, 104, 9, 101, 99, 103, 9, 101, 99, 102, 9, 101, 99, 106, 100, 99}},
    // Without grouping, or not in the display form: read as the amount they are.
    {"1234.50", {1, 102, 2, 101, 34, 106, 100, 50}},
    {"0001.00", {1}},
    {"5", {5}},
    {"1234.5", {1, 102, 2, 101, 34, 106, 100, 50}},
    {" 12.3 ", {12, 106, 100, 30}},
    {".5", {100, 50}},
    {"1000000", {1, 103}},
    {"0.505", {100, 51}},
    {"1,5", {15}},
    {"999999999999.994",
     {9, 101, 99, 104, 9, 101, 99, 103, 9, 101, 99, 102, 9, 101, 99, 106, 100, 99}},
    // A line end is no digit, not even right after the display form.
    {"1.30\n", {1, 106, 100, 30}},
    {"0.39\n", {100, 39}},
    {"2,040,300.07\n", {2, 103, 40, 102, 3, 101, 106, 100, 7}},
    {"\n5.00", {5}},
};

class AmountToWordsTest : public ::testing::Test {
protected:
    TestEnv env;
    QString spell(const QString& amount, int language) {
        return amountToWords(env.db(), env.dialogs, amount, language);
    }
};

TEST_F(AmountToWordsTest, EverySlotLandsWhereItBelongs) {
    addSyntheticLanguage(env.db(), 50, [](int k) { return k; });
    for (const auto& c : kSlotCases) {
        const QString amount = QString::fromUtf8(c.amount);
        EXPECT_EQ(spell(amount, 50), fromSlots(c.sequence, slotWord)) << c.amount;
    }
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(AmountToWordsTest, OnlyTheOrderOfTypeMatters) {
    // Sparse, negative and descending-when-inserted Type values that sort like 0..106.
    addSyntheticLanguage(env.db(), 51, [](int k) { return 1000 - 13 * (106 - k); });
    addSyntheticLanguage(env.db(), 52, [](int k) { return k * k - 5000; });
    for (const auto& c : kSlotCases) {
        const QString amount = QString::fromUtf8(c.amount);
        EXPECT_EQ(spell(amount, 51), fromSlots(c.sequence, slotWord)) << c.amount;
        EXPECT_EQ(spell(amount, 52), fromSlots(c.sequence, slotWord)) << c.amount;
    }
}

TEST_F(AmountToWordsTest, RowsBeyondTheTableAreLeftOutAndAnEarlierTypeShiftsTheSlots) {
    std::vector<std::pair<int, QString>> rows;
    for (int k = 0; k < 107; ++k) rows.emplace_back(k, slotWord(k));
    rows.emplace_back(107, QStringLiteral("extra"));
    rows.emplace_back(500, QStringLiteral("more"));
    addLanguage(env.db(), 53, rows);
    EXPECT_EQ(spell(QStringLiteral("2,040,300.07"), 53),
              fromSlots({2, 103, 40, 102, 3, 101, 106, 100, 7}, slotWord));

    rows.erase(rows.end() - 2, rows.end());
    rows.emplace_back(-1, QStringLiteral("first"));
    addLanguage(env.db(), 54, rows);
    // Slot k now holds the row of Type k - 1.
    const auto shifted = [](int k) { return k == 0 ? QStringLiteral("first") : slotWord(k - 1); };
    EXPECT_EQ(spell(QStringLiteral("12.30"), 54), fromSlots({12, 106, 100, 30}, shifted));
}

TEST_F(AmountToWordsTest, LanguageWithoutRowsGivesBlanksAndTheFullStop) {
    addLanguage(env.db(), 55, {});
    EXPECT_EQ(spell(QStringLiteral("2,040,300.07"), 55),
              QString(QString(9, QLatin1Char(' ')) + u'.'));
    EXPECT_EQ(spell(QStringLiteral("0.00"), 55), QStringLiteral("."));
    // A language id nobody has behaves the same.
    EXPECT_EQ(spell(QStringLiteral("5.00"), 9999), QStringLiteral(" ."));
}

TEST_F(AmountToWordsTest, TheWordsAreReadOnEveryCall) {
    addSyntheticLanguage(env.db(), 56, [](int k) { return k; });
    EXPECT_EQ(spell(QStringLiteral("5.00"), 56), QStringLiteral("w5 w105."));
    env.db().write(
        QStringLiteral("UPDATE AmountWord SET Word = ? WHERE LanguageID = ? AND Type = ?"),
        {QStringLiteral("five"), 56, 5});
    EXPECT_EQ(spell(QStringLiteral("5.00"), 56), QStringLiteral("five w105."));
}

TEST_F(AmountToWordsTest, ATrillionOrMoreShowsTheLimitMessageAndGivesNothing) {
    addSyntheticLanguage(env.db(), 57, [](int k) { return k; });
    const QStringList tooLarge = {
        QStringLiteral("1,000,000,000,000.00"), QStringLiteral("1000000000000"),
        QStringLiteral("999,999,999,999.995"), QStringLiteral("12,345,678,901,234,567.89")};
    for (const QString& amount : tooLarge) {
        env.dialogs.clear();
        EXPECT_EQ(spell(amount, 57), QString()) << amount.toStdString();
        ASSERT_EQ(env.dialogs.messages.size(), 1u) << amount.toStdString();
        const auto& shown = env.dialogs.messages.front();
        EXPECT_EQ(shown.text, kLimitMessage);
        EXPECT_EQ(shown.title, QStringLiteral("Error"));
        EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(shown.buttons, Dialogs::Buttons::Ok);
    }
}

TEST_F(AmountToWordsTest, TextThatIsNoAmountGivesNothingWithoutAMessage) {
    addSyntheticLanguage(env.db(), 58, [](int k) { return k; });
    for (const char* text : {"", " ", ".", "abc", "-5.00", "1.2.3", "12a.00", "5.00 Only", "1.,00"})
        EXPECT_EQ(spell(QString::fromUtf8(text), 58), QString()) << text;
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(AmountToWordsTest, DatabaseErrorsReachTheCaller) {
    env.db().executeScript(QStringLiteral("ALTER TABLE AmountWord RENAME TO Gone;"));
    EXPECT_THROW(spell(QStringLiteral("5.00"), 1), DbError);
}

// ---- The seeded languages against spellers written here --------------------------------

struct Speller {
    QStringList below20;  // index 1..19
    QStringList tens;     // index 2..9
    QString hundred, thousand, million, billion, cents, joining, closing;

    QString belowHundred(int n) const {
        if (n < 20) return below20.at(n);
        const QString t = tens.at(n / 10);
        return n % 10 ? QString(t + u' ' + below20.at(n % 10)) : t;
    }
    QStringList group(int n) const {
        QStringList words;
        if (n / 100) words << below20.at(n / 100) << hundred;
        if (n % 100) words << belowHundred(n % 100);
        return words;
    }
    QString spell(qint64 cents_) const {
        const qint64 whole = cents_ / 100;
        const int c = static_cast<int>(cents_ % 100);
        QStringList words;
        const std::pair<qint64, QString> scales[] = {
            {1000000000, billion}, {1000000, million}, {1000, thousand}, {1, QString()}};
        for (const auto& [scale, name] : scales) {
            const int g = static_cast<int>((whole / scale) % 1000);
            if (g == 0) continue;
            words << group(g);
            if (!name.isEmpty()) words << name;
        }
        if (c) {
            if (!words.isEmpty()) words << joining;
            words << cents << belowHundred(c);
        }
        words << QString(closing + u'.');
        return words.join(u' ');
    }
};

Speller english() {
    Speller s;
    s.below20 = QStringLiteral(
                    ",One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Eleven,Twelve,"
                    "Thirteen,Fourteen,Fifteen,Sixteen,Seventeen,Eighteen,Nineteen")
                    .split(u',');
    s.tens = QStringLiteral(",,Twenty,Thirty,Forty,Fifty,Sixty,Seventy,Eighty,Ninety").split(u',');
    s.hundred = QStringLiteral("Hundred");
    s.thousand = QStringLiteral("Thousand");
    s.million = QStringLiteral("Million");
    s.billion = QStringLiteral("Billion");
    s.cents = QStringLiteral("Cents");
    s.joining = QStringLiteral("And");
    s.closing = QStringLiteral("Only");
    return s;
}

Speller malay() {
    Speller s;
    const QStringList ones =
        QStringLiteral(",Satu,Dua,Tiga,Empat,Lima,Enam,Tujuh,Lapan,Sembilan").split(u',');
    s.below20 = ones;
    s.below20 << QStringLiteral("Sepuluh") << QStringLiteral("Sebelas");
    for (int n = 12; n < 20; ++n) s.below20 << ones.at(n - 10) + QStringLiteral(" Belas");
    s.tens << QString() << QString();
    for (int t = 2; t < 10; ++t) s.tens << ones.at(t) + QStringLiteral(" Puluh");
    s.hundred = QStringLiteral("Ratus");
    s.thousand = QStringLiteral("Ribu");
    s.million = QStringLiteral("Juta");
    s.billion = QStringLiteral("Bilion");
    s.cents = QStringLiteral("Sen");
    s.joining = QStringLiteral("Dan");
    s.closing = QStringLiteral("Sahaja");
    return s;
}

// "###,###,##0.00" written here from the cents.
QString displayText(qint64 cents) {
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, u',');
    return whole + u'.' + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

// Amounts up to 999,999,999,999.99 whose groups are often zero or round hundreds.
std::vector<qint64> spreadAmounts(int count, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> groups(1, 4), kind(0, 5), any(0, 999), digit(1, 9),
        cents(0, 99);
    std::vector<qint64> amounts;
    for (int i = 0; i < count; ++i) {
        qint64 whole = 0;
        const int n = groups(rng);
        for (int g = 0; g < n; ++g) {
            int value;
            switch (kind(rng)) {
                case 0:
                    value = 0;
                    break;
                case 1:
                    value = digit(rng) * 100;
                    break;
                default:
                    value = any(rng);
            }
            if (g == 0 && value == 0) value = digit(rng);
            whole = whole * 1000 + value;
        }
        amounts.push_back(whole * 100 + (kind(rng) == 0 ? 0 : cents(rng)));
    }
    return amounts;
}

int languageId(Database& db, const QString& name) {
    const auto language = LanguageStore::findByName(db, name);
    if (!language) throw std::runtime_error("seeded language missing");
    return language->id;
}

TEST_F(AmountToWordsTest, SeededEnglishMatchesAnIndependentSpellerBelowAThousand) {
    const int id = languageId(env.db(), QStringLiteral("English"));
    const Speller speller = english();
    int failures = 0;
    for (qint64 cents = 0; cents <= 99999 && failures < 10; ++cents) {
        const QString amount = displayText(cents);
        const QString got = spell(amount, id);
        if (got != speller.spell(cents)) {
            ++failures;
            ADD_FAILURE() << amount.toStdString() << ": " << got.toStdString()
                          << " != " << speller.spell(cents).toStdString();
        }
    }
    EXPECT_EQ(spell(QStringLiteral("21.00"), id), QStringLiteral("Twenty One Only."));
}

TEST_F(AmountToWordsTest, SeededEnglishMatchesAnIndependentSpellerOverAllGroups) {
    const int id = languageId(env.db(), QStringLiteral("English"));
    const Speller speller = english();
    auto amounts = spreadAmounts(5000, 20261205);
    amounts.push_back(99999999999999);
    amounts.push_back(100000000000);
    for (qint64 cents : amounts) {
        const QString amount = displayText(cents);
        ASSERT_EQ(spell(amount, id), speller.spell(cents)) << amount.toStdString();
    }
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST_F(AmountToWordsTest, SeededMalayMatchesAnIndependentSpeller) {
    const int id = languageId(env.db(), QStringLiteral("Malay"));
    const Speller speller = malay();
    auto amounts = spreadAmounts(1500, 7);
    for (qint64 cents = 0; cents < 3000; cents += 7) amounts.push_back(cents);
    for (qint64 cents : amounts) {
        const QString amount = displayText(cents);
        ASSERT_EQ(spell(amount, id), speller.spell(cents)) << amount.toStdString();
    }
    EXPECT_EQ(spell(QStringLiteral("11.12"), id),
              QStringLiteral("Sebelas Dan Sen Dua Belas Sahaja."));
}

}  // namespace
