#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct AppContext;
class Dialogs;
class PrinterService;

// Choosing the printer of a print job by name. A job selects its printer, sets up
// the page, draws, ends the document and restores the printer that was current.
namespace PrinterSelection {

// The pseudo-name of the print system's default printer (compared case-sensitively).
QString defaultName();
// "[Default]" followed by every installed printer in list order, duplicates kept.
QStringList comboItems(const PrinterService& printers);

// The index of the printer list entry whose device name is the default printer's.
std::optional<int> findDefaultPrinter(const PrinterService& printers);
// Makes the named printer current; an unknown name selects the first printer. A
// selection by name first remembers the index of the printer that was current.
// False when no printer can be made current (none installed, or "[Default]" while
// the default printer is not in the list): the job is to be abandoned.
bool selectPrinter(AppContext& context, const QString& printerName);
// Makes the printer at the remembered index current again.
void restorePrinter(AppContext& context);

// Whether `printerName` was one of the installed printers `listed` when a window
// filled its printer list, and the print system has removed it since. Such a job
// is abandoned instead of going to the first printer: the user chose a printer
// that is gone. "[Default]", a name that was never listed (a format's printer not
// installed here) and an empty printer list (the print system is down) are not.
bool removedSinceListed(const PrinterService& printers, const QString& printerName,
                        const QStringList& listed);

// The message for a job that found no printer.
void reportNoPrinter(Dialogs& dialogs);

}  // namespace PrinterSelection
