#include "print/ChequePage.h"

#include "core/AmountText.h"
#include "core/ChequeFormat.h"
#include "platform/PrinterService.h"
#include "print/ChequeRenderer.h"
#include "print/DateRendering.h"
#include "words/TextHelpers.h"

namespace ChequePage {

namespace {

QString inCase(const QString& text, bool properCase) {
    return properCase ? toProperCase(text) : toUpperCase(text);
}

}  // namespace

WordLines wordLines(const ChequeFormat& format, const QString& words, bool properCase,
                    const TextMeasure& measure) {
    return splitWordLines(inCase(words, properCase), format.fonts.at(FieldWord1),
                          format.fields.at(FieldWord1).width, measure);
}

void placeFields(const ChequeFormat& format, FieldLabelSet& labels) {
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldGeometry& geometry = format.fields.at(static_cast<size_t>(i));
        FieldLabel& label = labels[i];
        label.left = geometry.left;
        label.top = geometry.top;
        label.width = geometry.width;
        label.font = format.fontOf(i);
    }
}

FieldLabelSet labels(const ChequeFormat& format, const Content& content,
                     const TextMeasure& measure) {
    FieldLabelSet set;
    placeFields(format, set);
    for (int i = 0; i < kFieldCount; ++i) set[i].alignment = FieldLabel::Alignment::Left;
    if (content.printDate) {
        fillDateLabels(format.dateType, content.date, content.dateStyle, set);
    } else {
        set[FieldDate].visible = false;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) set[i].visible = false;
    }
    // Proper Case keeps a name's other letters as typed (McDonald stays McDonald).
    set[FieldRecipient].caption =
        content.properCase ? toProperCaseName(content.payee) : toUpperCase(content.payee);
    set[FieldAmount].caption = content.amount;
    const WordLines lines = wordLines(format, content.words, content.properCase, measure);
    set[FieldWord1].caption = lines.line1;
    set[FieldWord2].caption = lines.line2;
    return set;
}

void draw(PrinterService& printer, const ChequeFormat& format, const FieldLabelSet& labels,
          bool printDate) {
    printer.setOrientation(format.orientationCode());
    const FieldLabelSet page = ChequeRenderer::shifted(labels, format.chequeLeft, format.chequeTop);
    printer.setPaperA4();
    ChequeRenderer::printChequeFields(printer, format.dateType, printDate, page);
}

RegisterEntry registerEntry(const ChequeFormat& format, const FieldLabelSet& labels,
                            bool printDate, const QDate& date, const QString& chequeNumber) {
    RegisterEntry entry;
    entry.bankCode = format.bankCode;
    entry.bankName = format.bankName;
    entry.chequeNumber = chequeNumber;
    entry.payee = labels[FieldRecipient].caption;
    entry.amountText = labels[FieldAmount].caption;
    entry.amountCents = AmountText::toCents(entry.amountText).value_or(0);
    entry.wordLine1 = labels[FieldWord1].caption;
    entry.wordLine2 = labels[FieldWord2].caption;
    if (printDate) entry.chequeDate = date.toString(Qt::ISODate);
    return entry;
}

}  // namespace ChequePage
