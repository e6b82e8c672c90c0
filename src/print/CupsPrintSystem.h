#pragma once

#include <QString>
#include <QStringList>

// The local print system (CUPS). Printer names are device names as the print
// system lists them, "queue" or "queue/instance". Failures throw PrintError with
// a reason for the user.
namespace CupsPrintSystem {

// The installed printers in the print system's order; empty when it is down.
QStringList printerNames();
// The default printer's device name; empty when there is none.
QString defaultPrinterName();

// Throws unless the printer exists, is not stopped and accepts jobs.
void checkReady(const QString& printerName);
struct SentJob {
    int id = 0;
    bool completed = false;  // the job had already completed when it was last asked about
};
// Sends a PDF file to the printer and returns the job. Throws when the print
// system refuses the job or stops or cancels it at once.
SentJob printPdf(const QString& printerName, const QString& pdfPath, const QString& title);

}  // namespace CupsPrintSystem
