#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "batch/BatchSetup.h"
#include "core/AmountText.h"
#include "core/ChequeEntryRules.h"
#include "store/BankList.h"
#include "store/CompanyStore.h"
#include "store/DbError.h"
#include "store/SettingsStore.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui/UiErrors.h"
#include "ui/batch/BatchWindow.h"
#include "ui/designer/FormatDesigner.h"
#include "ui/options/OptionsDialog.h"
#include "ui/preview/PrintPreviewDialog.h"
#include "ui/register/RegisterWindow.h"
#include "words/AmountToWords.h"
#include "words/TextHelpers.h"

MainWindow::MainWindow(AppContext& context, QWidget* parent) : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvanta - Solo Edition"));
    buildUi();
}

void MainWindow::buildUi() {
    auto* root = new QHBoxLayout(this);

    m_frameCheque = new QGroupBox(QStringLiteral("Cheque"), this);
    m_frameCheque->setObjectName(QStringLiteral("frameCheque"));
    auto* grid = new QGridLayout(m_frameCheque);

    auto makeLabel = [this](const char* name, const char* text) {
        auto* label = new QLabel(QString::fromUtf8(text), m_frameCheque);
        label->setObjectName(QString::fromUtf8(name));
        return label;
    };

    m_lblBankerCheque = makeLabel("lblBankerCheque", "Select banker's cheque:");
    m_cboBank = new QComboBox(m_frameCheque);
    m_cboBank->setObjectName(QStringLiteral("cboBank"));
    m_cboBank->setEditable(false);
    m_cboBank->setMinimumWidth(300);

    m_lblPayTo = makeLabel("lblPayTo", "Pay To:");
    m_cboRecipient = new QComboBox(m_frameCheque);
    m_cboRecipient->setObjectName(QStringLiteral("cboRecipient"));
    m_cboRecipient->setEditable(true);
    m_cboRecipient->setInsertPolicy(QComboBox::NoInsert);
    m_cboRecipient->setToolTip(QStringLiteral("Payee's name"));
    // Sized by the layout, not by the longest payee (a long name would widen the
    // window past the screen).
    m_cboRecipient->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboRecipient->setMinimumContentsLength(20);
    // The payee is exactly what was typed or picked: suggestions come in a list the
    // user picks from, never completed into the box, and a stored name is taken
    // for the typed text only when it matches it letter for letter.
    m_cboRecipient->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_cboRecipient->completer()->setCaseSensitivity(Qt::CaseSensitive);

    m_lblAmount = makeLabel("lblAmount", "Amount:");
    m_txtAmount = new QLineEdit(m_frameCheque);
    m_txtAmount->setObjectName(QStringLiteral("txtAmount"));
    m_txtAmount->setToolTip(QStringLiteral("Amount pay to payee"));
    m_txtAmount->setAlignment(Qt::AlignRight);
    m_txtAmount->installEventFilter(this);

    m_lblDate = makeLabel("lblDate", "Date:");
    m_datePicker = new QDateEdit(m_frameCheque);
    m_datePicker->setObjectName(QStringLiteral("DatePicker"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("d/M/yyyy"));

    m_chkPrintDate = new QCheckBox(QStringLiteral("Print date"), m_frameCheque);
    m_chkPrintDate->setObjectName(QStringLiteral("chkPrintDate"));

    for (QLabel* label : {m_lblBankerCheque, m_lblPayTo, m_lblAmount, m_lblDate})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblBankerCheque->setBuddy(m_cboBank);
    m_lblPayTo->setBuddy(m_cboRecipient);
    m_lblAmount->setBuddy(m_txtAmount);
    m_lblDate->setBuddy(m_datePicker);

    grid->addWidget(m_lblBankerCheque, 0, 0);
    grid->addWidget(m_cboBank, 0, 1, 1, 2);
    grid->addWidget(m_lblPayTo, 1, 0);
    grid->addWidget(m_cboRecipient, 1, 1, 1, 2);
    grid->addWidget(m_lblAmount, 2, 0);
    grid->addWidget(m_txtAmount, 2, 1);
    grid->addWidget(m_lblDate, 3, 0);
    grid->addWidget(m_datePicker, 3, 1);
    grid->addWidget(m_chkPrintDate, 3, 2);
    grid->setColumnStretch(1, 1);

    m_cmdPrint = new QPushButton(QStringLiteral("  Print"), this);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdPrint->setDefault(true);
    m_cmdEditCheque = new QPushButton(QStringLiteral("Edit Cheques"), this);
    m_cmdEditCheque->setObjectName(QStringLiteral("cmdEditCheque"));
    m_cmdEditCheque->setToolTip(QStringLiteral("Cheque book adjustment"));
    m_cmdOption = new QPushButton(QStringLiteral("Options"), this);
    m_cmdOption->setObjectName(QStringLiteral("cmdOption"));
    m_cmdRegister = new QPushButton(QStringLiteral("&Register"), this);
    m_cmdRegister->setObjectName(QStringLiteral("cmdRegister"));
    m_cmdRegister->setToolTip(QStringLiteral("Every cheque printed"));
    m_cmdBatch = new QPushButton(QStringLiteral("&Batch…"), this);
    m_cmdBatch->setObjectName(QStringLiteral("cmdBatch"));
    m_cmdBatch->setToolTip(QStringLiteral("Print many cheques from a CSV file"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdPrint);
    buttons->addWidget(m_cmdEditCheque);
    buttons->addWidget(m_cmdOption);
    buttons->addWidget(m_cmdRegister);
    buttons->addWidget(m_cmdBatch);
    buttons->addStretch(1);

    root->addWidget(m_frameCheque, 1);
    root->addLayout(buttons);

    setTabOrder(m_cboBank, m_cboRecipient);
    setTabOrder(m_cboRecipient, m_txtAmount);
    setTabOrder(m_txtAmount, m_datePicker);
    setTabOrder(m_datePicker, m_chkPrintDate);
    setTabOrder(m_chkPrintDate, m_cmdPrint);
    setTabOrder(m_cmdPrint, m_cmdEditCheque);
    setTabOrder(m_cmdEditCheque, m_cmdOption);
    setTabOrder(m_cmdOption, m_cmdRegister);
    setTabOrder(m_cmdRegister, m_cmdBatch);

    connect(m_cmdPrint, &QPushButton::clicked, this, &MainWindow::print);
    connect(m_cmdEditCheque, &QPushButton::clicked, this, &MainWindow::openDesigner);
    connect(m_cmdOption, &QPushButton::clicked, this, &MainWindow::openOptions);
    connect(m_cmdRegister, &QPushButton::clicked, this, &MainWindow::openRegister);
    connect(m_cmdBatch, &QPushButton::clicked, this, &MainWindow::openBatch);
}

bool MainWindow::load() {
    retrieveBanks();
    retrieveRecipients();
    m_datePicker->setDate(m_context.clock->now().date());
    return retrieveSettings();
}

void MainWindow::retrieveBanks() {
    m_cboBank->clear();
    const auto entries = BankList::entriesByCode(*m_context.db);
    if (entries.empty()) {
        m_cboBank->addItem(noBankDataText());
    } else {
        for (const QString& entry : entries) m_cboBank->addItem(entry);
    }
    m_cboBank->setCurrentIndex(0);
}

void MainWindow::retrieveRecipients() {
    // Keep what the user typed in the payee box while the list is refilled.
    const QString typed = m_cboRecipient->currentText();
    m_cboRecipient->clear();
    for (const Payee& payee : CompanyStore::listByName(*m_context.db))
        m_cboRecipient->addItem(payee.name);
    m_cboRecipient->setCurrentIndex(-1);
    m_cboRecipient->setEditText(typed);
}

bool MainWindow::retrieveSettings() {
    m_settings.saveChange = 1;
    const auto settings = SettingsStore::read(*m_context.db);
    if (!settings) {
        m_context.dialogs->message(QStringLiteral("Error opening settings database. Please contact "
                                                  "the supplier of this software."),
                                   AppInfo::title(), Dialogs::Icon::None, Dialogs::Buttons::Ok);
        return false;
    }
    m_settings = *settings;
    // A remembered position beyond the end of the list (the table changed since)
    // selects the first entry.
    const int index = settings->bankIndex;
    m_cboBank->setCurrentIndex(index >= 0 && index < m_cboBank->count() ? index : 0);
    m_chkPrintDate->setChecked(settings->printDate != 0);
    return true;
}

void MainWindow::checkRecipient() {
    const QString payee = m_cboRecipient->currentText();
    if (payee.trimmed().isEmpty()) return;
    if (CompanyStore::exists(*m_context.db, payee)) return;
    CompanyStore::insert(*m_context.db, payee);
    m_cboRecipient->addItem(payee);
}

void MainWindow::print() {
    Dialogs& dialogs = *m_context.dialogs;
    m_txtAmount->setText(AmountText::rewrite(m_txtAmount->text()));
    const QString amount = m_txtAmount->text();

    if (m_cboBank->count() == 0 || m_cboBank->currentText() == noBankDataText()) {
        dialogs.message(QStringLiteral("Please chose a Bank cheque format or there is no bank "
                                       "cheque format available!\r\nYou can click on Edit Cheques "
                                       "button to add or edit bank cheque format."),
                        AppInfo::title(), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        m_cboBank->setFocus();
        return;
    }
    // The rules every cheque meets, typed here or read from a batch file.
    if (const auto problem = ChequeEntryRules::checkAmount(amount);
        problem != ChequeEntryRules::AmountProblem::None) {
        dialogs.message(ChequeEntryRules::amountMessage(problem), QStringLiteral("Error"),
                        Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        m_txtAmount->setFocus();
        if (problem != ChequeEntryRules::AmountProblem::Empty) m_txtAmount->selectAll();
        return;
    }
    if (m_settings.alertUser && m_cboRecipient->currentText().isEmpty()) {
        dialogs.message(ChequeEntryRules::emptyPayeeMessage(), QStringLiteral("Error"),
                        Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        m_cboRecipient->setFocus();
        return;
    }
    openPreview();
    m_cboRecipient->setFocus();
}

ChequeRequest MainWindow::chequeRequest() const {
    ChequeRequest request;
    request.bankCode = firstWord(m_cboBank->currentText());
    request.payee = m_cboRecipient->currentText();
    request.amountText = m_txtAmount->text();
    request.date = m_datePicker->date();
    request.printDate = m_chkPrintDate->isChecked();
    return request;
}

void MainWindow::openPreview() {
    ChequeOutcome outcome;
    {
        PrintPreviewDialog preview(m_context, chequeRequest(), m_settings, this);
        try {
            if (!preview.load()) return;  // no format for the bank: the message was shown
        } catch (const DbError& error) {
            showDbError(*m_context.dialogs, error);
            return;
        }
        m_context.dialogs->showModal(&preview);
        outcome = preview.outcome();
    }
    if (m_settings.saveChange != 0 && !outcome.wordCase.isEmpty())
        m_settings.wordCase = outcome.wordCase;
    if (!outcome.printed) return;
    try {
        checkRecipient();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
    if (m_settings.clearData != 0) {
        m_cboRecipient->setCurrentIndex(-1);
        m_cboRecipient->setEditText(QString());
        m_txtAmount->clear();
    }
}

void MainWindow::openDesigner() {
    {
        FormatDesigner designer(m_context, this);
        if (designer.load()) m_context.dialogs->showModal(&designer);
    }
    try {
        retrieveBanks();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void MainWindow::openRegister() {
    RegisterWindow window(m_context, this);
    if (!window.load()) return;
    m_context.dialogs->showModal(&window);
    if (window.reprint()) fillFrom(*window.reprint());
}

void MainWindow::fillFrom(const ReprintRequest& cheque) {
    for (int i = 0; i < m_cboBank->count(); ++i) {
        if (m_cboBank->itemText(i).section(QLatin1Char(' '), 0, 0) == cheque.bankCode) {
            m_cboBank->setCurrentIndex(i);
            break;
        }
    }
    m_cboRecipient->setEditText(cheque.payee);
    m_txtAmount->setText(cheque.amountText);
    m_txtAmount->setFocus();
}

void MainWindow::openOptions() {
    OptionsDialog options(m_context, m_settings, this);
    m_context.dialogs->showModal(&options);
    m_settings = options.settings();
}

void MainWindow::openBatch() {
    BatchSetup::Choices choices;
    if (m_cboBank->currentText() != noBankDataText())
        choices.defaultBankCode = firstWord(m_cboBank->currentText());
    choices.today = m_context.clock->now().date();
    choices.shortDateFormat = QLocale().dateFormat(QLocale::ShortFormat);
    choices.dateStyle = m_settings.dateFormat;
    choices.printDate = m_chkPrintDate->isChecked();
    choices.properCase = m_settings.wordCase == QStringLiteral("Proper Case");
    choices.measure = m_context.textMeasure;
    BatchWindow batch(m_context, choices, this);
    m_context.dialogs->showModal(&batch);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_settings.saveChange != 0) {
        try {
            SettingsStore::writeRememberedChoices(*m_context.db, m_cboBank->currentIndex(),
                                                  m_chkPrintDate->isChecked() ? 1 : 0,
                                                  m_settings.wordCase);
        } catch (const DbError& error) {
            showDbError(*m_context.dialogs, error);
        }
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtAmount) {
        switch (event->type()) {
            case QEvent::FocusIn:
                // After the click that gave the focus has placed the caret.
                QTimer::singleShot(0, m_txtAmount, &QLineEdit::selectAll);
                break;
            case QEvent::FocusOut:
                m_txtAmount->setText(AmountText::rewrite(m_txtAmount->text()));
                break;
            case QEvent::KeyPress:
                return amountKeyPress(static_cast<QKeyEvent*>(event));
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Digits, "." and "," are typed; Backspace and keys that type nothing (arrows,
// shortcuts) pass. Any other character beeps, is dropped and moves the focus on.
bool MainWindow::amountKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace || text.isEmpty()) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QChar c = text.at(0);
    if (!c.isPrint()) return false;
    if (c.isDigit() && c.unicode() < 128) return false;
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) return false;
    QApplication::beep();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(m_txtAmount, &tab);
    return true;
}
