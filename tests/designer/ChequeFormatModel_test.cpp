#include <gtest/gtest.h>

#include <sqlite3.h>

#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "support/FormatSamples.h"
#include "support/TestEnv.h"

namespace {

using InchResult = ChequeFormatModel::InchResult;
using Outcome = ChequeFormatModel::SaveOutcome;
QString s(const char* text) { return QString::fromUtf8(text); }

// The model as the designer holds it after opening: date style, languages, defaults.
class Model : public testing::Test {
protected:
    TestEnv env;
    ChequeFormatModel model{env.context};
    void SetUp() override {
        model.setDateType(0);
        model.loadLanguages();
        model.resetChequeFormat();
        ChequeFormatStore::insert(db(), distinctFormat(s("TAKEN")));
    }
    Database& db() { return env.db(); }
    QStringList messages() { return env.dialogs.texts(); }
};

// The stored date style is laid out first, so the stored positions win; the
// digit boxes' font goes to label 5 alone.
TEST_F(Model, LoadThenUpdateAndInsertKeepEveryColumn) {
    ChequeFormat stored = distinctFormat(s("ALPHA"));
    stored.dateType = 1;
    ChequeFormatStore::insert(db(), stored);
    ASSERT_TRUE(model.selectBank(s("ALPHA - Name of ALPHA")));
    EXPECT_EQ(model.languageName(), s("Malay"));
    EXPECT_EQ(model.labels()[FieldSDateY4].font, FontSpec{});
    ASSERT_TRUE(model.updateChequeFormat(s("ALPHA")));
    EXPECT_TRUE(rowMatches(storedRow(db(), s("ALPHA")), expectedColumns(stored)));
    model.setBankCode(stored.bankCode = s("COPY"));
    ASSERT_TRUE(model.insertChequeFormat());
    EXPECT_TRUE(rowMatches(storedRow(db(), s("COPY")), expectedColumns(stored)));
    EXPECT_TRUE(messages().isEmpty());
}

// Deleting asks first. An entry without a row says so and shows a new format:
// every value the default, the printer the current one.
TEST_F(Model, DeleteAsksFirstAndAnEntryWithoutARowShowsTheDefaults) {
    env.dialogs.answer({Dialogs::Answer::No, Dialogs::Answer::Yes});
    ASSERT_TRUE(model.selectBank(s("TAKEN - x")));
    EXPECT_FALSE(model.deleteChequeFormat(s("TAKEN")));
    EXPECT_TRUE(model.deleteChequeFormat(s("TAKEN")));
    env.printers.current = 1;
    EXPECT_FALSE(model.selectBank(s("TAKEN - x")));
    const QString ask = s("Are you sure you want to delete Bank's cheque details?");
    EXPECT_EQ(messages(), (QStringList{ask, ask, s("No record found for TAKEN bank.")}));
    EXPECT_FALSE(model.labels()[FieldSDateD1].visible);
    ChequeFormat expected;
    expected.printerName = s("Cheque-Printer");
    for (int i = 0; i < kFieldCount; ++i) expected.fields[i] = ChequeFormat::defaultGeometry(i);
    EXPECT_EQ(model.toRecord(1), expected);
}

// A typed inch box: a number is kept to the hundredth; a negative one is refused
// with a message and left as typed; anything else gets the previous value back.
TEST_F(Model, TypedInchesAndBankCode) {
    const std::tuple<const char*, InchResult, const char*, float> rows[] = {
        {"1.234", InchResult::Accepted, "1.23", 1771.2f}, {" 3 ", InchResult::Accepted, "3.00", 4320},
        {"-0", InchResult::Accepted, "0.00", 0},          {"-0.5", InchResult::Negative, "-0.5", 2880},
        {"1,5", InchResult::NotANumber, "2.00", 2880},    {"1e300", InchResult::NotANumber, "2.00", 2880}};
    model.setSelectedField(FieldAmount);
    for (const auto& [typed, result, shown, left] : rows) {
        SCOPED_TRACE(typed);
        env.dialogs.clear();
        model.labels()[FieldAmount].left = 2880;
        const auto entry = model.typeFieldInches(ChequeFormatModel::Axis::Left, s(typed));
        EXPECT_EQ(std::pair(entry.result, entry.text), std::pair(result, s(shown)));
        EXPECT_EQ(model.labels()[FieldAmount].left, left);
        model.typeChequeWidth(s("7"));
        EXPECT_EQ(model.typeChequeWidth(s(typed)).result, result);
        EXPECT_EQ(model.chequeWidthText(), result == InchResult::Accepted ? s(shown) : s("7.00"));
        const bool negative = result == InchResult::Negative;
        EXPECT_EQ(messages(), QStringList(negative ? 2 : 0, s("No negative value is allowed.")));
    }
    model.typeFieldInches(ChequeFormatModel::Axis::Width, s("4"));
    EXPECT_EQ(model.labels()[FieldAmount].width, 5760.0f);
    EXPECT_EQ(model.typeBankCode(s(" ab 1\xc3\xbc ")), s("AB1\xc3\x9c"));
}

// Save refuses, in this order, an empty name, an empty code, (adding) a stored
// code and a size that is no number, each with its message and nothing written.
TEST_F(Model, SaveRefusals) {
    const char* const noWidth =
        "Cheque Width must be a number of inches, such as 8.50. The format was not saved.";
    const std::tuple<bool, const char*, const char*, const char*, Outcome, const char*> rows[] = {
        {true, "", "NEW", "8", Outcome::EmptyName, "No emtpy Bank Name is allowed."},
        {false, "", "NEW", "8", Outcome::EmptyName, "No emtpy Bank Name is allowed."},
        {true, "N", "", "8", Outcome::EmptyCode, "No emtpy Bank Code is allowed."},
        {true, "N", "TAKEN", "8", Outcome::DuplicateCode, "Bank Code already exist."},
        {true, "N", "NEW", "8,5", Outcome::Refused, noWidth},
        {false, "N", "NEW", "", Outcome::Refused, noWidth},
        {true, "N", "NEW", "8", Outcome::Saved, nullptr},
        {false, "N", "TAKEN", "8", Outcome::Saved, nullptr}};
    for (const auto& [adding, name, code, width, outcome, message] : rows) {
        SCOPED_TRACE(testing::Message() << adding << name << code << width);
        db().write(s("DELETE FROM BankCheque"));
        ChequeFormatStore::insert(db(), distinctFormat(s("TAKEN")));
        env.dialogs.clear();
        model.setBankName(s(name));
        model.setBankCode(s(code));
        model.setChequeWidthText(s(width));
        EXPECT_EQ(adding ? model.saveNewFormat() : model.saveEditedFormat(s("TAKEN")), outcome);
        EXPECT_EQ(messages(), message ? QStringList{s(message)} : QStringList());
        const auto rows = ChequeFormatStore::listById(db());
        EXPECT_EQ(rows.size(), adding && !message ? 2u : 1u);
        EXPECT_EQ(rows.front().bankName, !adding && !message ? s("N") : s("Name of TAKEN"));
    }
}

// A stored language that is gone: loading says so and keeps the shown name;
// saving says so and stores language 1.
TEST_F(Model, MissingLanguageOnLoadAndSave) {
    db().write(s("DELETE FROM LanguageMain WHERE ID = 2"));
    model.setLanguageName(s("Malay"));
    ASSERT_TRUE(model.selectBank(s("TAKEN - x")));
    EXPECT_EQ(model.languageName(), s("Malay"));
    EXPECT_EQ(model.chequeWidthText(), s("8.50"));
    ASSERT_TRUE(model.updateChequeFormat(s("TAKEN")));
    model.setBankCode(s("NEW"));
    ASSERT_TRUE(model.insertChequeFormat());
    EXPECT_EQ(messages(), (QStringList{s("Error retrieving Language while Retrieving Bank Details"),
                                       s("Error retrieving Language while saving bank details."),
                                       s("Language retrival error")}));
    for (const char* code : {"TAKEN", "NEW"})
        EXPECT_EQ(storedRow(db(), s(code)).value(s("AmountLanguage")), 1) << code;
}

// ddmmyy hides Y1 and Y2 and lays Y3, Y4 after M2; ddmmyyyy lays Y1..Y4 after M2.
TEST_F(Model, DateStyleShowsAndLaysOutItsDigits) {
    auto& labels = model.labels();
    labels[FieldSDateM2].left = 7000;
    labels[FieldSDateM2].width = 400;
    labels[FieldSDateY2].width = 100;
    const std::tuple<int, const char*, std::vector<float>> rows[] = {
        {1, "0 1111 0011", {7545, 7850, 7400, 7705}},  // hidden digits stay
        {2, "0 1111 1111", {7400, 7705, 7805, 8110}},
        {0, "1 0000 0000", {7400, 7705, 7805, 8110}}};
    for (const auto& [style, shown, lefts] : rows) {
        model.setDateType(style);
        QString visible;
        for (int i = 0; i < kFieldCount; ++i)
            if (i == 0 || i >= FieldSDateD1) visible += labels[i].visible ? s("1") : s("0");
        EXPECT_EQ(visible, s(shown).remove(QLatin1Char(' '))) << style;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(labels[FieldSDateY1 + i].left, lefts[i]) << style;
        EXPECT_EQ(model.selectedField(), style ? FieldSDateD1 : FieldDate);
    }
}

// A statement the database refuses leaves the working copy and the connection usable.
TEST_F(Model, FailingStatementKeepsTheWorkingCopy) {
    model.setBankName(s("Typed name"));
    model.setBankCode(s("TAKEN"));  // the table keeps codes unique
    EXPECT_THROW(model.insertChequeFormat(), DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(db().handle()));
    EXPECT_EQ(model.bankName(), s("Typed name"));
    model.setBankCode(s("FREE"));
    EXPECT_TRUE(model.insertChequeFormat());
}

}  // namespace
