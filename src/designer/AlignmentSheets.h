#pragma once

#include <QString>

class ChequeFormatModel;
class Database;
class FieldLabelSet;
class PrinterService;
struct AppContext;

// The printed alignment aids: the designer's sample sheet (outline, cut lines,
// the fields filled with sample values 500 twips down, instructions), its ruler
// sheet (outline, cut lines, inch rulers along the bottom and right edges) and
// the location window's sample (the fields alone at the cheque's offsets).
//
// They print a copy of the designer's field labels, so the working copy keeps
// every caption, position and alignment whatever happens to the job. A job
// selects the printer, sets the orientation and A4, draws, ends the document and
// restores the printer. Returns true when the page was sent; without a printer,
// or when the print job fails, the reason is shown and false returned. The
// language lookup and the words read the database before anything is printed
// and throw DbError.
namespace AlignmentSheets {

// What the sheets read of the designer besides its field labels.
struct DesignerTexts {
    QString bankText;      // the bank list's text: the sheets' heading
    QString printerName;   // the printer list's text, "[Default]" or a device name
    QString languageName;  // the language of the words
    int dateType = 0;      // the date-style list's index
    QString widthText;     // cheque width box, inches
    QString heightText;    // cheque height box, inches
    QString dateFormat;    // the date style of the options
};

// The texts of the working copy; the date style is the options' one as stored
// in the Settings row. Throws DbError.
DesignerTexts textsOf(AppContext& context, const ChequeFormatModel& model, const QString& bankText);
// The options' date style from the Settings row ("dd mmm yyyy" without a row).
QString dateFormatSetting(Database& db);

// A size box read as twips: the number of inches times 1440; a text that is no
// number counts as 0.
double boxTwips(const QString& inchText);

// The designer's "Print Sample".
bool printDesignerSample(AppContext& context, const FieldLabelSet& labels,
                         const DesignerTexts& texts);
bool printDesignerSample(AppContext& context, const ChequeFormatModel& model,
                         const QString& bankText);

// The designer's "Print Ruler".
bool printDesignerRuler(AppContext& context, const DesignerTexts& texts);
bool printDesignerRuler(AppContext& context, const ChequeFormatModel& model,
                        const QString& bankText);

// The location window's "Print Sample": the fields moved by `left` and `top`
// twips. Orientation code 1 (upright page) or 2 (turned page); any other code
// leaves the printer's orientation as it is.
bool printLocationSample(AppContext& context, const FieldLabelSet& labels,
                         const DesignerTexts& texts, double top, double left, int orientationCode);
bool printLocationSample(AppContext& context, const ChequeFormatModel& model, double top,
                         double left, int orientationCode);

// Drawing on the current page (h and w: the cheque's height and width in twips).
// The outline's top and left edges, the two cut lines, the rulers and the
// instructions with the web address at the foot.
void printRulerSheet(PrinterService& printer, double h, double w);
// The bottom and right edges with their ticks every twentieth of an inch and the
// inch numbers.
void drawRulerTicks(PrinterService& printer, double h, double w);

// The sample values.
QString sampleRecipient();
QString sampleAmount();

}  // namespace AlignmentSheets
