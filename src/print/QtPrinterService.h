#pragma once

#include <QMarginsF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "platform/PrinterService.h"

class QPainter;
class QPrinter;
class QTemporaryDir;

// The printer service over Qt PrintSupport and CUPS. A job is drawn with QPainter
// on a QPrinter (high resolution, 100 % scale, origin at the printable area's
// top-left) into a PDF, which the print system receives when the document ends.
// The PDF-file variant writes every job to a file instead and lists made-up printers.
class QtPrinterService final : public PrinterService {
public:
    struct PdfFile {
        QString path;
        // Printable area of the made-up printers: distance from the paper's edges, points.
        QMarginsF margins;
        // The printer list; the first entry is the default printer.
        QStringList names = {QStringLiteral("PDF")};
    };

    // The print system's printers; the default printer is current. The print system
    // is first asked when printing needs it, not at start-up.
    QtPrinterService();
    explicit QtPrinterService(PdfFile pdf);
    ~QtPrinterService() override;

    QStringList printerNames() const override;
    QString currentPrinterName() const override;
    void makeCurrent(int index) override;
    QString defaultPrinterName() const override;

    void setOrientation(int code) override;
    void setPaperA4() override;
    void setFont(const FontSpec& font) override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override;
    double currentY() const override;
    void printText(const QString& text) override;
    void setLineStyle(LineStyle style) override;
    void setLineWidth(int width) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    double pageHeight() const override;
    void newPage() override;
    void setOutputFile(const QString& path) override;
    PrintReceipt endDocument() override;
    void abortDocument() override;

    // PDF-file variant: where the next job is written.
    void setPdfPath(const QString& path);
    // Margins in points between the paper's edges and the printable area of the
    // current printer in the current orientation.
    QMarginsF printableMargins() const;
    // Id the print system gave the last job sent to it (0 before any).
    int lastJobId() const { return m_lastJobId; }

private:
    void beginJobIfNeeded();
    void finishJob();
    double toDevice(double twips) const;

    std::optional<PdfFile> m_pdf;
    mutable QString m_current;
    mutable bool m_currentKnown = false;  // the default printer has been looked up
    int m_orientation = 1;
    FontSpec m_font;
    double m_x = 0;
    double m_y = 0;
    LineStyle m_lineStyle = LineStyle::Solid;
    int m_lineWidth = 1;
    int m_lastJobId = 0;
    QString m_outputFile;  // documents go to this PDF file instead of the printer

    // The job in progress: the printer that receives it (empty when it is written
    // to a file), its PDF and the painter.
    QString m_jobPrinter;
    std::unique_ptr<QTemporaryDir> m_jobDir;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
};
