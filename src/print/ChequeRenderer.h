#pragma once

class FieldLabelSet;
class PrinterService;

// Puts the fields of one cheque on the current printer's page. The labels already
// hold page coordinates (twips from the printable area's top-left); the caller has
// selected the printer and set up the page, and ends the document afterwards.
namespace ChequeRenderer {

// The date fields of the date type when printDate is set (0: the date; 1: the day,
// month and last two year digits; 2: all eight digits), then payee, amount and the
// two word lines. Empty captions take their turn too.
void printChequeFields(PrinterService& printer, int dateType, bool printDate,
                       const FieldLabelSet& labels);
// One field at its position in its own font, followed by a line end.
void printFieldLabel(PrinterService& printer, const FieldLabelSet& labels, int index);

// The labels moved by (dx, dy) twips, in single precision as the labels keep them.
FieldLabelSet shifted(const FieldLabelSet& labels, double dx, double dy);

}  // namespace ChequeRenderer
