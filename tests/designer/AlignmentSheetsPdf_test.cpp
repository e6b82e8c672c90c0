#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QTemporaryDir>

#include <vector>

#include "designer/ChequeFormatModel.h"
#include "platform/AppInfo.h"
#include "designer/AlignmentSheets.h"
#include "print/QtPrinterService.h"
#include "support/PdfWords.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

// Sheets printed on the PDF-file printer and read back with pdftotext: every
// word at its twips (1/20 point) from the printable area's top-left.
class AlignmentSheetsPdf : public testing::Test {
protected:
    TestEnv env;
    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QtPrinterService service{QtPrinterService::PdfFile{
        pdf, QMarginsF(12, 9, 12, 9), {QStringLiteral("PDF"), QStringLiteral("Other")}}};
    ChequeFormatModel model{env.context};

    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        env.context.printers = &service;
        model.loadLanguages();
        model.resetChequeFormat();
        model.setPrinterName(QStringLiteral("PDF"));
        model.setLanguageName(QStringLiteral("English"));
        model.setChequeWidthText(QStringLiteral("7.50"));
        model.setChequeHeightText(QStringLiteral("3.25"));
        model.labels()[FieldWord1].width = 6000.0f;
        model.labels()[FieldWord1].font = {QStringLiteral("Arial"), 10.0f, false};
        model.labels()[FieldRecipient].left = 1234.5f;
        model.labels()[FieldRecipient].top = 1111.0f;
        model.labels()[FieldAmount].left = 7000.0f;
        model.labels()[FieldAmount].top = 1600.25f;
        // Keep the pages for looking at them when asked to.
        const QByteArray keep = qgetenv("QUORVANTA_KEEP_SHEETS");
        if (!keep.isEmpty()) dir.setAutoRemove(false);
    }

    PdfWords read() {
        PdfWords page = PdfWords::read(pdf);
        EXPECT_TRUE(page.ok) << page.error.toStdString();
        // A landscape A4 page.
        EXPECT_NEAR(page.pageWidth, 841.89, 0.5);
        EXPECT_NEAR(page.pageHeight, 595.28, 0.5);
        return page;
    }
    void expectAt(const PdfWords& page, const QString& text, double xTwips, double yTwips,
                  double tolerance = 1.0) {
        const PdfWords::Word* word = page.find(text);
        ASSERT_NE(word, nullptr) << text.toStdString();
        EXPECT_NEAR(word->xMin, 12 + xTwips / 20.0, 0.5) << text.toStdString();
        EXPECT_NEAR(word->yMin, 9 + yTwips / 20.0, tolerance) << text.toStdString();
    }
};

TEST_F(AlignmentSheetsPdf, SampleSheetWordsWhereTheTwipsSay) {
    ASSERT_TRUE(
        AlignmentSheets::printDesignerSample(env.context, model, QStringLiteral("MBB - Maybank")));
    ASSERT_TRUE(env.dialogs.messages.empty());
    const PdfWords page = read();
    const double h = 3.25 * 1440;
    expectAt(page, QStringLiteral("MBB"), 0, 0);
    expectAt(page, QStringLiteral("CHEQUE"), 1234.5, 1111 + 500);
    expectAt(page, QStringLiteral("123,456,789.00"), 7000, 1600.25 + 500);
    expectAt(page, QStringLiteral("05"), model.labels()[FieldDate].left,
             model.labels()[FieldDate].top + 500);
    expectAt(page, QStringLiteral("Instruction:"), 0, h + 1000);
    expectAt(page, AppInfo::webAddress(), 0, service.pageHeight() - 500);
    // Word line 1 begins with a blank, so its first word starts one blank further.
    const PdfWords::Word* one = page.find(QStringLiteral("One"));
    ASSERT_NE(one, nullptr);
    EXPECT_GT(one->xMin, 12 + model.labels()[FieldWord1].left / 20.0 + 1);
    EXPECT_NEAR(one->yMin, 9 + (model.labels()[FieldWord1].top + 500) / 20.0, 1.0);
    // The instruction lines follow one another down the page.
    const PdfWords::Word* first = page.find(QStringLiteral("knife"));
    const PdfWords::Word* last = page.find(QStringLiteral("manual"));
    ASSERT_TRUE(first && last);
    EXPECT_GT(first->yMin, 9 + (h + 1000) / 20.0);
    EXPECT_GT(last->yMin, first->yMin + 4 * 11);
}

TEST_F(AlignmentSheetsPdf, RulerSheetInchNumbersStartOneBlankRightOfTheirTicks) {
    ASSERT_TRUE(AlignmentSheets::printDesignerRuler(env.context, model, QStringLiteral("RHB")));
    const PdfWords page = read();
    const double w = 7.5 * 1440, h = 3.25 * 1440;
    expectAt(page, QStringLiteral("RHB"), 0, 0);
    expectAt(page, QStringLiteral("Inch"), 10, h + 600);
    expectAt(page, QStringLiteral("Instruction:"), 0, h + 1000);
    expectAt(page, AppInfo::webAddress(), 0, service.pageHeight() - 500);

    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(9);
    const double blank = QFontMetricsF(tahoma).horizontalAdvance(QLatin1Char(' ')) * 72.0 /
                         QFontMetricsF(tahoma).fontDpi();
    ASSERT_GT(blank, 1.0);
    // Bottom ruler: 1 to 7 under the whole-inch ticks; right ruler: 1 to 3.
    std::vector<std::pair<double, double>> bottom, right;
    for (int n = 1; n <= 7; ++n) bottom.push_back({1440.0 * n, h + 600});
    for (int n = 1; n <= 3; ++n) right.push_back({w + 100, 500 + 1440.0 * n});
    int found = 0;
    for (const auto& word : page.words) {
        bool ok = false;
        const int n = word.text.toInt(&ok);
        if (!ok) continue;
        ++found;
        const auto& [x, y] = word.yMin > 9 + (h + 500) / 20.0 ? bottom.at(n - 1) : right.at(n - 1);
        SCOPED_TRACE(testing::Message() << "inch " << n << " at " << word.xMin << "," << word.yMin);
        EXPECT_NEAR(word.xMin, 12 + x / 20.0 + blank, 0.6);
        EXPECT_NEAR(word.yMin, 9 + y / 20.0, 1.0);
    }
    EXPECT_EQ(found, 7 + 3);
    // No tick and no number at the width's own 7.5 inches: no "8" anywhere.
    EXPECT_EQ(page.find(QStringLiteral("8")), nullptr);
}

}  // namespace
