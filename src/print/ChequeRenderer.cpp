#include "print/ChequeRenderer.h"

#include <initializer_list>

#include "platform/PrinterService.h"
#include "core/FieldLabelSet.h"

namespace ChequeRenderer {

void printChequeFields(PrinterService& printer, int dateType, bool printDate,
                       const FieldLabelSet& labels) {
    if (printDate) {
        switch (dateType) {
            case 0:
                printFieldLabel(printer, labels, FieldDate);
                break;
            case 1:
                // The first two year digits are not printed.
                for (int i : {FieldSDateD1, FieldSDateD2, FieldSDateM1, FieldSDateM2,
                              FieldSDateY3, FieldSDateY4})
                    printFieldLabel(printer, labels, i);
                break;
            case 2:
                for (int i = FieldSDateD1; i <= FieldSDateY4; ++i)
                    printFieldLabel(printer, labels, i);
                break;
            default:
                break;
        }
    }
    for (int i : {FieldRecipient, FieldAmount, FieldWord1, FieldWord2})
        printFieldLabel(printer, labels, i);
}

void printFieldLabel(PrinterService& printer, const FieldLabelSet& labels, int index) {
    const FieldLabel& label = labels[index];
    printer.setCurrentY(label.top);
    printer.setCurrentX(label.left);
    printer.setFont(label.font);
    printer.printText(label.caption);
}

FieldLabelSet shifted(const FieldLabelSet& labels, double dx, double dy) {
    FieldLabelSet out = labels;
    for (FieldLabel& label : out) {
        label.left = static_cast<float>(label.left + dx);
        label.top = static_cast<float>(label.top + dy);
    }
    return out;
}

}  // namespace ChequeRenderer
