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
// Sends a PDF file to the printer and returns the job id. Throws when the print
// system refuses the job or stops or cancels it at once.
int printPdf(const QString& printerName, const QString& pdfPath, const QString& title);

}  // namespace CupsPrintSystem
