#include "print/PrinterSelection.h"

#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"

namespace PrinterSelection {

QString defaultName() { return QStringLiteral("[Default]"); }

QStringList comboItems(const PrinterService& printers) {
    return QStringList{defaultName()} + printers.printerNames();
}

std::optional<int> findDefaultPrinter(const PrinterService& printers) {
    const QString name = printers.defaultPrinterName();
    if (name.isEmpty()) return std::nullopt;
    const QStringList names = printers.printerNames();
    const qsizetype index = names.indexOf(name);
    if (index < 0) return std::nullopt;
    return static_cast<int>(index);
}

bool selectPrinter(AppContext& context, const QString& printerName) {
    PrinterService& printers = *context.printers;
    if (printerName == defaultName()) {
        const auto index = findDefaultPrinter(printers);
        if (!index) return false;
        printers.makeCurrent(*index);
        return true;
    }

    const QStringList names = printers.printerNames();
    if (names.isEmpty()) return false;
    const qsizetype current = names.indexOf(printers.currentPrinterName());
    if (current >= 0) context.rememberedPrinterIndex = static_cast<std::int16_t>(current);
    const qsizetype found = names.indexOf(printerName);
    printers.makeCurrent(found >= 0 ? static_cast<int>(found) : 0);
    return true;
}

void restorePrinter(AppContext& context) {
    PrinterService& printers = *context.printers;
    const int index = context.rememberedPrinterIndex;
    // A printer removed since the selection leaves the current one as it is.
    if (index >= 0 && index < printers.printerNames().size()) printers.makeCurrent(index);
}

bool removedSinceListed(const PrinterService& printers, const QString& printerName,
                        const QStringList& listed) {
    if (printerName == defaultName() || !listed.contains(printerName)) return false;
    const QStringList names = printers.printerNames();
    return !names.isEmpty() && !names.contains(printerName);
}

void reportNoPrinter(Dialogs& dialogs) {
    dialogs.message(QStringLiteral("No printer is available."), QStringLiteral("Error"),
                    Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
}

}  // namespace PrinterSelection
