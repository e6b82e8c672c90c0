#include "ui/register/RegisterWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "register/Cents.h"
#include "register/RegisterCsv.h"
#include "register/RegisterTableModel.h"
#include "store/BankList.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "ui/Named.h"
#include "ui/UiErrors.h"
#include "ui/register/VoidDialog.h"

namespace {

const QString kAllBanks = QStringLiteral("(All banks)");

}  // namespace

RegisterWindow::RegisterWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("frmRegister"));
    setWindowTitle(QStringLiteral("Cheque Register"));
    buildUi();
}

void RegisterWindow::buildUi() {
    auto* filters = new QGridLayout;
    auto* lblBank = named(new QLabel(QStringLiteral("&Bank:"), this), "lblFilterBank");
    m_cboBank = named(new QComboBox(this), "cboFilterBank");
    lblBank->setBuddy(m_cboBank);
    auto* lblPayee = named(new QLabel(QStringLiteral("Pa&yee contains:"), this), "lblFilterPayee");
    m_txtPayee = named(new QLineEdit(this), "txtFilterPayee");
    m_txtPayee->setClearButtonEnabled(true);
    lblPayee->setBuddy(m_txtPayee);
    auto* lblState = named(new QLabel(QStringLiteral("S&tate:"), this), "lblFilterState");
    m_cboState = named(new QComboBox(this), "cboFilterState");
    m_cboState->addItems({QStringLiteral("All"), QStringLiteral("Printed"), QStringLiteral("Void")});
    lblState->setBuddy(m_cboState);
    const QDate today = m_context.clock->now().date();
    m_chkFrom = named(new QCheckBox(QStringLiteral("&From:"), this), "chkFilterFrom");
    m_dtpFrom = named(new QDateEdit(today.addMonths(-1), this), "dtpFilterFrom");
    m_chkTo = named(new QCheckBox(QStringLiteral("T&o:"), this), "chkFilterTo");
    m_dtpTo = named(new QDateEdit(today, this), "dtpFilterTo");
    for (QDateEdit* date : {m_dtpFrom, m_dtpTo}) {
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        date->setCalendarPopup(true);
        date->setEnabled(false);
        // Room for the whole date beside the drop-down arrow.
        date->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("8888-88-88")) + 48);
    }
    m_dtpFrom->setAccessibleName(QStringLiteral("Printed from"));
    m_dtpTo->setAccessibleName(QStringLiteral("Printed to"));
    filters->addWidget(lblBank, 0, 0);
    filters->addWidget(m_cboBank, 0, 1);
    filters->addWidget(m_chkFrom, 0, 2);
    filters->addWidget(m_dtpFrom, 0, 3);
    filters->addWidget(m_chkTo, 0, 4);
    filters->addWidget(m_dtpTo, 0, 5);
    filters->addWidget(lblPayee, 1, 0);
    filters->addWidget(m_txtPayee, 1, 1, 1, 3);
    filters->addWidget(lblState, 1, 4);
    filters->addWidget(m_cboState, 1, 5);
    filters->setColumnStretch(1, 1);

    m_model = new RegisterTableModel(*m_context.db, this);
    m_tblRegister = named(new QTableView(this), "tblRegister");
    m_tblRegister->setAccessibleName(QStringLiteral("Cheques printed"));
    m_tblRegister->setModel(m_model);
    m_tblRegister->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblRegister->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblRegister->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblRegister->setAlternatingRowColors(true);
    m_tblRegister->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
    m_tblRegister->verticalHeader()->hide();
    m_tblRegister->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = m_tblRegister->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(RegisterTableModel::Payee, QHeaderView::Stretch);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    header->resizeSection(RegisterTableModel::PrintedAt, digit * 18);
    header->resizeSection(RegisterTableModel::ChequeDate, digit * 13);
    header->resizeSection(RegisterTableModel::Bank, digit * 8);
    header->resizeSection(RegisterTableModel::Number, digit * 15);
    header->resizeSection(RegisterTableModel::Amount, digit * 20);
    header->resizeSection(RegisterTableModel::State, digit * 10);

    m_lblTotal = named(new QLabel(this), "lblTotal");
    m_lblTotal->setTextFormat(Qt::PlainText);
    m_lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_cmdVoid = named(new QPushButton(QStringLiteral("&Void..."), this), "cmdVoid");
    m_cmdPrintAgain = named(new QPushButton(QStringLiteral("&Print Again"), this), "cmdPrintAgain");
    m_cmdExport = named(new QPushButton(QStringLiteral("&Export..."), this), "cmdExport");
    m_cmdClose = named(new QPushButton(QStringLiteral("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_cmdVoid, m_cmdPrintAgain, m_cmdExport}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(m_cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_tblRegister, 1);
    layout->addWidget(m_lblTotal);
    layout->addLayout(buttons);
    resize(900, 560);

    setTabOrder(m_cboBank, m_chkFrom);
    setTabOrder(m_chkFrom, m_dtpFrom);
    setTabOrder(m_dtpFrom, m_chkTo);
    setTabOrder(m_chkTo, m_dtpTo);
    setTabOrder(m_dtpTo, m_txtPayee);
    setTabOrder(m_txtPayee, m_cboState);
    setTabOrder(m_cboState, m_tblRegister);
    setTabOrder(m_tblRegister, m_cmdVoid);
    setTabOrder(m_cmdVoid, m_cmdPrintAgain);
    setTabOrder(m_cmdPrintAgain, m_cmdExport);
    setTabOrder(m_cmdExport, m_cmdClose);

    // The filters follow what the controls hold, however it got there.
    connect(m_cboBank, &QComboBox::currentIndexChanged, this, &RegisterWindow::applyFilter);
    connect(m_cboState, &QComboBox::currentIndexChanged, this, &RegisterWindow::applyFilter);
    connect(m_txtPayee, &QLineEdit::textChanged, this, &RegisterWindow::applyFilter);
    connect(m_chkFrom, &QCheckBox::toggled, m_dtpFrom, &QWidget::setEnabled);
    connect(m_chkTo, &QCheckBox::toggled, m_dtpTo, &QWidget::setEnabled);
    for (QCheckBox* box : {m_chkFrom, m_chkTo})
        connect(box, &QCheckBox::toggled, this, &RegisterWindow::applyFilter);
    for (QDateEdit* date : {m_dtpFrom, m_dtpTo})
        connect(date, &QDateEdit::dateChanged, this, &RegisterWindow::applyFilter);
    connect(m_tblRegister->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RegisterWindow::updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &RegisterWindow::updateButtons);
    connect(m_cmdVoid, &QPushButton::clicked, this, &RegisterWindow::voidSelected);
    connect(m_cmdPrintAgain, &QPushButton::clicked, this, &RegisterWindow::printAgain);
    connect(m_cmdExport, &QPushButton::clicked, this, &RegisterWindow::exportShown);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

bool RegisterWindow::load() {
    try {
        const QSignalBlocker blocker(m_cboBank);
        m_cboBank->clear();
        m_cboBank->addItem(kAllBanks);
        for (const QString& entry : BankList::entriesByCode(*m_context.db)) m_cboBank->addItem(entry);
        m_model->setFilter(currentFilter());
        updateTotal();
        return true;
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
}

RegisterFilter RegisterWindow::currentFilter() const {
    RegisterFilter filter;
    if (m_cboBank->currentIndex() > 0)
        filter.bankCode = m_cboBank->currentText().section(QLatin1Char(' '), 0, 0);
    // The dates are the user's own days, from the start of the first to the
    // end of the last.
    if (m_chkFrom->isChecked()) filter.printedFrom = m_dtpFrom->date().startOfDay().toUTC();
    if (m_chkTo->isChecked()) filter.printedBefore = m_dtpTo->date().addDays(1).startOfDay().toUTC();
    filter.payeeContains = m_txtPayee->text().trimmed();
    if (m_cboState->currentIndex() == 1) filter.state = RegisterEntry::State::Printed;
    if (m_cboState->currentIndex() == 2) filter.state = RegisterEntry::State::Void;
    return filter;
}

void RegisterWindow::applyFilter() {
    try {
        m_model->setFilter(currentFilter());
        updateTotal();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void RegisterWindow::updateTotal() {
    const RegisterTotal total = RegisterStore::printedTotal(*m_context.db, m_model->filter());
    m_lblTotal->setText(QStringLiteral("Printed cheques shown: ") + QString::number(total.count) +
                        QStringLiteral("    Total: ") + Cents::toText(total.cents));
}

int RegisterWindow::selectedRow() const {
    const QModelIndexList rows = m_tblRegister->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void RegisterWindow::updateButtons() {
    const int row = selectedRow();
    m_cmdPrintAgain->setEnabled(row >= 0);
    m_cmdVoid->setEnabled(row >= 0 && m_model->entry(row).state == RegisterEntry::State::Printed);
}

void RegisterWindow::voidSelected() {
    const int row = selectedRow();
    if (row < 0) return;
    const RegisterEntry entry = m_model->entry(row);
    if (entry.state != RegisterEntry::State::Printed) return;
    const QString question = QStringLiteral("Void cheque ") + entry.chequeNumber + QStringLiteral(" of ") +
                             entry.bankCode + QStringLiteral(" to ") + entry.payee +
                             QStringLiteral(" for ") + Cents::toText(entry.amountCents) +
                             QStringLiteral("? It stays in the register, marked void; this cannot be undone.");
    VoidDialog dialog(question, this);
    if (m_context.dialogs->showModal(&dialog) != QDialog::Accepted) return;
    try {
        RegisterStore::voidEntry(*m_context.db, entry.id, m_context.clock->now().toUTC(), dialog.reason());
        if (m_model->filter().state) {
            applyFilter();  // a void entry leaves the printed ones
        } else {
            m_model->refreshEntry(row);
            updateTotal();
            updateButtons();
        }
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void RegisterWindow::printAgain() {
    const int row = selectedRow();
    if (row < 0) return;
    const RegisterEntry& entry = m_model->entry(row);
    m_reprint = ReprintRequest{entry.bankCode, entry.payee, Cents::toText(entry.amountCents)};
    accept();
}

void RegisterWindow::exportShown() {
    QFileDialog dialog(this, QStringLiteral("Export Register"));
    dialog.setObjectName(QStringLiteral("dlgExport"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectFile(QStringLiteral("cheque-register.csv"));
    if (m_context.dialogs->showModal(&dialog) != QDialog::Accepted) return;
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return;
    QString error;
    const int count = RegisterCsv::exportTo(*m_context.db, currentFilter(), path, error);
    if (count < 0)
        m_context.dialogs->message(QStringLiteral("The register was not exported.\r\n") + error,
                                   QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                                   Dialogs::Buttons::Ok);
}
