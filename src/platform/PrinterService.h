#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

#include "core/FontSpec.h"

// A print job or printer operation that failed; what() is the reason for the user.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the print system gave back for a job it took: the job was completed, or
// accepted by a queue that reported no later state (no stop, cancel or abort).
struct PrintReceipt {
    QString destination;  // the printer's device name, or the PDF file's path
    qint64 jobId = 0;     // the print system's job id; 0 for a file
    bool completed = false;  // the print system already reported the job completed
};

// The installed printers and one print job at a time on the current printer.
// Coordinates are twips from the top-left of the printable area, at 100 % scale.
class PrinterService {
public:
    enum class LineStyle { Solid, Dotted };

    virtual ~PrinterService() = default;

    // Device names of the installed printers, in the print system's order.
    virtual QStringList printerNames() const = 0;
    // Device name of the current printer (empty when there is none).
    virtual QString currentPrinterName() const = 0;
    // Makes printer list entry `index` current.
    virtual void makeCurrent(int index) = 0;
    // Device name of the print system's default printer (empty when there is none).
    virtual QString defaultPrinterName() const = 0;

    // Page set-up of the next job: 1 portrait page, 2 landscape page.
    virtual void setOrientation(int code) = 0;
    virtual void setPaperA4() = 0;

    // Drawing. Text is placed with the top-left of its first character cell at the
    // current position; printText moves the position to the start of the next line.
    virtual void setFont(const FontSpec& font) = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void printText(const QString& text) = 0;
    virtual void setLineStyle(LineStyle style) = 0;
    virtual void setLineWidth(int width) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual double pageHeight() const = 0;

    // Ends the page in progress and starts another one of the same document.
    virtual void newPage() = 0;
    // Documents started from now on are written to this PDF file, laid out exactly
    // as they would go to the current printer, instead of being sent to it; the
    // empty path sends them to the printer again.
    virtual void setOutputFile(const QString& path) = 0;

    // Ends the document and sends the page; returns once the print system has
    // taken the job, or throws PrintError when it failed, was refused, cancelled
    // or stopped. A job in which nothing was drawn returns an empty destination.
    virtual PrintReceipt endDocument() = 0;
    // Drops a job that was started, without sending anything.
    virtual void abortDocument() = 0;
};
