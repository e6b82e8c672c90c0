#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QSignalSpy>

#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "support/FormatSamples.h"
#include "support/TestEnv.h"

namespace {

using Answer = Dialogs::Answer;
using InchResult = ChequeFormatModel::InchResult;

// A model as the designer holds it after opening: date style, languages, defaults.
struct ModelEnv {
    TestEnv env;
    ChequeFormatModel model{env.context};

    ModelEnv() {
        model.setDateType(0);
        model.loadLanguages();
        model.resetChequeFormat();
    }
    Database& db() { return env.db(); }
    FakeDialogs& dialogs() { return env.dialogs; }
};

void expectMessage(const FakeDialogs::Shown& shown, const char* text, const char* title,
                   Dialogs::Icon icon, Dialogs::Buttons buttons) {
    EXPECT_EQ(shown.text, QString::fromUtf8(text));
    EXPECT_EQ(shown.title, QString::fromUtf8(title));
    EXPECT_EQ(shown.icon, icon);
    EXPECT_EQ(shown.buttons, buttons);
}

TEST(ChequeFormatModel, LoadThenUpdateAndInsertKeepEveryColumn) {
    ModelEnv m;
    const ChequeFormat stored = distinctFormat(QStringLiteral("ALPHA"));
    ChequeFormatStore::insert(m.db(), stored);
    ASSERT_TRUE(m.model.selectBank(QStringLiteral("ALPHA - Name of ALPHA")));
    EXPECT_TRUE(m.dialogs().messages.empty());
    EXPECT_EQ(m.model.languageName(), QStringLiteral("Malay"));
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("8.50"));
    EXPECT_EQ(m.model.chequeHeightText(), QStringLiteral("3.01"));
    EXPECT_EQ(m.model.orientationCode(), 2);
    EXPECT_EQ(m.model.chequeTop(), 43.2);
    EXPECT_EQ(m.model.chequeLeft(), -72.5);
    EXPECT_EQ(m.model.dateType(), 2);

    // Written back unchanged.
    ASSERT_TRUE(m.model.updateChequeFormat(QStringLiteral("ALPHA")));
    EXPECT_TRUE(rowMatches(storedRow(m.db(), QStringLiteral("ALPHA")), expectedColumns(stored)));

    // Stored as a new row under another code: the same 67 values.
    m.model.setBankCode(QStringLiteral("COPY"));
    m.model.setBankName(stored.bankName);
    ASSERT_TRUE(m.model.insertChequeFormat());
    ChequeFormat copy = stored;
    copy.bankCode = QStringLiteral("COPY");
    EXPECT_TRUE(rowMatches(storedRow(m.db(), QStringLiteral("COPY")), expectedColumns(copy)));
    EXPECT_TRUE(m.dialogs().messages.empty());
}

TEST(ChequeFormatModel, NewFormatHasTheDefaults) {
    ModelEnv m;
    m.env.printers.current = 1;  // printing has made another printer current
    // Leave traces of an earlier format everywhere.
    m.model.loadChequeFormat(distinctFormat(QStringLiteral("OLD")));
    for (auto& label : m.model.labels()) label.font = {QStringLiteral("Courier"), 20, true};
    m.model.resetChequeFormat();

    EXPECT_EQ(m.model.bankName(), QString());
    EXPECT_EQ(m.model.bankCode(), QString());
    EXPECT_EQ(m.model.languageName(), QStringLiteral("English"));
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("0.00"));
    EXPECT_EQ(m.model.chequeHeightText(), QStringLiteral("0.00"));
    EXPECT_EQ(m.model.dateType(), 0);
    EXPECT_EQ(m.model.printerName(), QStringLiteral("Cheque-Printer"));
    EXPECT_EQ(m.model.orientationCode(), 1);
    EXPECT_EQ(m.model.chequeTop(), 0.0);
    EXPECT_EQ(m.model.chequeLeft(), 0.0);
    EXPECT_TRUE(m.model.labels()[FieldDate].visible);
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) EXPECT_FALSE(m.model.labels()[i].visible);

    m.model.setBankName(QStringLiteral("New Bank"));
    m.model.setBankCode(QStringLiteral("NEW"));
    ASSERT_TRUE(m.model.insertChequeFormat());

    ChequeFormat expected;
    expected.bankName = QStringLiteral("New Bank");
    expected.bankCode = QStringLiteral("NEW");
    expected.amountLanguage = 1;
    expected.printerName = QStringLiteral("Cheque-Printer");
    expected.orientation = QStringLiteral("L");
    const float table[13][3] = {{6360, 360, 1575}, {600, 1440, 4695}, {6240, 1800, 1695},
                                {720, 1920, 5295}, {240, 2400, 5655}, {6360, 360, 255},
                                {6600, 360, 305},  {6935, 360, 305},  {7240, 360, 305},
                                {7545, 360, 305},  {7850, 360, 305},  {8155, 360, 305},
                                {8460, 360, 305}};
    for (int i = 0; i < 13; ++i) expected.fields[i] = {table[i][0], table[i][1], table[i][2]};
    for (auto& font : expected.fonts) font = {QStringLiteral("Arial"), 9, false};
    expected.sdateFont = {QStringLiteral("Arial"), 9, false};
    EXPECT_TRUE(rowMatches(storedRow(m.db(), QStringLiteral("NEW")), expectedColumns(expected)));
}

TEST(ChequeFormatModel, InchesTypedStoredAndShown) {
    ModelEnv m;
    auto entry = m.model.typeChequeWidth(QStringLiteral("8.5"));
    EXPECT_EQ(entry.result, InchResult::Accepted);
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("8.50"));
    entry = m.model.typeChequeHeight(QStringLiteral(" 2.5 "));
    EXPECT_EQ(m.model.chequeHeightText(), QStringLiteral("2.50"));
    m.model.setBankName(QStringLiteral("B"));
    m.model.setBankCode(QStringLiteral("B"));
    ASSERT_TRUE(m.model.insertChequeFormat());
    const QVariantMap row = storedRow(m.db(), QStringLiteral("B"));
    EXPECT_EQ(row.value(QStringLiteral("ChequeWidth")).toDouble(), 12240.0);
    EXPECT_EQ(row.value(QStringLiteral("ChequeHeight")).toDouble(), 3600.0);

    m.model.resetChequeFormat();
    ASSERT_TRUE(m.model.selectBank(QStringLiteral("B - B")));
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("8.50"));
    EXPECT_EQ(m.model.chequeHeightText(), QStringLiteral("2.50"));
}

TEST(ChequeFormatModel, TypedFieldInches) {
    struct Case {
        const char* typed;
        InchResult result;
        const char* shown;  // the box's text afterwards
        float left;         // the selected field's Left afterwards
    };
    // The field starts at Left 2880 (2.00 in).
    const Case cases[] = {
        {"1.234", InchResult::Accepted, "1.23", 1771.2f},
        {"0", InchResult::Accepted, "0.00", 0.0f},
        {"-0", InchResult::Accepted, "0.00", 0.0f},
        {" 3 ", InchResult::Accepted, "3.00", 4320.0f},
        {"1.005", InchResult::Accepted, "1.01", 1454.4f},
        {".5", InchResult::Accepted, "0.50", 720.0f},
        {"-0.5", InchResult::Negative, "-0.5", 2880.0f},
        {"abc", InchResult::NotANumber, "2.00", 2880.0f},
        {"", InchResult::NotANumber, "2.00", 2880.0f},
        {"1,5", InchResult::NotANumber, "2.00", 2880.0f},
        {"1e300", InchResult::NotANumber, "2.00", 2880.0f},
        {"nan", InchResult::NotANumber, "2.00", 2880.0f},
    };
    for (const Case& c : cases) {
        ModelEnv m;
        m.model.setSelectedField(FieldAmount);
        m.model.labels()[FieldAmount].left = 2880;
        const auto entry =
            m.model.typeFieldInches(ChequeFormatModel::Axis::Left, QString::fromUtf8(c.typed));
        EXPECT_EQ(entry.result, c.result) << c.typed;
        EXPECT_EQ(entry.text, QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(m.model.labels()[FieldAmount].left, c.left) << c.typed;
        EXPECT_EQ(m.model.labels()[FieldAmount].top, 1800.0f) << c.typed;
        if (c.result == InchResult::Negative) {
            ASSERT_EQ(m.dialogs().messages.size(), 1u);
            expectMessage(m.dialogs().messages[0], "No negative value is allowed.", "Invalid value",
                          Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        } else {
            EXPECT_TRUE(m.dialogs().messages.empty()) << c.typed;
        }
    }
    // Top and Width reach their own edges of the selected field.
    ModelEnv m;
    m.model.setSelectedField(FieldWord1);
    m.model.typeFieldInches(ChequeFormatModel::Axis::Top, QStringLiteral("0.25"));
    m.model.typeFieldInches(ChequeFormatModel::Axis::Width, QStringLiteral("4"));
    EXPECT_EQ(m.model.labels()[FieldWord1].top, 360.0f);
    EXPECT_EQ(m.model.labels()[FieldWord1].width, 5760.0f);
    EXPECT_EQ(m.model.labels()[FieldWord1].left, 720.0f);
}

TEST(ChequeFormatModel, TypedSizesAndBankCode) {
    ModelEnv m;
    m.model.typeChequeWidth(QStringLiteral("7"));
    auto entry = m.model.typeChequeWidth(QStringLiteral("-1"));
    EXPECT_EQ(entry.result, InchResult::Negative);
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("7.00"));
    ASSERT_EQ(m.dialogs().messages.size(), 1u);
    EXPECT_EQ(m.dialogs().messages[0].title, QStringLiteral("Invalid value"));
    entry = m.model.typeChequeWidth(QStringLiteral("seven"));
    EXPECT_EQ(entry.result, InchResult::NotANumber);
    EXPECT_EQ(entry.text, QStringLiteral("7.00"));
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("7.00"));

    const std::pair<const char*, const char*> codes[] = {{" ab 12 ", "AB12"},
                                                         {"a b  c", "ABC"},
                                                         {"cimb", "CIMB"},
                                                         {"\xc3\xbc"
                                                          "ber",
                                                          "\xc3\x9c"
                                                          "BER"},
                                                         {"   ", ""}};
    for (const auto& [typed, clean] : codes) {
        EXPECT_EQ(m.model.typeBankCode(QString::fromUtf8(typed)), QString::fromUtf8(clean));
        EXPECT_EQ(m.model.bankCode(), QString::fromUtf8(clean));
    }
}

TEST(ChequeFormatModel, OrientationRoundTrips) {
    const std::pair<const char*, const char*> cases[] = {
        {"L", "L"}, {"P", "P"}, {"", "P"}, {"l", "P"}, {"X", "P"}};
    for (const auto& [stored, saved] : cases) {
        ModelEnv m;
        ChequeFormatStore::insert(m.db(), distinctFormat(QStringLiteral("O")));
        m.db().write(QStringLiteral("UPDATE BankCheque SET Orientation = ?"),
                     {QString::fromUtf8(stored)});
        ASSERT_TRUE(m.model.selectBank(QStringLiteral("O - x")));
        EXPECT_EQ(m.model.orientationCode(),
                  QString::fromUtf8(stored) == QStringLiteral("L") ? 1 : 2);
        m.model.updateChequeFormat(QStringLiteral("O"));
        EXPECT_EQ(
            storedRow(m.db(), QStringLiteral("O")).value(QStringLiteral("Orientation")).toString(),
            QString::fromUtf8(saved))
            << stored;
    }
    // Codes other than 2 are saved "L".
    for (const auto& [code, saved] : {std::pair{1, "L"}, {2, "P"}, {0, "L"}, {3, "L"}}) {
        ModelEnv m;
        m.model.setBankName(QStringLiteral("n"));
        m.model.setBankCode(QStringLiteral("C"));
        m.model.setOrientationCode(code);
        m.model.insertChequeFormat();
        EXPECT_EQ(storedRow(m.db(), QStringLiteral("C")).value(QStringLiteral("Orientation")),
                  QString::fromLatin1(saved));
    }
}

TEST(ChequeFormatModel, MissingLanguageOnLoadAndSave) {
    ModelEnv m;
    ChequeFormat f = distinctFormat(QStringLiteral("LANG"));
    f.amountLanguage = 2;
    ChequeFormatStore::insert(m.db(), f);
    ASSERT_TRUE(m.model.selectBank(QStringLiteral("LANG - x")));
    EXPECT_EQ(m.model.languageName(), QStringLiteral("Malay"));
    m.db().write(QStringLiteral("DELETE FROM LanguageMain WHERE ID = 2"));

    // Loading again: one message, the language text kept, the rest loaded.
    m.model.resetChequeFormat();
    m.model.setLanguageName(QStringLiteral("Malay"));
    ASSERT_TRUE(m.model.selectBank(QStringLiteral("LANG - x")));
    ASSERT_EQ(m.dialogs().messages.size(), 1u);
    expectMessage(m.dialogs().messages[0],
                  "Error retrieving Language while Retrieving Bank Details", "Error",
                  Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    EXPECT_EQ(m.model.languageName(), QStringLiteral("Malay"));
    EXPECT_EQ(m.model.bankName(), f.bankName);
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("8.50"));
    EXPECT_EQ(m.model.labels()[FieldWord2].font, f.fonts[4]);

    // Saving looks the shown name up; it is gone, so language 1 is stored.
    m.dialogs().clear();
    ASSERT_TRUE(m.model.updateChequeFormat(QStringLiteral("LANG")));
    ASSERT_EQ(m.dialogs().messages.size(), 1u);
    expectMessage(m.dialogs().messages[0], "Error retrieving Language while saving bank details.",
                  "Error", Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    EXPECT_EQ(storedRow(m.db(), QStringLiteral("LANG")).value(QStringLiteral("AmountLanguage")), 1);

    m.dialogs().clear();
    m.model.setBankCode(QStringLiteral("LANG2"));
    ASSERT_TRUE(m.model.insertChequeFormat());
    ASSERT_EQ(m.dialogs().messages.size(), 1u);
    expectMessage(m.dialogs().messages[0], "Language retrival error", "Error",
                  Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    EXPECT_EQ(storedRow(m.db(), QStringLiteral("LANG2")).value(QStringLiteral("AmountLanguage")),
              1);
}

TEST(ChequeFormatModel, LoadPutsTheDigitFontOnLabelFiveAlone) {
    ModelEnv m;
    const FontSpec earlier{QStringLiteral("Times"), 11, false};
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) m.model.labels()[i].font = earlier;
    ChequeFormat f = distinctFormat(QStringLiteral("DIG"));
    f.sdateFont = {QStringLiteral("Courier New"), 14, true};
    m.model.loadChequeFormat(f);
    EXPECT_EQ(m.model.labels()[FieldSDateD1].font, f.sdateFont);
    for (int i = FieldSDateD2; i <= FieldSDateY4; ++i)
        EXPECT_EQ(m.model.labels()[i].font, earlier) << i;
    for (int i = FieldDate; i <= FieldWord2; ++i)
        EXPECT_EQ(m.model.labels()[i].font, f.fonts[i]) << i;
}

TEST(ChequeFormatModel, DateStyleChange) {
    ModelEnv m;
    auto& labels = m.model.labels();
    QSignalSpy moved(&m.model, &ChequeFormatModel::dateStyleChanged);
    m.model.setDateType(2);
    EXPECT_FALSE(labels[FieldDate].visible);
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) EXPECT_TRUE(labels[i].visible) << i;
    EXPECT_EQ(m.model.selectedField(), FieldSDateD1);
    // Y1..Y4 follow M2 directly: 7240 + 305 = 7545, and so on; the defaults already do.
    EXPECT_EQ(labels[FieldSDateY1].left, 7545.0f);
    EXPECT_EQ(labels[FieldSDateY4].left, 8460.0f);

    labels[FieldSDateM2].left = 7000;
    labels[FieldSDateM2].width = 400;
    labels[FieldSDateY2].width = 100;
    labels[FieldSDateY3].top = 999;
    m.model.setDateType(1);
    EXPECT_FALSE(labels[FieldDate].visible);
    const bool shown1[] = {true, true, true, true, false, false, true, true};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(labels[FieldSDateD1 + i].visible, shown1[i]) << i;
    EXPECT_EQ(labels[FieldSDateY3].left, 7400.0f);
    EXPECT_EQ(labels[FieldSDateY4].left, 7705.0f);
    EXPECT_EQ(labels[FieldSDateY1].left, 7545.0f);  // hidden digits stay where they were
    EXPECT_EQ(labels[FieldSDateY3].top, 999.0f);    // tops are not touched

    m.model.setDateType(2);
    EXPECT_EQ(labels[FieldSDateY1].left, 7400.0f);
    EXPECT_EQ(labels[FieldSDateY2].left, 7705.0f);
    EXPECT_EQ(labels[FieldSDateY3].left, 7805.0f);
    EXPECT_EQ(labels[FieldSDateY4].left, 8110.0f);

    m.model.setSelectedField(FieldAmount);
    m.model.setDateType(0);
    EXPECT_TRUE(labels[FieldDate].visible);
    for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) EXPECT_FALSE(labels[i].visible);
    EXPECT_EQ(m.model.selectedField(), FieldDate);
    EXPECT_EQ(moved.count(), 4);
    // Selecting the style already selected changes nothing.
    m.model.setSelectedField(FieldAmount);
    m.model.setDateType(0);
    EXPECT_EQ(m.model.selectedField(), FieldAmount);
    EXPECT_EQ(moved.count(), 4);
}

TEST(ChequeFormatModel, LoadSetsTheDateStyleBeforeThePositions) {
    ModelEnv m;
    ChequeFormat f = distinctFormat(QStringLiteral("DS"));
    f.dateType = 1;  // its layout would move Y3 and Y4 after M2
    m.model.setSelectedField(FieldWord1);
    QSignalSpy panel(&m.model, &ChequeFormatModel::panelRefreshRequested);
    m.model.loadChequeFormat(f);
    EXPECT_EQ(m.model.labels()[FieldSDateY3].left, f.fields[FieldSDateY3].left);
    EXPECT_EQ(m.model.labels()[FieldSDateY4].left, f.fields[FieldSDateY4].left);
    EXPECT_FALSE(m.model.labels()[FieldSDateY1].visible);
    EXPECT_EQ(m.model.selectedField(), FieldDate);
    ASSERT_EQ(panel.count(), 1);
    EXPECT_EQ(panel.at(0).at(0).toInt(), FieldDate);
}

TEST(ChequeFormatModel, DeleteAsksFirstAndAnEntryWithoutARowResetsTheFormat) {
    ModelEnv m;
    for (const char* code : {"A", "B", "C"})
        ChequeFormatStore::insert(m.db(), distinctFormat(QString::fromLatin1(code)));
    m.dialogs().answer({Answer::No, Answer::Yes});
    EXPECT_FALSE(m.model.deleteChequeFormat(QStringLiteral("B")));
    EXPECT_EQ(ChequeFormatStore::listById(m.db()).size(), 3u);
    EXPECT_TRUE(m.model.deleteChequeFormat(QStringLiteral("B")));
    expectMessage(m.dialogs().messages[1], "Are you sure you want to delete Bank's cheque details?",
                  "Delete", Dialogs::Icon::None, Dialogs::Buttons::YesNo);
    EXPECT_EQ(ChequeFormatStore::listById(m.db()).at(1).bankCode, QStringLiteral("C"));

    m.dialogs().clear();
    m.model.selectBank(QStringLiteral("A - x"));
    EXPECT_FALSE(m.model.selectBank(QStringLiteral("GONE - Vanished Bank")));
    ASSERT_EQ(m.dialogs().messages.size(), 1u);
    expectMessage(m.dialogs().messages[0], "No record found for GONE bank.", "Found no record",
                  Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
    EXPECT_EQ(m.model.bankCode(), QString());
    EXPECT_EQ(m.model.labels()[FieldRecipient].left, 600.0f);
    EXPECT_EQ(ChequeFormatModel::bankCodeOfEntry(QStringLiteral("AB12 - Some Bank")),
              QStringLiteral("AB12"));
    EXPECT_EQ(ChequeFormatModel::bankCodeOfEntry(QStringLiteral("NOBLANK")),
              QStringLiteral("NOBLANK"));
}

TEST(ChequeFormatModel, SizeThatIsNotANumberIsRefusedBeforeAnyWrite) {
    for (const bool width : {true, false}) {
        ModelEnv m;
        ChequeFormatStore::insert(m.db(), distinctFormat(QStringLiteral("KEEP")));
        m.model.selectBank(QStringLiteral("KEEP - x"));
        m.model.setLanguageName(QStringLiteral("No such language"));
        if (width)
            m.model.setChequeWidthText(QStringLiteral("8,5"));
        else
            m.model.setChequeHeightText(QString());
        m.model.setBankCode(QStringLiteral("NEWCODE"));
        EXPECT_FALSE(m.model.insertChequeFormat());
        EXPECT_FALSE(m.model.updateChequeFormat(QStringLiteral("KEEP")));
        // One refusal each, naming the box; no language message, nothing written.
        ASSERT_EQ(m.dialogs().messages.size(), 2u);
        for (const auto& shown : m.dialogs().messages) {
            EXPECT_TRUE(shown.text.startsWith(width ? QStringLiteral("Cheque Width")
                                                    : QStringLiteral("Cheque Height")))
                << shown.text.toStdString();
            EXPECT_EQ(shown.title, QStringLiteral("Data validation"));
            EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
        }
        EXPECT_TRUE(rowMatches(storedRow(m.db(), QStringLiteral("KEEP")),
                               expectedColumns(distinctFormat(QStringLiteral("KEEP")))));
        EXPECT_EQ(ChequeFormatStore::listById(m.db()).size(), 1u);
        EXPECT_EQ(m.model.bankCode(), QStringLiteral("NEWCODE"));
        EXPECT_EQ(m.model.chequeWidthText(),
                  width ? QStringLiteral("8,5") : QStringLiteral("8.50"));
    }
}

TEST(ChequeFormatModel, FailingStatementKeepsTheWorkingCopy) {
    ModelEnv m;
    ChequeFormatStore::insert(m.db(), distinctFormat(QStringLiteral("TAKEN")));
    m.model.setBankName(QStringLiteral("Typed name"));
    m.model.setBankCode(QStringLiteral("TAKEN"));  // the table keeps codes unique
    m.model.typeChequeWidth(QStringLiteral("6"));
    EXPECT_THROW(m.model.insertChequeFormat(), DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(m.db().handle()));
    EXPECT_EQ(ChequeFormatStore::listById(m.db()).size(), 1u);
    EXPECT_EQ(m.model.bankName(), QStringLiteral("Typed name"));
    EXPECT_EQ(m.model.chequeWidthText(), QStringLiteral("6.00"));
    // The connection goes on working.
    m.model.setBankCode(QStringLiteral("FREE"));
    EXPECT_TRUE(m.model.insertChequeFormat());
}

}  // namespace
