#include "ui/preview/PrintPreviewDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>

#include "batch/ChequePdf.h"
#include "print/ChequePage.h"
#include "core/AmountText.h"
#include "core/ChequeNumber.h"
#include "platform/AppInfo.h"
#include "print/ChequeRecorder.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/DbError.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "core/Units.h"
#include "print/ChequeRenderer.h"
#include "print/DateRendering.h"
#include "print/PrinterSelection.h"
#include "ui/UiErrors.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"
#include "words/WordLineSplit.h"

namespace {

const QString kUpperCase = QStringLiteral("UPPER CASE");
const QString kProperCase = QStringLiteral("Proper Case");

QFont screenFont(const FontSpec& wanted) {
    QFont font(wanted.face);
    font.setPointSizeF(wanted.size > 0 ? wanted.size : 1.0);
    font.setBold(wanted.bold);
    return font;
}

int toPixelsX(double twips) {
    return static_cast<int>(std::lround(units::twipsToPixels(twips, units::screenDpiX())));
}
int toPixelsY(double twips) {
    return static_cast<int>(std::lround(units::twipsToPixels(twips, units::screenDpiY())));
}

// A sheet of paper with a cheque on it, upright or on its side.
QPixmap orientationPicture(bool portraitPage) {
    const QSize size(56, 56);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page = portraitPage ? QRectF(12, 2, 32, 46) : QRectF(2, 10, 52, 36);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(page);
    const QRectF cheque(page.left() + 4, page.top() + 4, page.width() - 8, page.height() * 0.42);
    p.setBrush(QColor(255, 255, 200));
    p.drawRect(cheque);
    p.setPen(QPen(Qt::darkGray, 1));
    for (int i = 1; i <= 2; ++i) {
        const double y = cheque.top() + cheque.height() * i / 3.0;
        p.drawLine(QPointF(cheque.left() + 3, y), QPointF(cheque.right() - 3, y));
    }
    return pixmap;
}

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(AppContext& context, const ChequeRequest& request,
                                       const UserSettings& settings, QWidget* parent)
    : QDialog(parent), m_context(context), m_request(request), m_settings(settings) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));

    static const char* const kDesignCaptions[5] = {"- Date -", "- Recipient -", "- Amount -",
                                                    "-Amount in Word #1 -",
                                                    "- Amount in Word #2 -"};
    for (int i = 0; i < kFieldCount; ++i) {
        FieldLabel& label = m_labels[i];
        label.height = kLabelHeight;
        label.alignment = FieldLabel::Alignment::Left;
        if (i < 5) label.caption = QString::fromLatin1(kDesignCaptions[i]);
    }
    buildUi();
    showLabels();
}

void PrintPreviewDialog::buildUi() {
    auto* root = new QVBoxLayout(this);

    m_lblTitle = new QLabel(QStringLiteral("Print Preview - "), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    QPalette titlePalette = m_lblTitle->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_lblTitle->setPalette(titlePalette);
    m_lblTitle->setTextFormat(Qt::PlainText);
    root->addWidget(m_lblTitle);

    // The cheque at true size; fields beyond its edges are cut off here but printed.
    m_picCheque = new QWidget(this);
    m_picCheque->setObjectName(QStringLiteral("picCheque"));
    m_picCheque->setFixedSize(toPixelsX(kPictureWidth), toPixelsY(kPictureHeight));
    m_picCheque->setAutoFillBackground(true);
    QPalette chequePalette = m_picCheque->palette();
    chequePalette.setColor(QPalette::Window, QColor(255, 255, 225));
    chequePalette.setColor(QPalette::WindowText, Qt::black);
    m_picCheque->setPalette(chequePalette);
    for (int i = 0; i < kFieldCount; ++i) {
        auto* label = new QLabel(m_picCheque);
        label->setObjectName(QStringLiteral("ChequeLabel%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_chequeLabel[static_cast<size_t>(i)] = label;
    }
    root->addWidget(m_picCheque, 0, Qt::AlignLeft);

    auto* bottom = new QHBoxLayout;

    m_framePrintSettings = new QGroupBox(QStringLiteral("Print Settings"), this);
    m_framePrintSettings->setObjectName(QStringLiteral("framePrintSettings"));
    auto* settings = new QGridLayout(m_framePrintSettings);
    auto* lblLanguage = new QLabel(QStringLiteral("Language:"), m_framePrintSettings);
    lblLanguage->setObjectName(QStringLiteral("lblLanguage"));
    m_cboLanguage = new QComboBox(m_framePrintSettings);
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_cboLanguage->setMinimumWidth(200);
    lblLanguage->setBuddy(m_cboLanguage);
    auto* lblPrinterName = new QLabel(QStringLiteral("Printer Name:"), m_framePrintSettings);
    lblPrinterName->setObjectName(QStringLiteral("lblPrinterName"));
    // Editable: a format's printer need not be installed, and its name is shown.
    m_cboPrinterName = new QComboBox(m_framePrintSettings);
    m_cboPrinterName->setObjectName(QStringLiteral("cboPrinterName"));
    m_cboPrinterName->setEditable(true);
    m_cboPrinterName->setInsertPolicy(QComboBox::NoInsert);
    m_cboPrinterName->setMinimumWidth(200);
    lblPrinterName->setBuddy(m_cboPrinterName);

    // The pictures show the sheet as it prints: the Landscape choice on an upright
    // page, the Portrait choice on a page on its side.
    m_frameOrientation = new QGroupBox(QStringLiteral("Orientation"), m_framePrintSettings);
    m_frameOrientation->setObjectName(QStringLiteral("frameOrientation"));
    auto* orientation = new QHBoxLayout(m_frameOrientation);
    m_imgLandscape = new QLabel(m_frameOrientation);
    m_imgLandscape->setObjectName(QStringLiteral("imgLandscape"));
    m_imgLandscape->setPixmap(orientationPicture(true));
    m_imgPortrait = new QLabel(m_frameOrientation);
    m_imgPortrait->setObjectName(QStringLiteral("imgPortrait"));
    m_imgPortrait->setPixmap(orientationPicture(false));
    m_imgPortrait->hide();
    orientation->addWidget(m_imgLandscape, 0, Qt::AlignCenter);
    orientation->addWidget(m_imgPortrait, 0, Qt::AlignCenter);

    auto* lblChequeNo = new QLabel(QStringLiteral("Cheque &No.:"), m_framePrintSettings);
    lblChequeNo->setObjectName(QStringLiteral("lblChequeNo"));
    // Digits only, leading zeros kept: the number as the cheque book prints it.
    m_txtChequeNo = new QLineEdit(m_framePrintSettings);
    m_txtChequeNo->setObjectName(QStringLiteral("txtChequeNo"));
    m_txtChequeNo->setMaxLength(ChequeNumber::kMaxDigits);
    m_txtChequeNo->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,12}")), m_txtChequeNo));
    m_txtChequeNo->setAccessibleName(QStringLiteral("Cheque number"));
    lblChequeNo->setBuddy(m_txtChequeNo);

    settings->addWidget(lblLanguage, 0, 0);
    settings->addWidget(m_cboLanguage, 0, 1);
    settings->addWidget(lblPrinterName, 1, 0);
    settings->addWidget(m_cboPrinterName, 1, 1);
    settings->addWidget(lblChequeNo, 2, 0);
    settings->addWidget(m_txtChequeNo, 2, 1);
    settings->addWidget(m_frameOrientation, 0, 2, 3, 1);
    settings->setColumnStretch(1, 1);

    m_frameCase = new QGroupBox(QStringLiteral("Case"), this);
    m_frameCase->setObjectName(QStringLiteral("frameCase"));
    auto* caseLayout = new QVBoxLayout(m_frameCase);
    m_optUpperCase = new QRadioButton(kUpperCase, m_frameCase);
    m_optUpperCase->setObjectName(QStringLiteral("optUpperCase"));
    m_optProperCase = new QRadioButton(kProperCase, m_frameCase);
    m_optProperCase->setObjectName(QStringLiteral("optProperCase"));
    caseLayout->addWidget(m_optUpperCase);
    caseLayout->addWidget(m_optProperCase);
    caseLayout->addStretch(1);

    m_cmdBack = new QPushButton(QStringLiteral("  Back"), this);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdPrint = new QPushButton(QStringLiteral("  Print"), this);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdSavePdf = new QPushButton(QStringLiteral("Save as P&DF…"), this);
    m_cmdSavePdf->setObjectName(QStringLiteral("cmdSavePdf"));
    for (QPushButton* button : {m_cmdBack, m_cmdPrint, m_cmdSavePdf}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(100);
    }
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdPrint);
    buttons->addWidget(m_cmdSavePdf);
    buttons->addWidget(m_cmdBack);
    buttons->addStretch(1);

    m_lblChequeHeight = new QLabel(this);
    m_lblChequeHeight->setObjectName(QStringLiteral("lblChequeHeight"));
    m_lblChequeHeight->hide();
    m_lblWordTemp = new QLabel(this);
    m_lblWordTemp->setObjectName(QStringLiteral("lblWordTemp"));
    m_lblWordTemp->hide();

    bottom->addWidget(m_framePrintSettings, 1);
    bottom->addWidget(m_frameCase);
    bottom->addLayout(buttons);
    root->addLayout(bottom);
    root->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_cboLanguage, m_cboPrinterName);
    setTabOrder(m_cboPrinterName, m_txtChequeNo);
    setTabOrder(m_txtChequeNo, m_optUpperCase);
    setTabOrder(m_optUpperCase, m_optProperCase);
    setTabOrder(m_optProperCase, m_cmdPrint);
    setTabOrder(m_cmdPrint, m_cmdSavePdf);
    setTabOrder(m_cmdSavePdf, m_cmdBack);

    connect(m_cboLanguage, &QComboBox::currentIndexChanged, this,
            &PrintPreviewDialog::changeLanguage);
    // Follows the option however it was changed (click, arrow keys, an assistive
    // toggle); one of the two always changes, so one connection sees every switch.
    connect(m_optProperCase, &QRadioButton::toggled, this, &PrintPreviewDialog::changeWordCase);
    connect(m_cmdPrint, &QPushButton::clicked, this, &PrintPreviewDialog::print);
    connect(m_cmdSavePdf, &QPushButton::clicked, this, &PrintPreviewDialog::saveAsPdf);
    connect(m_cmdBack, &QPushButton::clicked, this, &PrintPreviewDialog::goBack);
}

bool PrintPreviewDialog::load() {
    Database& db = *m_context.db;
    Dialogs& dialogs = *m_context.dialogs;
    m_loaded = false;

    const std::vector<Language> languages = LanguageStore::list(db);
    m_cboLanguage->clear();
    for (const Language& language : languages) m_cboLanguage->addItem(language.name);
    m_cboLanguage->setCurrentIndex(languages.empty() ? -1 : 0);

    m_cboPrinterName->clear();
    m_listedPrinters = m_context.printers->printerNames();
    m_cboPrinterName->addItem(PrinterSelection::defaultName());
    m_cboPrinterName->addItems(m_listedPrinters);

    (m_settings.wordCase == kUpperCase ? m_optUpperCase : m_optProperCase)->setChecked(true);

    const auto format = ChequeFormatStore::findByCode(db, m_request.bankCode);
    if (!format) {
        dialogs.message(QStringLiteral("Error retrieving Bank's cheque data. Try again."),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return false;
    }
    m_format = *format;
    m_txtChequeNo->setText(ChequeNumberStore::next(db, m_format.bankCode));

    if (m_request.printDate) {
        fillDateLabels(m_format.dateType, m_request.date, m_settings.dateFormat, m_labels);
    } else {
        m_labels[FieldDate].visible = false;
        for (int i = FieldSDateD1; i <= FieldSDateY4; ++i) m_labels[i].visible = false;
    }
    m_labels[FieldRecipient].caption = m_request.payee;
    m_labels[FieldAmount].caption = m_request.amountText;
    m_lblChequeHeight->setText(QString::number(m_format.chequeHeight, 'g', 15));

    loadFormatIntoPreview();
    if (m_language) {
        splitAmountWords(db, dialogs, *m_context.textMeasure, m_language->id, m_labels);
    } else {
        m_labels[FieldWord1].caption.clear();
        m_labels[FieldWord2].caption.clear();
    }

    m_imgLandscape->setVisible(m_orientationCode == 1);
    m_imgPortrait->setVisible(m_orientationCode != 1);

    m_loaded = true;
    applyWordCase();
    showLabels();
    return true;
}

void PrintPreviewDialog::loadFormatIntoPreview() {
    Database& db = *m_context.db;
    m_lblTitle->setText(QStringLiteral("Print Preview - ") + m_format.bankName);

    if (const auto language = LanguageStore::findById(db, m_format.amountLanguage)) {
        m_language = language;
        const int index = m_cboLanguage->findText(language->name, Qt::MatchFixedString |
                                                                      Qt::MatchCaseSensitive);
        if (index >= 0) m_cboLanguage->setCurrentIndex(index);
    } else {
        m_context.dialogs->message(
            QStringLiteral("Error retrieving Language while Retrieving Bank Details"),
            QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        // The words are spelled in the first language, which the list shows.
        const std::vector<Language> languages = LanguageStore::list(db);
        m_language = languages.empty() ? std::nullopt : std::optional(languages.front());
    }

    const int printer = m_cboPrinterName->findText(
        m_format.printerName, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (printer >= 0) m_cboPrinterName->setCurrentIndex(printer);
    m_cboPrinterName->setEditText(m_format.printerName);

    m_orientationCode = m_format.orientationCode();

    ChequePage::placeFields(m_format, m_labels);
    m_chequeTop = m_format.chequeTop;
    m_chequeLeft = m_format.chequeLeft;
    showLabels();
}

void PrintPreviewDialog::applyWordCase() {
    if (!m_loaded) return;
    // The payee is re-cased from what the user typed: Proper Case keeps every letter
    // but the first of each word as typed (a name such as McDonald stays as it is).
    const bool proper = m_optProperCase->isChecked();
    m_labels[FieldRecipient].caption =
        proper ? toProperCaseName(m_request.payee) : toUpperCase(m_request.payee);
    respellWords();
}

void PrintPreviewDialog::respellWords() {
    QString words;
    if (m_language)
        words = amountToWords(*m_context.db, *m_context.dialogs, m_request.amountText,
                              m_language->id);
    words = m_optUpperCase->isChecked() ? toUpperCase(words) : toProperCase(words);

    const FontSpec& word1Font = m_format.fonts.at(FieldWord1);
    m_lblWordTemp->setText(words);
    m_lblWordTemp->setFont(screenFont(word1Font));
    const WordLines lines = splitWordLines(words, word1Font, m_format.fields.at(FieldWord1).width,
                                           *m_context.textMeasure);
    m_labels[FieldWord1].caption = lines.line1;
    m_labels[FieldWord2].caption = lines.line2;
    showLabels();
}

void PrintPreviewDialog::showLabels() {
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldLabel& field = m_labels[i];
        QLabel* label = m_chequeLabel[static_cast<size_t>(i)];
        label->setText(field.caption);
        label->setFont(screenFont(field.font));
        label->setGeometry(toPixelsX(field.left), toPixelsY(field.top), toPixelsX(field.width),
                           toPixelsY(field.height));
        label->setVisible(field.visible);
    }
}

QString PrintPreviewDialog::selectedCaseCaption() const {
    return m_optUpperCase->isChecked() ? m_optUpperCase->text() : m_optProperCase->text();
}

void PrintPreviewDialog::changeLanguage() {
    if (!m_loaded) return;
    try {
        const auto language = LanguageStore::findByName(*m_context.db, m_cboLanguage->currentText());
        if (!language) {
            m_context.dialogs->message(
                QStringLiteral("Error retrieving Language while Changing Language option"),
                QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
            return;
        }
        m_language = language;
        respellWords();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void PrintPreviewDialog::changeWordCase() {
    try {
        applyWordCase();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void PrintPreviewDialog::print() {
    Dialogs& dialogs = *m_context.dialogs;
    PrinterService& printer = *m_context.printers;
    ChequeRecorder recorder(*m_context.db, *m_context.clock);
    const QString chequeNumber = m_txtChequeNo->text();
    if (!confirmChequeNumber(chequeNumber)) return;

    const QString printerName = m_cboPrinterName->currentText();
    if (PrinterSelection::removedSinceListed(printer, printerName, m_listedPrinters)) {
        dialogs.message(QStringLiteral("The cheque was not printed.\r\nThe printer \"") +
                            printerName + QStringLiteral("\" is no longer installed."),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return;
    }
    if (!PrinterSelection::selectPrinter(m_context, printerName)) {
        PrinterSelection::reportNoPrinter(dialogs);
        return;
    }

    // The register keeps the cheque as it is printed.
    RegisterEntry cheque = ChequePage::registerEntry(m_format, m_labels, m_request.printDate,
                                                     m_request.date, chequeNumber);
    cheque.destination = printer.currentPrinterName();
    try {
        recorder.record(cheque, [&] {
            // The page positions are worked out on a copy, so a failed job leaves
            // the preview as it was for another try.
            ChequePage::draw(printer, m_format, m_labels, m_request.printDate);
            return printer.endDocument();
        });
    } catch (const PrintError& error) {
        printer.abortDocument();
        PrinterSelection::restorePrinter(m_context);
        dialogs.message(QStringLiteral("The cheque was not printed.\r\n") +
                            QString::fromStdString(error.what()),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return;
    } catch (const DbError& error) {
        // Either nothing was sent (the entry could not be written), or the job
        // went out and its entry stays pending for the next start to settle.
        printer.abortDocument();
        PrinterSelection::restorePrinter(m_context);
        showDbError(dialogs, error);
        return;
    }
    PrinterSelection::restorePrinter(m_context);

    m_outcome.printed = true;
    accept();
}


// The page the printer would get, written to a PDF file: laid out for the chosen
// printer by the same renderer, and recorded in the register with the file.
void PrintPreviewDialog::saveAsPdf() {
    Dialogs& dialogs = *m_context.dialogs;
    PrinterService& printer = *m_context.printers;
    const QString number = m_txtChequeNo->text();
    if (!confirmChequeNumber(number)) return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const auto path = dialogs.saveFileName(
        QStringLiteral("Save as PDF"),
        QDir(folder).filePath(ChequePdf::suggestedName(m_format.bankCode, number, m_request.payee)),
        QStringLiteral("PDF files (*.pdf)"));
    if (!path) return;

    // Laid out for the chosen printer; with no printer installed at all, on the
    // whole sheet.
    const QString printerName = m_cboPrinterName->currentText();
    const bool anyPrinter = !printer.printerNames().isEmpty();
    if (PrinterSelection::removedSinceListed(printer, printerName, m_listedPrinters)) {
        dialogs.message(QStringLiteral("The cheque was not saved.\r\nThe printer \"") + printerName +
                            QStringLiteral("\" is no longer installed."),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return;
    }
    if (anyPrinter && !PrinterSelection::selectPrinter(m_context, printerName)) {
        PrinterSelection::reportNoPrinter(dialogs);
        return;
    }
    try {
        ChequeRecorder recorder(*m_context.db, *m_context.clock);
        const RegisterEntry entry =
            ChequePage::registerEntry(m_format, m_labels, m_request.printDate, m_request.date, number);
        recorder.record(entry, [&] {
            ChequePdf::write(printer, *path, 1, [&](int) {
                ChequePage::draw(printer, m_format, m_labels, m_request.printDate);
            });
            PrintReceipt receipt;
            receipt.destination = QFileInfo(*path).absoluteFilePath();
            receipt.completed = true;
            return receipt;
        });
    } catch (const PrintError& error) {
        if (anyPrinter) PrinterSelection::restorePrinter(m_context);
        dialogs.message(QStringLiteral("The cheque was not saved.\r\n") +
                            QString::fromStdString(error.what()),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return;
    } catch (const DbError& error) {
        if (anyPrinter) PrinterSelection::restorePrinter(m_context);
        showDbError(dialogs, error);
        return;
    }
    if (anyPrinter) PrinterSelection::restorePrinter(m_context);
    m_outcome.printed = true;
    accept();
}

bool PrintPreviewDialog::confirmChequeNumber(const QString& number) {
    try {
        const ChequeRecorder recorder(*m_context.db, *m_context.clock);
        const auto question = recorder.duplicateQuestion(m_format.bankCode, number);
        return !question || m_context.dialogs->message(*question, AppInfo::title(),
                                                       Dialogs::Icon::None,
                                                       Dialogs::Buttons::YesNo) ==
                                Dialogs::Answer::Yes;
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
}

void PrintPreviewDialog::goBack() { reject(); }

void PrintPreviewDialog::done(int result) {
    if (!m_closed) {
        m_closed = true;
        m_outcome.wordCase = selectedCaseCaption();
    }
    QDialog::done(result);
}
