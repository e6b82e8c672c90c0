// A cheque saved as PDF is the page the printer gets: the same words at the same
// positions (within 0.01 pt) as the job a print queue received, fonts embedded.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "batch/ChequePdf.h"
#include "core/ChequeFormat.h"
#include "platform/TextMeasure.h"
#include "print/ChequePage.h"
#include "print/QtPrinterService.h"
#include "support/CupsQueues.h"
#include "support/PdfWords.h"

namespace {

ChequeFormat format(const char* orientation, double left, double top) {
    ChequeFormat f;
    f.bankCode = QStringLiteral("MBB");
    f.orientation = QString::fromLatin1(orientation);
    f.chequeLeft = left;
    f.chequeTop = top;
    f.dateType = 0;
    f.fields.at(FieldDate) = {6360.4f, 360.6f, 2000.f};
    f.fields.at(FieldRecipient) = {600.25f, 1440.75f, 7000.f};
    f.fields.at(FieldAmount) = {6240.5f, 1800.f, 2500.f};
    f.fields.at(FieldWord1) = {720.f, 1920.33f, 5000.f};
    f.fields.at(FieldWord2) = {240.8f, 2400.2f, 8000.f};
    f.fonts.at(FieldRecipient) = {QStringLiteral("Arial"), 12.0f, true};
    f.fonts.at(FieldAmount) = {QStringLiteral("Times New Roman"), 14.5f, false};
    f.fonts.at(FieldWord2) = {QStringLiteral("Courier New"), 8.0f, true};
    return f;
}

class PdfEqualsPrint : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const QString reason = CupsQueues::unavailableReason();
        if (!reason.isEmpty()) GTEST_SKIP() << "print-system test skipped: " << reason.toStdString();
    }
    CupsQueues::Lock m_lock;
};

TEST_P(PdfEqualsPrint, TheFileHoldsWhatTheQueueReceived) {
    const bool landscapePage = QString::fromLatin1(GetParam()) == QStringLiteral("P");
    const ChequeFormat f = format(GetParam(), landscapePage ? 433.5 : -120.25, 1200.75);
    ChequePage::Content content;
    content.payee = QStringLiteral("Zürich Traders, Ltd");
    content.amount = QStringLiteral("1,234.50");
    content.words = QStringLiteral("One Thousand Two Hundred Thirty Four And Cents Fifty Only.");
    content.date = QDate(2026, 12, 24);
    content.dateStyle = QStringLiteral("dd mmm yyyy");
    const ScreenTextMeasure measure;
    const FieldLabelSet labels = ChequePage::labels(f, content, measure);

    QtPrinterService service;
    const QString queue = CupsQueues::namedQueue();
    const qsizetype index = service.printerNames().indexOf(queue);
    ASSERT_GE(index, 0);
    service.makeCurrent(static_cast<int>(index));

    const QStringList before = CupsQueues::jobFiles(queue);
    ChequePage::draw(service, f, labels, true);
    const PrintReceipt receipt = service.endDocument();
    EXPECT_EQ(receipt.destination, queue);
    const QString job = CupsQueues::waitForNewJob(queue, before);
    ASSERT_FALSE(job.isEmpty()) << "the queue kept no job";

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("MBB-000123-Zürich.pdf"));
    ChequePdf::write(service, pdf, 1, [&](int) { ChequePage::draw(service, f, labels, true); });

    const PdfWords printed = PdfWords::read(job);
    const PdfWords saved = PdfWords::read(pdf);
    ASSERT_TRUE(printed.ok) << printed.error.toStdString();
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_NEAR(saved.pageWidth, printed.pageWidth, 0.01);
    EXPECT_NEAR(saved.pageHeight, printed.pageHeight, 0.01);
    EXPECT_EQ(saved.pageWidth > saved.pageHeight, landscapePage);
    ASSERT_EQ(saved.words.size(), printed.words.size());
    ASSERT_GE(saved.words.size(), 12u);
    for (size_t i = 0; i < saved.words.size(); ++i) {
        const PdfWords::Word& a = saved.words[i];
        const PdfWords::Word& b = printed.words[i];
        SCOPED_TRACE(a.text.toStdString());
        EXPECT_EQ(a.text, b.text);
        EXPECT_NEAR(a.xMin, b.xMin, 0.01);
        EXPECT_NEAR(a.yMin, b.yMin, 0.01);
        EXPECT_NEAR(a.xMax, b.xMax, 0.01);
        EXPECT_NEAR(a.yMax, b.yMax, 0.01);
    }
    // The payee sits at its field plus the cheque's offsets, from the printable area.
    const PdfWords::Word* payee = saved.find(QStringLiteral("ZÜRICH"));
    ASSERT_NE(payee, nullptr);
    const QMarginsF margins = service.printableMargins();
    EXPECT_NEAR(payee->xMin, margins.left() + (600.25 + f.chequeLeft) / 20.0, 0.5);

    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {pdf});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QStringList lines = QString::fromUtf8(fonts.readAllStandardOutput()).split(QLatin1Char('\n'));
    int faces = 0;
    for (const QString& line : lines.mid(2)) {
        if (line.trimmed().isEmpty()) continue;
        ++faces;
        // name, type, encoding, then emb, sub, uni, object and generation.
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6);
        EXPECT_EQ(columns.at(columns.size() - 5), QStringLiteral("yes"))
            << "not embedded: " << line.toStdString();
    }
    EXPECT_GE(faces, 3);
}

INSTANTIATE_TEST_SUITE_P(Orientations, PdfEqualsPrint, testing::Values("L", "P"));

}  // namespace
