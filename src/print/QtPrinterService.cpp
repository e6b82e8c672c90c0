#include "print/QtPrinterService.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <algorithm>

#include "platform/AppInfo.h"
#include "core/Units.h"
#include "print/CupsPrintSystem.h"

namespace {

[[noreturn]] void fail(const QString& reason) { throw PrintError(reason.toStdString()); }

QPageLayout::Orientation pageOrientation(int code) {
    return code == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Line widths count dots of a 600-dpi printer, whatever the job's resolution.
constexpr double kDotsPerInch = 600.0;

}  // namespace

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(PdfFile pdf) : m_pdf(std::move(pdf)) {
    m_current = m_pdf->names.value(0);
    m_currentKnown = true;
}

QtPrinterService::~QtPrinterService() {
    if (m_painter && m_painter->isActive()) m_painter->end();
}

QStringList QtPrinterService::printerNames() const {
    return m_pdf ? m_pdf->names : CupsPrintSystem::printerNames();
}

QString QtPrinterService::currentPrinterName() const {
    if (!m_currentKnown) {
        m_current = defaultPrinterName();
        m_currentKnown = true;
    }
    return m_current;
}

void QtPrinterService::makeCurrent(int index) {
    const QStringList names = printerNames();
    if (index >= 0 && index < names.size()) {
        m_current = names.at(index);
        m_currentKnown = true;
    }
}

QString QtPrinterService::defaultPrinterName() const {
    if (m_pdf) return m_pdf->names.value(0);
    return CupsPrintSystem::defaultPrinterName();
}

void QtPrinterService::setOrientation(int code) {
    if (code == 1 || code == 2) m_orientation = code;
}

// Every job is laid out on A4.
void QtPrinterService::setPaperA4() {}

void QtPrinterService::setFont(const FontSpec& font) { m_font = font; }
void QtPrinterService::setCurrentX(double x) { m_x = x; }
void QtPrinterService::setCurrentY(double y) { m_y = y; }
double QtPrinterService::currentX() const { return m_x; }
double QtPrinterService::currentY() const { return m_y; }
void QtPrinterService::setLineStyle(LineStyle style) { m_lineStyle = style; }
void QtPrinterService::setLineWidth(int width) { m_lineWidth = width; }
void QtPrinterService::setPdfPath(const QString& path) {
    if (m_pdf) m_pdf->path = path;
}

double QtPrinterService::pageHeight() const {
    const QSizeF paper = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const double mm = m_orientation == 2 ? paper.width() : paper.height();
    // Positions count from the printable area's top, so its height is what a
    // caller can print within (a foot line at height - 500 stays on the paper).
    const QMarginsF margins = printableMargins();  // points
    return mm / 25.4 * units::kTwipsPerInch - (margins.top() + margins.bottom()) * 20.0;
}

QMarginsF QtPrinterService::printableMargins() const {
    QMarginsF margins;
    if (m_pdf) {
        margins = m_pdf->margins;
    } else if (const QPrinterInfo info = QPrinterInfo::printerInfo(currentPrinterName());
               !info.isNull()) {
        QPrinter device(info, QPrinter::HighResolution);
        device.setPageSize(QPageSize(QPageSize::A4));
        device.setPageOrientation(pageOrientation(m_orientation));
        margins = device.pageLayout().margins(QPageLayout::Point);
    }
    // Qt places the printable area at whole points from the paper's edges.
    return QMarginsF(qRound(margins.left()), qRound(margins.top()), qRound(margins.right()),
                     qRound(margins.bottom()));
}

double QtPrinterService::toDevice(double twips) const {
    return twips * m_printer->resolution() / units::kTwipsPerInch;
}

void QtPrinterService::beginJobIfNeeded() {
    if (m_painter) return;

    QString output;
    auto dir = std::unique_ptr<QTemporaryDir>();
    bool toPrinter = false;
    if (!m_outputFile.isEmpty()) {
        output = m_outputFile;
    } else if (m_pdf) {
        output = m_pdf->path;
    } else {
        toPrinter = true;
        if (currentPrinterName().isEmpty()) fail(QStringLiteral("No printer is available."));
        CupsPrintSystem::checkReady(m_current);
        dir = std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            fail(QStringLiteral("The print job could not be started: ") + dir->errorString());
        output = dir->filePath(QStringLiteral("job.pdf"));
    }

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(output);
    printer->setDocName(AppInfo::title());
    printer->setCreator(AppInfo::title());
    printer->setFullPage(false);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pageOrientation(m_orientation),
                                       printableMargins(), QPageLayout::Point, QMarginsF()));

    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get()))
        fail(QStringLiteral("The page could not be written to \"") +
             QFileInfo(output).absoluteFilePath() + QStringLiteral("\"."));

    m_jobPrinter = toPrinter ? m_current : QString();
    m_jobDir = std::move(dir);
    m_printer = std::move(printer);
    m_painter = std::move(painter);
}

void QtPrinterService::printText(const QString& text) {
    beginJobIfNeeded();
    QFont font(m_font.face);
    font.setPointSizeF(m_font.size > 0 ? m_font.size : 1.0);
    font.setBold(m_font.bold);
    m_painter->setFont(font);
    const QFontMetricsF metrics(font, m_printer.get());
    // The text cell's top is at the position; the baseline lies one ascent lower
    // (the ascent includes the font's internal leading).
    m_painter->drawText(QPointF(toDevice(m_x), toDevice(m_y) + metrics.ascent()), text);
    m_x = 0;
    m_y += metrics.lineSpacing() * units::kTwipsPerInch / m_printer->resolution();
}

void QtPrinterService::drawLine(double x1, double y1, double x2, double y2) {
    beginJobIfNeeded();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1, m_lineWidth) * m_printer->resolution() / kDotsPerInch);
    pen.setStyle(m_lineStyle == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
}

void QtPrinterService::finishJob() {
    m_painter.reset();
    m_printer.reset();
    m_jobDir.reset();
    m_jobPrinter.clear();
    m_x = 0;
    m_y = 0;
}

PrintReceipt QtPrinterService::endDocument() {
    if (!m_painter) return {};  // nothing was drawn: no page to send
    struct Cleanup {
        QtPrinterService* self;
        ~Cleanup() { self->finishJob(); }
    } cleanup{this};

    const bool ended = m_painter->end();
    if (!ended || m_printer->printerState() == QPrinter::Error)
        fail(QStringLiteral("The page could not be completed."));
    const QString file = m_printer->outputFileName();
    if (QFileInfo(file).size() <= 0)
        fail(QStringLiteral("The page could not be written to \"") + file + QStringLiteral("\"."));
    PrintReceipt receipt;
    if (m_jobPrinter.isEmpty()) {
        receipt.destination = QFileInfo(file).absoluteFilePath();
        receipt.completed = true;
        return receipt;
    }
    const auto job = CupsPrintSystem::printPdf(m_jobPrinter, file, AppInfo::title());
    m_lastJobId = job.id;
    receipt.destination = m_jobPrinter;
    receipt.jobId = job.id;
    receipt.completed = job.completed;
    return receipt;
}

void QtPrinterService::newPage() {
    beginJobIfNeeded();
    if (!m_printer->newPage()) fail(QStringLiteral("The page could not be completed."));
    m_x = 0;
    m_y = 0;
}

void QtPrinterService::setOutputFile(const QString& path) { m_outputFile = path; }

void QtPrinterService::abortDocument() {
    if (!m_painter) return;
    const bool toFile = m_jobPrinter.isEmpty();
    const QString file = m_printer->outputFileName();
    m_painter->end();
    finishJob();
    if (toFile) QFile::remove(file);
}
