#include "print/ChequePage.h"

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
    return SplitWordLines(inCase(words, properCase), format.fonts.at(FieldWord1),
                          format.fields.at(FieldWord1).width, measure);
}

FieldLabelSet labels(const ChequeFormat& format, const Content& content,
                     const TextMeasure& measure) {
    FieldLabelSet set;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldGeometry& geometry = format.fields.at(static_cast<size_t>(i));
        FieldLabel& label = set[i];
        label.left = geometry.left;
        label.top = geometry.top;
        label.width = geometry.width;
        label.font = format.fontOf(i);
        label.alignment = FieldLabel::Alignment::Left;
    }
    if (content.printDate) {
        FillDateLabels(format.dateType, content.date, content.dateStyle, set);
    } else {
        set[FieldDate].visible = false;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) set[i].visible = false;
    }
    set[FieldRecipient].caption = inCase(content.payee, content.properCase);
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
    ChequeRenderer::PrintChequeFields(printer, format.dateType, printDate, page);
}

}  // namespace ChequePage
