#include <gtest/gtest.h>

#include <sqlite3.h>

#include "designer/AlignmentSheets.h"
#include "designer/ChequeFormatModel.h"
#include "print/QtPrinterService.h"
#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "store/SettingsStore.h"
#include "support/FormatSamples.h"
#include "support/PdfWords.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/WordLineSplit.h"

namespace {

using InchResult = ChequeFormatModel::InchResult;
using Outcome = ChequeFormatModel::SaveOutcome;
QString s(const char* text) { return QString::fromUtf8(text); }
QStringList words(const char* text) { return s(text).split(QLatin1Char(' ')); }

class WorkingCopy : public testing::Test {
protected:
    TestEnv env;
    ChequeFormatModel model{env.context};
    void SetUp() override {
        SettingsStore::writeOptions(env.db(), 1, 1, 1, s("dd-mm-yyyy")), model.loadLanguages();
        model.resetChequeFormat(), model.setPrinterName(s("Cheque-Printer")), model.setChequeWidthText(s("8.00"));
        ChequeFormatStore::insert(env.db(), distinctFormat(s("TAKEN"))), model.setChequeHeightText(s("3.00"));
    }
};

// Loading lays out the stored date style (label 5 alone takes the digits' font); a refused statement changes nothing.
TEST_F(WorkingCopy, LoadThenUpdateKeepsEveryColumnAndARefusedStatementNothingElse) {
    const ChequeFormat stored = distinctFormat(s("ALPHA"));
    ChequeFormatStore::insert(env.db(), stored);
    ASSERT_TRUE(model.selectBank(s("ALPHA - Name of ALPHA")));
    EXPECT_EQ(model.labels()[FieldSDateY4].font, FontSpec{});
    ASSERT_TRUE(model.updateChequeFormat(s("ALPHA")));
    EXPECT_TRUE(rowMatches(storedRow(env.db(), s("ALPHA")), expectedColumns(stored)));
    model.setBankName(s("Typed name")), model.setBankCode(s("TAKEN"));  // the table keeps codes unique
    EXPECT_THROW(model.insertChequeFormat(), DbError);
    EXPECT_TRUE(sqlite3_get_autocommit(env.db().handle()) && model.bankName() == s("Typed name"));
}

// Deleting asks first; an entry without a row says so and shows the defaults (current printer).
TEST_F(WorkingCopy, DeleteAsksFirstAndAnEntryWithoutARowShowsTheDefaults) {
    env.dialogs.answer({Dialogs::Answer::No}), env.printers.names << s("Third"), env.printers.current = 2;
    EXPECT_FALSE(model.deleteChequeFormat(s("TAKEN")));
    ASSERT_TRUE(model.selectBank(s("TAKEN - x")) && !model.selectBank(s("GONE - x")));
    EXPECT_EQ(env.dialogs.texts().at(1), s("No record found for GONE bank."));
    ChequeFormat expected{.printerName = s("Third")};
    for (int i = 0; i < kFieldCount; ++i) expected.fields[i] = ChequeFormat::defaultGeometry(i);
    EXPECT_EQ(model.toRecord(1), expected);
}

// A typed inch box: a number is kept to the hundredth, a negative refused with a message, anything else undone.
TEST_F(WorkingCopy, TypedInchesAndBankCode) {
    constexpr auto Ok = InchResult::Accepted, Negative = InchResult::Negative, NaN = InchResult::NotANumber;
    const std::tuple<const char*, InchResult, const char*, float> rows[] = {
        {"1.234", Ok, "1.23", 1771.2f}, {" 3 ", Ok, "3.00", 4320},      {"-0", Ok, "0.00", 0},
        {"-0.5", Negative, "-0.5", 2880}, {"1,5", NaN, "2.00", 2880}, {"1e300", NaN, "2.00", 2880}};
    model.setSelectedField(FieldAmount);
    for (const auto& [typed, result, shown, left] : rows) {
        env.dialogs.clear(), model.labels()[FieldAmount].left = 2880, model.typeChequeWidth(s("7"));
        const auto entry = model.typeFieldInches(ChequeFormatModel::Axis::Left, s(typed));
        EXPECT_EQ(std::pair(entry.result, entry.text), std::pair(result, s(shown))) << typed;
        EXPECT_EQ(model.labels()[FieldAmount].left, left) << typed;
        EXPECT_EQ(model.typeChequeWidth(s(typed)).result, result) << typed;
        EXPECT_EQ(model.chequeWidthText(), result == Ok ? s(shown) : s("7.00"));
        EXPECT_EQ(env.dialogs.texts(), QStringList(result == Negative ? 2 : 0, s("No negative value is allowed.")));
    }
    EXPECT_EQ(model.typeBankCode(s(" ab 1\xc3\xbc ")), s("AB1\xc3\x9c"));
}

// Save refuses in turn an empty name or code, (adding) a stored code, a size not a number: a message, no write.
TEST_F(WorkingCopy, SaveRefusals) {
    const char* const noWidth = "Cheque Width must be a number of inches, such as 8.50. The format was not saved.";
    const std::tuple<bool, const char*, const char*, const char*, Outcome, const char*> rows[] = {
        {true, "", "NEW", "8", Outcome::EmptyName, "No emtpy Bank Name is allowed."},
        {true, "N", "", "8", Outcome::EmptyCode, "No emtpy Bank Code is allowed."},
        {true, "N", "TAKEN", "8", Outcome::DuplicateCode, "Bank Code already exist."},
        {true, "N", "NEW", "8,5", Outcome::Refused, noWidth}, {false, "N", "NEW", "", Outcome::Refused, noWidth},
        {true, "N", "NEW", "8", Outcome::Saved, nullptr},     {false, "N", "TAKEN", "8", Outcome::Saved, nullptr}};
    for (const auto& [adding, name, code, width, outcome, message] : rows) {
        SCOPED_TRACE(testing::Message() << adding << name << code << width);
        env.db().write(s("DELETE FROM BankCheque WHERE BankCode <> 'TAKEN'")), env.dialogs.clear();
        model.setBankName(s(name)), model.setBankCode(s(code)), model.setChequeWidthText(s(width));
        EXPECT_EQ(adding ? model.saveNewFormat() : model.saveEditedFormat(s("TAKEN")), outcome);
        EXPECT_EQ(env.dialogs.texts(), message ? QStringList{s(message)} : QStringList());
        EXPECT_EQ(ChequeFormatStore::listById(env.db()).back().bankName, message ? s("Name of TAKEN") : s("N"));
    }
}

// A stored language that is gone: loading says so and keeps the shown name; saving says so and stores language 1.
TEST_F(WorkingCopy, MissingLanguageOnLoadAndSave) {
    env.db().write(s("DELETE FROM LanguageMain WHERE ID = 2")), model.setLanguageName(s("Malay"));
    ASSERT_TRUE(model.selectBank(s("TAKEN - x")) && model.languageName() == s("Malay"));
    ASSERT_TRUE(model.updateChequeFormat(s("TAKEN")) && (model.setBankCode(s("NEW")), model.insertChequeFormat()));
    EXPECT_EQ(env.dialogs.texts(), (QStringList{s("Error retrieving Language while Retrieving Bank Details"),
              s("Error retrieving Language while saving bank details."), s("Language retrival error")}));
    EXPECT_EQ(storedRow(env.db(), s("NEW")).value(s("AmountLanguage")), 1);
}

// ddmmyy hides Y1 and Y2 and lays Y3, Y4 after M2; ddmmyyyy lays Y1..Y4 after M2.
TEST_F(WorkingCopy, DateStyleShowsAndLaysOutItsDigits) {
    auto& labels = model.labels();
    const std::tuple<int, int, std::vector<float>> rows[] = {  // style, shown fields, Y1..Y4
        {1, 0b0'1111'0011, {7545, 7850, 7305, 7610}}, {2, 0b0'1111'1111, {7305, 7610, 7915, 8220}},
        {0, 0b1'0000'0000, {7305, 7610, 7915, 8220}}};  // style 1 leaves its hidden digits where they were
    for (const auto& [style, shown, lefts] : rows) {
        labels[FieldSDateM2].left = 7000, model.setDateType(style);
        int visible = labels[FieldDate].visible ? 1 : 0;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) visible += visible + labels[i].visible;
        EXPECT_EQ(visible, shown) << style;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(labels[FieldSDateY1 + i].left, lefts[i]) << style;
        EXPECT_EQ(model.selectedField(), style ? FieldSDateD1 : FieldDate);
    }
}

// The sample sheet: values and words in the chosen language (a gone one: the first) 500 twips down; the ruler sheet.
TEST_F(WorkingCopy, SampleAndRulerSheetsPrintTheirTexts) {
    const std::tuple<const char*, int, int, QStringList> rows[] = {
        {"Malay", 2, 1, words("0 5 1 2 2 6")}, {"Klingon", 1, 0, {s("05-12-2026")}}};
    for (const auto& [language, id, dateType, date] : rows) {
        model.setLanguageName(s(language)), model.setDateType(dateType), env.printers.clearRecord();
        const FieldLabel word1 = model.labels()[FieldWord1];
        const QString amount = amountToWords(env.db(), env.dialogs, s("123,456,789.00"), id);
        const WordLines lines = splitWordLines(amount, word1.font, word1.width, env.textMeasure);
        ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, s("MBB - Maybank")));
        EXPECT_EQ(env.printers.printedTexts().mid(0, date.size() + 6), QStringList{s("MBB - Maybank - Sample Output")}
            << date << s("CHEQUE WRITER") << s("123,456,789.00") << lines.line1 << lines.line2 << s("Instruction:"));
        EXPECT_FLOAT_EQ(env.printers.callsOf(s("text")).at(date.size() + 3).y, word1.top + 500);
        EXPECT_EQ(model.labels()[FieldWord1].top, word1.top);
    }
    EXPECT_EQ(env.dialogs.texts(), QStringList{s("Error retrieving Language while saving bank details.")});
    EXPECT_EQ(env.printers.jobSteps(), words("makeCurrent1 orientation2 paperA4 end makeCurrent0"));
    ASSERT_TRUE((env.printers.clearRecord(), AlignmentSheets::printDesignerRuler(env.context, model, s("CIMB"))));
    EXPECT_EQ(env.printers.printedTexts().mid(0, 12).join(u'|'),
              s("CIMB|Inch| 1| 2| 3| 4| 5| 6| 7| 1| 2|Instruction:"));
}

// A print job that fails or finds no printer is reported; the printer is put back.
TEST_F(WorkingCopy, FailedJobsAreReported) {
    const char* const jobs[] = {"The sample sheet", "The ruler sheet", "The sample"};
    const QStringList names = env.printers.names;
    env.printers.failEndWith = s("on fire");
    for (int job = 0; job < 6; ++job) {
        env.printers.clearRecord(), env.dialogs.clear(), env.printers.names = job >= 3 ? QStringList() : names;
        EXPECT_FALSE(job % 3 == 0   ? AlignmentSheets::printDesignerSample(env.context, model, s("X"))
                     : job % 3 == 1 ? AlignmentSheets::printDesignerRuler(env.context, model, s("X"))
                                    : AlignmentSheets::printLocationSample(env.context, model, 1, 2, 1));
        EXPECT_EQ(env.printers.jobSteps().mid(3), job >= 3 ? QStringList() : words("end abort makeCurrent0")) << job;
        const QString why = s(jobs[job % 3]) + s(" was not printed.\r\non fire");
        EXPECT_EQ(env.dialogs.texts().value(0), job >= 3 ? s("No printer is available.") : why);
    }
}

// On the PDF printer a word lands at its twips (1/20 point) from the printable area.
TEST_F(WorkingCopy, SampleSheetOnPaper) {
    QTemporaryDir dir;
    QtPrinterService pdf{QtPrinterService::PdfFile{dir.filePath(s("sheet.pdf")), QMarginsF(12, 9, 12, 9), {s("PDF")}}};
    env.context.printers = &pdf, model.setPrinterName(s("PDF"));
    ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, s("MBB - Maybank")));
    const PdfWords page = PdfWords::read(dir.filePath(s("sheet.pdf")));
    const PdfWords::Word* amount = page.find(s("123,456,789.00"));
    ASSERT_TRUE(page.ok && amount) << page.error.toStdString();
    EXPECT_NEAR(amount->xMin, 12 + model.labels()[FieldAmount].left / 20.0, 0.5);
    EXPECT_NEAR(amount->yMin, 9 + (model.labels()[FieldAmount].top + 500) / 20.0, 1.0);
}

}  // namespace
