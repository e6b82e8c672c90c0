#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

#include "designer/AlignmentSheets.h"
#include "designer/ChequeFormatModel.h"
#include "platform/AppInfo.h"
#include "print/QtPrinterService.h"
#include "store/SettingsStore.h"
#include "support/PdfWords.h"
#include "support/TestEnv.h"
#include "words/AmountToWords.h"
#include "words/WordLineSplit.h"

namespace {

QString s(const char* text) { return QString::fromUtf8(text); }
QStringList words(const char* text) { return s(text).split(QLatin1Char(' ')); }

// An 8 by 3 inch cheque whose fields lie at fractional places.
class Sheets : public testing::Test {
protected:
    TestEnv env;
    ChequeFormatModel model{env.context};
    void SetUp() override {
        SettingsStore::writeOptions(env.db(), 1, 1, 1, s("dd-mm-yyyy"));
        model.loadLanguages();
        model.resetChequeFormat();
        model.setPrinterName(s("Cheque-Printer"));
        model.setChequeWidthText(s("8.00"));
        model.setChequeHeightText(s("3.00"));
        for (int i = 0; i < kFieldCount; ++i) model.labels()[i].top = 120.7f + 97.5f * i;
    }
};

// The sample sheet: heading, the date in the chosen style, the sample values and
// the words in the chosen language 500 twips down (a copy: the working copy stays),
// then the instructions. A language that is gone is reported; the words are then
// in the first one. The ruler sheet: heading, inch numbers along the bottom and
// the right edge and a tick every twentieth of an inch inside the outline.
TEST_F(Sheets, SampleAndRulerSheetsPrintTheirTexts) {
    const std::tuple<const char*, int, int, QStringList> rows[] = {
        {"Malay", 2, 1, words("0 5 1 2 2 6")}, {"Klingon", 1, 0, {s("05-12-2026")}}};
    for (const auto& [language, id, dateType, date] : rows) {
        model.setLanguageName(s(language));
        model.setDateType(dateType);
        const FieldLabel word1 = model.labels()[FieldWord1];
        const WordLines lines = splitWordLines(
            amountToWords(env.db(), env.dialogs, AlignmentSheets::sampleAmount(), id), word1.font,
            word1.width, env.textMeasure);
        env.printers.clearRecord();
        ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, s("MBB - Maybank")));
        EXPECT_EQ(env.printers.printedTexts().mid(0, date.size() + 6),
                  QStringList{s("MBB - Maybank - Sample Output")}
                      << date << s("CHEQUE WRITER") << s("123,456,789.00") << lines.line1
                      << lines.line2 << s("Instruction:"));
        const auto texts = env.printers.callsOf(s("text"));
        EXPECT_FLOAT_EQ(texts.at(date.size() + 3).y, word1.top + 500);
        EXPECT_EQ(texts.back().text, AppInfo::webAddress());
        EXPECT_EQ(model.labels()[FieldWord1].top, word1.top);
    }
    EXPECT_EQ(env.dialogs.texts(), QStringList{s("Error retrieving Language while saving bank details.")});
    EXPECT_EQ(env.printers.jobSteps(), words("makeCurrent1 orientation2 paperA4 end makeCurrent0"));
    env.printers.clearRecord();
    ASSERT_TRUE(AlignmentSheets::printDesignerRuler(env.context, model, s("CIMB")));
    QStringList ruler = words("CIMB Inch");
    for (int inch : {1, 2, 3, 4, 5, 6, 7, 1, 2}) ruler << QStringLiteral(" %1").arg(inch);
    EXPECT_EQ(env.printers.printedTexts().mid(0, 12), ruler << s("Instruction:"));
    const auto lines = env.printers.callsOf(s("line"));
    ASSERT_EQ(lines.size(), 4u + 1u + 159u + 1u + 59u);  // outline and cuts, the two rulers
    for (const auto& [k, length] : {std::pair{1, 75.0}, {5, 150.0}, {10, 262.5}, {20, 375.0}})
        EXPECT_DOUBLE_EQ(lines[4 + k].y2 - lines[4 + k].y, length) << k;
}

// A print job that fails or finds no printer is reported; the printer is put back.
TEST_F(Sheets, FailedJobsAreReported) {
    using namespace AlignmentSheets;
    const std::pair<const char*, std::function<bool()>> jobs[] = {
        {"The sample sheet", [&] { return printDesignerSample(env.context, model, s("X")); }},
        {"The ruler sheet", [&] { return printDesignerRuler(env.context, model, s("X")); }},
        {"The sample", [&] { return printLocationSample(env.context, model, 1, 2, 1); }}};
    for (const auto& [job, print] : jobs) {
        for (const bool noPrinter : {false, true}) {
            env.printers.clearRecord();
            env.dialogs.clear();
            env.printers.failEndWith = s("on fire");
            const QStringList names = noPrinter ? std::exchange(env.printers.names, {}) : QStringList();
            EXPECT_FALSE(print());
            if (noPrinter) env.printers.names = names;
            EXPECT_EQ(env.printers.jobSteps().mid(3),
                      noPrinter ? QStringList() : words("end abort makeCurrent0"));
            EXPECT_EQ(env.dialogs.texts(), QStringList{noPrinter ? s("No printer is available.")
                                                      : s(job) + s(" was not printed.\r\non fire")});
        }
    }
}

// On the PDF-file printer each word lands at its twips (1/20 point) from the
// printable area's top-left.
TEST_F(Sheets, SampleSheetOnPaper) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(s("sheet.pdf"));
    QtPrinterService service{QtPrinterService::PdfFile{pdf, QMarginsF(12, 9, 12, 9), {s("PDF")}}};
    env.context.printers = &service;
    model.setPrinterName(s("PDF"));
    ASSERT_TRUE(AlignmentSheets::printDesignerSample(env.context, model, s("MBB - Maybank")));
    const PdfWords page = PdfWords::read(pdf);
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    const FieldLabel& amount = model.labels()[FieldAmount];
    const std::tuple<const char*, double, double> places[] = {
        {"MBB", 0, 0}, {"123,456,789.00", amount.left, amount.top + 500}, {"Instruction:", 0, 5320}};
    for (const auto& [text, x, y] : places) {
        const PdfWords::Word* word = page.find(s(text));
        ASSERT_NE(word, nullptr) << text;
        EXPECT_NEAR(word->xMin, 12 + x / 20.0, 0.5) << text;
        EXPECT_NEAR(word->yMin, 9 + y / 20.0, 1.0) << text;
    }
}

}  // namespace
