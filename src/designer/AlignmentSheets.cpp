#include "designer/AlignmentSheets.h"

#include <algorithm>
#include <functional>

#include "designer/ChequeFormatModel.h"
#include "store/LanguageStore.h"
#include "store/SettingsStore.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "core/Units.h"
#include "print/ChequeRenderer.h"
#include "print/DateRendering.h"
#include "core/FieldLabelSet.h"
#include "print/PrinterSelection.h"
#include "words/WordLineSplit.h"

namespace AlignmentSheets {

namespace {

using LineStyle = PrinterService::LineStyle;

// The outline's top edge lies this far down the page on both designer sheets.
constexpr float kOutlineTop = 500.0f;
// Cut lines meet the edges half an inch from the corner.
constexpr float kCut = 720.0f;
// Ruler ticks: a twentieth of an inch apart, the whole-inch tick 375 long.
constexpr float kTickStep = 72.0f;
constexpr double kTickLength = 375.0;
// Ticks end at the A4 sheet's long side: nothing beyond it lands on paper.
constexpr float kSheetLongSide = 16834.0f;

FontSpec arial(float size, bool bold) { return {QStringLiteral("Arial"), size, bold}; }

void printAt(PrinterService& printer, double x, double y, const QString& text) {
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.printText(text);
}

// Top-left and bottom-right corners of the outline cut off by dotted lines.
void drawCutLines(PrinterService& printer, float h, float w) {
    printer.setLineStyle(LineStyle::Dotted);
    printer.drawLine(0, kOutlineTop + kCut, kCut, kOutlineTop);
    printer.drawLine(w - kCut, h + kOutlineTop, w, h + kOutlineTop - kCut);
    printer.setLineStyle(LineStyle::Solid);
}

// "Instruction:" in bold at (0, h + 1000), then the lines below it.
void printInstructions(PrinterService& printer, float h, const QStringList& lines) {
    printer.setFont(arial(11.0f, true));
    printAt(printer, 0, h + 1000.0f, QStringLiteral("Instruction:"));
    printer.setFont(arial(11.0f, false));
    for (const QString& line : lines) printer.printText(line);
}

void printWebAddress(PrinterService& printer) {
    printAt(printer, 0, printer.pageHeight() - 500.0, AppInfo::webAddress());
}

double tickLength(int k) {
    switch (k % 20) {
        case 0:
            return kTickLength;
        case 10:
            return kTickLength * 0.7;
        case 5:
        case 15:
            return kTickLength * 0.4;
        default:
            return kTickLength * 0.2;
    }
}

// A number is printed with a blank for its sign before the digits.
QString inchNumber(int inches) { return QLatin1Char(' ') + QString::number(inches); }

int languageIdOf(AppContext& context, const QString& name) {
    if (const auto language = LanguageStore::findByName(*context.db, name)) return language->id;
    context.dialogs->message(QStringLiteral("Error retrieving Language while saving bank details."),
                             QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                             Dialogs::Buttons::Ok);
    return 1;
}

// The fields as a sample prints them: moved by (dx, dy), the payee and amount
// sample values, today's date and the words of the amount.
FieldLabelSet sampleFields(AppContext& context, const FieldLabelSet& labels,
                           const DesignerTexts& texts, double dx, double dy) {
    FieldLabelSet page = ChequeRenderer::shifted(labels, dx, dy);
    for (int i = FieldDate; i <= FieldWord2; ++i) page[i].alignment = FieldLabel::Alignment::Left;
    const int languageId = languageIdOf(context, texts.languageName);
    page[FieldRecipient].caption = sampleRecipient();
    page[FieldAmount].caption = sampleAmount();
    fillDateLabels(texts.dateType, context.clock->now().date(), texts.dateFormat, page);
    splitAmountWords(*context.db, *context.dialogs, *context.textMeasure, languageId, page);
    return page;
}

// One print job in the order every job keeps. `orientation` 1 or 2 is set; any
// other value leaves the printer's.
bool runJob(AppContext& context, const QString& printerName, int orientation,
            const QString& whatFailed, const std::function<void(PrinterService&)>& draw) {
    Dialogs& dialogs = *context.dialogs;
    if (!PrinterSelection::selectPrinter(context, printerName)) {
        PrinterSelection::reportNoPrinter(dialogs);
        return false;
    }
    PrinterService& printer = *context.printers;
    try {
        if (orientation == 1 || orientation == 2) printer.setOrientation(orientation);
        printer.setPaperA4();
        draw(printer);
        printer.endDocument();
    } catch (const PrintError& error) {
        printer.abortDocument();
        PrinterSelection::restorePrinter(context);
        dialogs.message(whatFailed + QStringLiteral("\r\n") + QString::fromStdString(error.what()),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return false;
    }
    PrinterSelection::restorePrinter(context);
    return true;
}

}  // namespace

QString sampleRecipient() { return QStringLiteral("CHEQUE WRITER"); }
QString sampleAmount() { return QStringLiteral("123,456,789.00"); }

double boxTwips(const QString& inchText) {
    const auto inches = ChequeFormatModel::parseInches(inchText);
    return inches ? *inches * units::kTwipsPerInch : 0.0;
}

QString dateFormatSetting(Database& db) {
    if (const auto settings = SettingsStore::read(db)) return settings->dateFormat;
    return UserSettings{}.dateFormat;
}

DesignerTexts textsOf(AppContext& context, const ChequeFormatModel& model,
                      const QString& bankText) {
    DesignerTexts texts;
    texts.bankText = bankText;
    texts.printerName = model.printerName();
    texts.languageName = model.languageName();
    texts.dateType = model.dateType();
    texts.widthText = model.chequeWidthText();
    texts.heightText = model.chequeHeightText();
    texts.dateFormat = dateFormatSetting(*context.db);
    return texts;
}

bool printDesignerSample(AppContext& context, const FieldLabelSet& labels,
                         const DesignerTexts& texts) {
    const FieldLabelSet page = sampleFields(context, labels, texts, 0.0, kOutlineTop);
    const auto w = static_cast<float>(boxTwips(texts.widthText));
    const auto h = static_cast<float>(boxTwips(texts.heightText));
    return runJob(
        context, texts.printerName, 2, QStringLiteral("The sample sheet was not printed."),
        [&](PrinterService& printer) {
            printer.setFont(arial(11.0f, true));
            printAt(printer, 0, 0, texts.bankText + QStringLiteral(" - Sample Output"));

            printer.setLineWidth(1);
            printer.setLineStyle(LineStyle::Solid);
            const float bottom = h + kOutlineTop;
            printer.drawLine(0, kOutlineTop, w, kOutlineTop);
            printer.drawLine(0, kOutlineTop, 0, bottom);
            printer.drawLine(0, bottom, w, bottom);
            printer.drawLine(w, kOutlineTop, w, bottom);
            drawCutLines(printer, h, w);

            ChequeRenderer::printChequeFields(printer, texts.dateType, true, page);

            printInstructions(
                printer, h,
                {QStringLiteral("1. Cut the dotted line with a small knife"),
                 QStringLiteral("2. Place the cheque beneath this paper. Insert both top-left and "
                                "bottom-right of the corners of the cheque into the hole you just "
                                "cut."),
                 QStringLiteral("3. Hold both cheque and paper up to a light source which will "
                                "shine through both papers."),
                 QStringLiteral("4. Adjust the misaligned word."), QString(),
                 QStringLiteral("Please refer to the manual for more information.")});
            printWebAddress(printer);
        });
}

bool printDesignerSample(AppContext& context, const ChequeFormatModel& model,
                         const QString& bankText) {
    return printDesignerSample(context, model.labels(), textsOf(context, model, bankText));
}

bool printDesignerRuler(AppContext& context, const DesignerTexts& texts) {
    const double w = boxTwips(texts.widthText);
    const double h = boxTwips(texts.heightText);
    return runJob(context, texts.printerName, 2, QStringLiteral("The ruler sheet was not printed."),
                  [&](PrinterService& printer) {
                      printer.setFont(arial(12.0f, true));
                      printAt(printer, 0, 0, texts.bankText);
                      printRulerSheet(printer, h, w);
                  });
}

bool printDesignerRuler(AppContext& context, const ChequeFormatModel& model,
                        const QString& bankText) {
    return printDesignerRuler(context, textsOf(context, model, bankText));
}

bool printLocationSample(AppContext& context, const FieldLabelSet& labels,
                         const DesignerTexts& texts, double top, double left, int orientationCode) {
    const FieldLabelSet page = sampleFields(context, labels, texts, left, top);
    return runJob(context, texts.printerName, orientationCode,
                  QStringLiteral("The sample was not printed."), [&](PrinterService& printer) {
                      ChequeRenderer::printChequeFields(printer, texts.dateType, true, page);
                  });
}

bool printLocationSample(AppContext& context, const ChequeFormatModel& model, double top,
                         double left, int orientationCode) {
    return printLocationSample(context, model.labels(), textsOf(context, model, QString()), top,
                               left, orientationCode);
}

void printRulerSheet(PrinterService& printer, double hTwips, double wTwips) {
    const auto h = static_cast<float>(hTwips);
    const auto w = static_cast<float>(wTwips);
    printer.setLineWidth(1);
    printer.setLineStyle(LineStyle::Solid);
    printer.drawLine(0, kOutlineTop, w, kOutlineTop);
    printer.drawLine(0, kOutlineTop, 0, h + kOutlineTop);
    drawCutLines(printer, h, w);
    drawRulerTicks(printer, h, w);
    printInstructions(
        printer, h,
        {QStringLiteral("1. Cut the dotted line with a small knife."),
         QStringLiteral("2. Place the cheque on top of this paper with the top-left and "
                        "bottom-right corners of the cheque inserted into the hole you just cut."),
         QStringLiteral("3. Measure the words accordingly."), QString(),
         QStringLiteral("Please follow the instruction in the manual to align the word.")});
    printWebAddress(printer);
}

void drawRulerTicks(PrinterService& printer, double hTwips, double wTwips) {
    const auto h = static_cast<float>(hTwips);
    const auto w = static_cast<float>(wTwips);
    printer.setFont({QStringLiteral("Tahoma"), 9.0f, false});
    printer.setLineWidth(1);

    const float bottom = h + kOutlineTop;
    printer.drawLine(0, bottom, w, bottom);
    printAt(printer, 10, h + 600.0f, QStringLiteral("Inch"));
    const float bottomEnd = std::min(w, kSheetLongSide);
    float x = kTickStep;
    for (int k = 1; x < bottomEnd; ++k, x += kTickStep) {
        printer.drawLine(x, bottom, x, bottom + tickLength(k));
        if (k % 20 == 0) printAt(printer, x, h + 600.0f, inchNumber(k / 20));
    }

    printer.drawLine(w, kOutlineTop, w, bottom);
    const float rightEnd = std::min(h, kSheetLongSide);
    float step = kTickStep;
    for (int k = 1; step < rightEnd; ++k, step += kTickStep) {
        const float y = kOutlineTop + step;
        printer.drawLine(w, y, w + tickLength(k), y);
        if (k % 20 == 0) printAt(printer, w + 100.0f, y, inchNumber(k / 20));
    }
}

}  // namespace AlignmentSheets
