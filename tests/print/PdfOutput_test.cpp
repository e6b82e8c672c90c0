#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "print/ChequeRenderer.h"
#include "core/FieldLabelSet.h"
#include "print/QtPrinterService.h"
#include "support/PdfWords.h"

namespace {

// A cheque as the default format lays it out, with fractional positions and a
// mix of faces, sizes and bold, every caption a distinct word.
FieldLabelSet chequeLabels() {
    struct Geometry {
        float left, top;
    };
    static const Geometry kGeometry[kFieldCount] = {
        {6360.4f, 360.6f},  {600.25f, 1440.75f}, {6240.5f, 1800.f}, {720.f, 1920.33f},
        {240.8f, 2400.2f},  {6360.f, 700.f},     {6600.f, 700.5f},  {6935.f, 700.f},
        {7240.f, 700.f},    {7545.f, 700.f},     {7850.f, 700.f},   {8155.f, 700.f},
        {8460.f, 700.f}};
    FieldLabelSet labels;
    for (int i = 0; i < kFieldCount; ++i) {
        labels[i].left = kGeometry[i].left;
        labels[i].top = kGeometry[i].top;
        // The digit boxes hold one character each, as on a cheque.
        labels[i].caption = i < FieldSDateD1 ? QStringLiteral("Q%1x").arg(i)
                                             : QString(QLatin1Char(char('A' + i)));
        labels[i].font = {QStringLiteral("Arial"), 9.0f, false};
    }
    labels[FieldRecipient].font = {QStringLiteral("Arial"), 12.0f, true};
    labels[FieldAmount].font = {QStringLiteral("Times New Roman"), 14.5f, false};
    labels[FieldWord1].font = {QStringLiteral("Arial"), 10.5f, false};
    labels[FieldWord2].font = {QStringLiteral("Courier New"), 8.0f, true};
    return labels;
}

// Height of a word box as pdftotext reports it: ascent plus descent of the face.
double boxHeight(const FontSpec& wanted) {
    QFont font(wanted.face);
    font.setPixelSize(1000);
    font.setBold(wanted.bold);
    const QFontMetricsF metrics(font);
    return (metrics.ascent() + metrics.descent()) / 1000.0 * wanted.size;
}

QString fontsOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PlacementCase {
    int dateType;
    int orientation;
    double chequeLeft, chequeTop;
    QMarginsF margins;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << "type " << c.dateType << " orientation " << c.orientation << " offset " << c.chequeLeft
        << "," << c.chequeTop << " margins " << c.margins.left() << "," << c.margins.top();
}

class PdfPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(PdfPlacement, EveryFieldLandsAtItsTwipsFromThePrintableArea) {
    const PlacementCase& c = GetParam();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cheque.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, c.margins});
    service.setOrientation(c.orientation);
    service.setPaperA4();
    const FieldLabelSet labels = ChequeRenderer::shifted(chequeLabels(), c.chequeLeft, c.chequeTop);
    ChequeRenderer::printChequeFields(service, c.dateType, true, labels);
    service.endDocument();

    const PdfWords page = PdfWords::read(pdf);
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    const bool portrait = c.orientation == 1;
    // The printable area starts at the margins rounded to whole points.
    const QMarginsF area = service.printableMargins();
    EXPECT_NEAR(area.left(), c.margins.left(), 0.5);
    EXPECT_NEAR(area.top(), c.margins.top(), 0.5);
    EXPECT_NEAR(page.pageWidth, portrait ? 595.28 : 841.89, 0.5);
    EXPECT_NEAR(page.pageHeight, portrait ? 841.89 : 595.28, 0.5);
    // The page height a caller prints within is the printable area's.
    EXPECT_NEAR(service.pageHeight() / 20.0, page.pageHeight - area.top() - area.bottom(), 0.5);

    const std::vector<int> printed = c.dateType == 0 ? std::vector<int>{0, 1, 2, 3, 4}
                                                     : std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8,
                                                                        9, 10, 11, 12};
    ASSERT_EQ(page.words.size(), printed.size()) << [&] {
        std::string all;
        for (const auto& w : page.words) all += w.text.toStdString() + ' ';
        return all;
    }();
    for (int i : printed) {
        SCOPED_TRACE(testing::Message() << "field " << i);
        const PdfWords::Word* word = page.find(labels[i].caption);
        ASSERT_NE(word, nullptr);
        EXPECT_NEAR(word->xMin, area.left() + labels[i].left / 20.0, 0.25);
        EXPECT_NEAR(word->yMin, area.top() + labels[i].top / 20.0, 1.0);
        EXPECT_NEAR(word->yMax - word->yMin, boxHeight(labels[i].font), 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    OrientationsAndOffsets, PdfPlacement,
    testing::Values(PlacementCase{0, 1, 0, 0, {}}, PlacementCase{2, 2, 0, 0, {}},
                    PlacementCase{2, 1, -150.5, -75.25, {18, 14.4, 18, 14.4}},
                    PlacementCase{0, 2, -150.5, -75.25, {18, 14.4, 18, 14.4}},
                    PlacementCase{0, 1, 1234.75, 987.4, {12.25, 9.5, 12.25, 9.5}},
                    PlacementCase{2, 2, 2880.6, 4321.3, {12.25, 9.5, 12.25, 9.5}},
                    PlacementCase{0, 2, 43.199999999999996, -0.4, {}}));

TEST(PdfOutput, ArialResolvesToLiberationSans) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("fonts.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.setFont({QStringLiteral("Arial"), 10.0f, false});
    service.printText(QStringLiteral("plain"));
    service.setFont({QStringLiteral("Arial"), 10.0f, true});
    service.printText(QStringLiteral("bold"));
    service.endDocument();
    const QString fonts = fontsOf(pdf);
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans-Bold"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("LiberationSans\\s"))))
        << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("DejaVu"))) << fonts.toStdString();
}

TEST(PdfOutput, TextMovesToTheStartOfTheNextLine) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lines.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.setFont({QStringLiteral("Arial"), 11.0f, false});
    service.setCurrentX(1000);
    service.setCurrentY(2000);
    service.printText(QStringLiteral("first"));
    EXPECT_EQ(service.currentX(), 0.0);
    EXPECT_GT(service.currentY(), 2000 + 11 * 20);
    EXPECT_LT(service.currentY(), 2000 + 11 * 20 * 1.3);
    service.printText(QStringLiteral("second"));
    service.endDocument();
    const PdfWords page = PdfWords::read(pdf);
    ASSERT_TRUE(page.ok);
    const auto* first = page.find(QStringLiteral("first"));
    const auto* second = page.find(QStringLiteral("second"));
    ASSERT_TRUE(first && second);
    EXPECT_NEAR(first->xMin, 50, 0.25);
    EXPECT_NEAR(second->xMin, 0, 0.25);
    EXPECT_NEAR(second->yMin - first->yMin, 11 * 1.15, 1.0);
}

TEST(PdfOutput, EndingWithoutDrawingWritesNothingAndAnUnwritableFileFails) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.endDocument();
    EXPECT_FALSE(QFile::exists(pdf));

    service.setPdfPath(dir.filePath(QStringLiteral("missing/folder/x.pdf")));
    EXPECT_THROW(service.printText(QStringLiteral("x")), PrintError);
    // The service is usable again afterwards.
    service.setPdfPath(pdf);
    service.printText(QStringLiteral("again"));
    service.endDocument();
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST(PdfOutput, AbortedJobLeavesNoFile) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("aborted.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.printText(QStringLiteral("x"));
    service.abortDocument();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PdfOutput, DottedAndSolidLinesAreDrawn) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lines.pdf"));
    QtPrinterService service(QtPrinterService::PdfFile{pdf, {}});
    service.setOrientation(2);
    service.drawLine(0, 500, 5000, 500);
    service.setLineStyle(PrinterService::LineStyle::Dotted);
    service.drawLine(0, 1220, 720, 500);
    service.endDocument();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 0);
}

}  // namespace
