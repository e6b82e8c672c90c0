#pragma once

#include <QDate>
#include <QString>


#include "core/FieldLabelSet.h"
#include "store/RegisterEntry.h"
#include "words/WordLineSplit.h"

struct ChequeFormat;
class PrinterService;
class TextMeasure;

// One cheque as it is printed: the format's fields filled with the payee, the
// amount, its words and the date, in the letter case the user chose.
namespace ChequePage {

struct Content {
    QString payee;
    QString amount;  // as the amount box shows it: "###,###,##0.00"
    QString words;   // the amount in words as spelled, before the letter case
    QDate date;
    bool printDate = true;
    QString dateStyle;         // the user's date style, such as "dd mmm yyyy"
    bool properCase = false;   // "Proper Case" rather than "UPPER CASE"
};

// Puts each label at its field's stored position and width, in its stored font.
void placeFields(const ChequeFormat& format, FieldLabelSet& labels);

// The field labels at the format's positions (not yet moved by the cheque's
// offsets), in the format's fonts, with the captions as they print: payee and
// word lines in the chosen case, the words split over the two lines in Word1's
// font and width.
FieldLabelSet labels(const ChequeFormat& format, const Content& content,
                     const TextMeasure& measure);

// The two word lines exactly as `labels` puts them on the cheque.
WordLines wordLines(const ChequeFormat& format, const QString& words, bool properCase,
                        const TextMeasure& measure);

// Draws the cheque on the current job of `printer`: orientation, A4 paper and the
// fields moved by the cheque's offsets. The caller ends the document (or starts
// the next page).
void draw(PrinterService& printer, const ChequeFormat& format, const FieldLabelSet& labels,
          bool printDate);

// The register entry of the cheque `labels` print, before it is recorded: bank,
// number, payee, amount and word lines exactly as printed, and the cheque's date
// (ISO, as the preview records it) when it is printed.
RegisterEntry registerEntry(const ChequeFormat& format, const FieldLabelSet& labels,
                            bool printDate, const QDate& date, const QString& chequeNumber);

}  // namespace ChequePage
