#include "ui/batch/BatchWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "batch/BatchLoader.h"
#include "batch/BatchRun.h"
#include "batch/BatchTableModel.h"
#include "batch/ChequePdf.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/PrinterService.h"
#include "print/PrinterSelection.h"
#include "store/DbError.h"
#include "ui/UiErrors.h"

namespace {

const QString kCsvFilter = QStringLiteral("CSV files (*.csv *.txt);;All files (*)");
const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");

}  // namespace

BatchWindow::BatchWindow(AppContext& context, const BatchSetup::Choices& choices, QWidget* parent)
    : QDialog(parent), m_context(context), m_choices(choices) {
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(QStringLiteral("Batch printing"));
    m_loader = new BatchLoader(this);
    m_model = new BatchTableModel(this);
    connect(m_loader, &BatchLoader::finished, this, &BatchWindow::takeLoaded);
    buildUi();
    showSummary();
}

void BatchWindow::buildUi() {
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    m_cmdOpenCsv = new QPushButton(QStringLiteral("&Open CSV…"), this);
    m_cmdOpenCsv->setObjectName(QStringLiteral("cmdOpenCsv"));
    m_lblFile = new QLabel(QStringLiteral("No file is open."), this);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->setTextFormat(Qt::PlainText);
    top->addWidget(m_cmdOpenCsv);
    top->addWidget(m_lblFile, 1);
    root->addLayout(top);

    m_grdBatch = new QTableView(this);
    m_grdBatch->setObjectName(QStringLiteral("grdBatch"));
    m_grdBatch->setAccessibleName(QStringLiteral("Cheques of the file"));
    m_grdBatch->setModel(m_model);
    m_grdBatch->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grdBatch->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    m_grdBatch->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
    m_grdBatch->verticalHeader()->hide();
    m_grdBatch->setWordWrap(false);
    QHeaderView* header = m_grdBatch->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    m_grdBatch->setColumnWidth(BatchTableModel::Include, 44);
    m_grdBatch->setColumnWidth(BatchTableModel::Line, 44);
    m_grdBatch->setColumnWidth(BatchTableModel::Payee, 170);
    m_grdBatch->setColumnWidth(BatchTableModel::Amount, 110);
    m_grdBatch->setColumnWidth(BatchTableModel::Date, 90);
    m_grdBatch->setColumnWidth(BatchTableModel::Bank, 60);
    m_grdBatch->setColumnWidth(BatchTableModel::Number, 80);
    // The reason a row cannot print is read first; the words take what is left.
    m_grdBatch->setColumnWidth(BatchTableModel::Result, 300);
    m_grdBatch->setMinimumSize(1150, 300);
    root->addWidget(m_grdBatch, 1);

    m_lblSummary = new QLabel(this);
    m_lblSummary->setObjectName(QStringLiteral("lblSummary"));
    m_lblSummary->setTextFormat(Qt::PlainText);
    root->addWidget(m_lblSummary);

    auto* bottom = new QGridLayout;
    auto* lblPrinterName = new QLabel(QStringLiteral("Printer &Name:"), this);
    lblPrinterName->setObjectName(QStringLiteral("lblPrinterName"));
    m_cboPrinterName = new QComboBox(this);
    m_cboPrinterName->setObjectName(QStringLiteral("cboPrinterName"));
    m_cboPrinterName->setMinimumWidth(220);
    lblPrinterName->setBuddy(m_cboPrinterName);
    m_listedPrinters = m_context.printers->printerNames();
    m_cboPrinterName->addItem(PrinterSelection::defaultName());
    m_cboPrinterName->addItems(m_listedPrinters);
    m_chkFeedSheets = new QCheckBox(QStringLiteral("&Ask for the next cheque sheet between cheques"), this);
    m_chkFeedSheets->setObjectName(QStringLiteral("chkFeedSheets"));
    m_chkFeedSheets->setChecked(true);

    m_cmdPrintAll = new QPushButton(QStringLiteral("&Print all"), this);
    m_cmdPrintAll->setObjectName(QStringLiteral("cmdPrintAll"));
    m_cmdSaveAllPdf = new QPushButton(QStringLiteral("Save all as P&DF…"), this);
    m_cmdSaveAllPdf->setObjectName(QStringLiteral("cmdSaveAllPdf"));
    m_cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* button : {m_cmdOpenCsv, m_cmdPrintAll, m_cmdSaveAllPdf, m_cmdClose}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(120);
    }

    bottom->addWidget(lblPrinterName, 0, 0);
    bottom->addWidget(m_cboPrinterName, 0, 1);
    bottom->addWidget(m_chkFeedSheets, 1, 0, 1, 2);
    bottom->setColumnStretch(2, 1);
    bottom->addWidget(m_cmdPrintAll, 0, 3);
    bottom->addWidget(m_cmdSaveAllPdf, 0, 4);
    bottom->addWidget(m_cmdClose, 1, 4);
    root->addLayout(bottom);

    setTabOrder(m_cmdOpenCsv, m_grdBatch);
    setTabOrder(m_grdBatch, m_cboPrinterName);
    setTabOrder(m_cboPrinterName, m_chkFeedSheets);
    setTabOrder(m_chkFeedSheets, m_cmdPrintAll);
    setTabOrder(m_cmdPrintAll, m_cmdSaveAllPdf);
    setTabOrder(m_cmdSaveAllPdf, m_cmdClose);

    connect(m_cmdOpenCsv, &QPushButton::clicked, this, &BatchWindow::openCsv);
    connect(m_cmdPrintAll, &QPushButton::clicked, this, &BatchWindow::printAll);
    connect(m_cmdSaveAllPdf, &QPushButton::clicked, this, &BatchWindow::saveAllAsPdf);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &BatchWindow::showSummary);
    connect(m_model, &QAbstractItemModel::modelReset, this, &BatchWindow::showSummary);
}

void BatchWindow::showSummary() {
    if (m_loader->busy()) return;
    m_lblSummary->setText(m_model->rowCount() == 0 ? QStringLiteral("No cheques.") : m_model->summary());
    const bool any = m_model->counts().toPrint > 0;
    m_cmdPrintAll->setEnabled(any);
    m_cmdSaveAllPdf->setEnabled(any);
}

void BatchWindow::setBusy(bool busy) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdOpenCsv, m_cmdPrintAll, m_cmdSaveAllPdf,
                                                      m_grdBatch})
        w->setEnabled(!busy);
    if (!busy) showSummary();
}

void BatchWindow::openCsv() {
    const auto path = m_context.dialogs->openFileName(
        QStringLiteral("Open CSV"), m_fileName.isEmpty() ? QDir::homePath() : QFileInfo(m_fileName).absolutePath(),
        kCsvFilter);
    if (path) openFile(*path);
}

void BatchWindow::openFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_context.dialogs->message(QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
                                       QStringLiteral("\" could not be read: ") + file.errorString(),
                                   QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                                   Dialogs::Buttons::Ok);
        return;
    }
    const QByteArray bytes = file.readAll();
    BatchSetup setup;
    try {
        setup = BatchSetup::read(*m_context.db, m_choices);
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return;
    }
    if (!m_loader->start(bytes, std::move(setup))) return;
    m_fileName = path;
    setBusy(true);
    m_lblSummary->setText(QStringLiteral("Reading and checking ") + QFileInfo(path).fileName() +
                          QStringLiteral("…"));
}

void BatchWindow::takeLoaded() {
    BatchLoader::Result result = m_loader->takeResult();
    if (!result.file.ok) {
        setBusy(false);
        m_context.dialogs->message(QStringLiteral("The file \"") + QFileInfo(m_fileName).fileName() +
                                       QStringLiteral("\" was not read.\r\n") + result.file.error,
                                   QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                                   Dialogs::Buttons::Ok);
        emit loaded();
        return;
    }
    m_lblFile->setText(QDir::toNativeSeparators(m_fileName));
    m_model->reset(std::move(result.file.rows), std::move(result.checked), std::move(result.setup));
    setBusy(false);
    // The first row with a problem is where the user starts fixing.
    const auto& checked = m_model->checked();
    for (size_t i = 0; i < checked.size(); ++i) {
        if (!checked[i].printable()) {
            m_grdBatch->setCurrentIndex(m_model->index(static_cast<int>(i), BatchTableModel::Payee));
            break;
        }
    }
    emit loaded();
}

bool BatchWindow::refresh() {
    try {
        m_model->recheck(BatchSetup::read(*m_context.db, m_choices));
        return true;
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
}

bool BatchWindow::selectPrinter() {
    Dialogs& dialogs = *m_context.dialogs;
    const QString printerName = m_cboPrinterName->currentText();
    if (PrinterSelection::removedSinceListed(*m_context.printers, printerName, m_listedPrinters)) {
        dialogs.message(QStringLiteral("The cheques were not printed.\r\nThe printer \"") + printerName +
                            QStringLiteral("\" is no longer installed."),
                        QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        return false;
    }
    if (!PrinterSelection::selectPrinter(m_context, printerName)) {
        PrinterSelection::reportNoPrinter(dialogs);
        return false;
    }
    return true;
}

void BatchWindow::printAll() {
    if (!refresh()) return;
    if (m_model->counts().toPrint == 0) return;
    if (!selectPrinter()) return;

    QProgressDialog progress(this);
    progress.setObjectName(QStringLiteral("dlgProgress"));
    progress.setWindowTitle(QStringLiteral("Print all"));
    progress.setCancelButtonText(QStringLiteral("Cancel"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    BatchRun run(*m_context.db, *m_context.clock, *m_context.printers, m_model->setup());
    if (m_chkFeedSheets->isChecked()) {
        run.askFeed = [this](const QString& prompt) {
            return m_context.dialogs->message(prompt, QStringLiteral("Print all"),
                                              Dialogs::Icon::Information,
                                              Dialogs::Buttons::ContinueCancel) == Dialogs::Answer::Ok;
        };
    }
    run.starting = [&](int ordinal, int total) {
        progress.setMaximum(total);
        progress.setValue(ordinal - 1);
        progress.setLabelText(BatchRun::progressText(ordinal, total));
        QCoreApplication::processEvents();
    };
    run.finished = [&](int ordinal, int) {
        progress.setValue(ordinal);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const BatchRun::Outcome outcome = run.print(m_model->rows(), m_model->checked());
    progress.close();
    PrinterSelection::restorePrinter(m_context);
    refresh();

    if (!outcome.failure.isEmpty()) {
        m_context.dialogs->message(
            outcome.failure + QStringLiteral("\r\nThe cheques printed before it are marked Printed; "
                                             "Print all prints the others."),
            QStringLiteral("Error"), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        if (outcome.failedRow >= 0)
            m_grdBatch->setCurrentIndex(m_model->index(outcome.failedRow, BatchTableModel::Result));
    } else if (outcome.cancelled) {
        m_context.dialogs->message(QStringLiteral("%1 of %2 cheques were printed before the batch "
                                                  "was cancelled.")
                                       .arg(outcome.done)
                                       .arg(outcome.total),
                                   AppInfo::title(), Dialogs::Icon::Information, Dialogs::Buttons::Ok);
    }
}

void BatchWindow::saveAllAsPdf() {
    if (!refresh()) return;
    if (m_model->counts().toPrint == 0) return;
    const QString folder = m_fileName.isEmpty() ? QDir::homePath() : QFileInfo(m_fileName).absolutePath();
    const QString suggested = QDir(folder).filePath(QFileInfo(m_fileName).completeBaseName() +
                                                    QStringLiteral(".pdf"));
    const auto path = m_context.dialogs->saveFileName(QStringLiteral("Save all as PDF"), suggested, kPdfFilter);
    if (!path) return;
    // The pages are laid out as the chosen printer would get them; with no printer
    // installed at all, on the whole sheet.
    const bool anyPrinter = !m_context.printers->printerNames().isEmpty();
    if (anyPrinter && !selectPrinter()) return;
    BatchRun run(*m_context.db, *m_context.clock, *m_context.printers, m_model->setup());
    const BatchRun::Outcome outcome = run.saveAsPdf(m_model->rows(), m_model->checked(), *path);
    if (anyPrinter) PrinterSelection::restorePrinter(m_context);
    refresh();
    if (!outcome.failure.isEmpty())
        m_context.dialogs->message(outcome.failure, QStringLiteral("Error"), Dialogs::Icon::Exclamation,
                                   Dialogs::Buttons::Ok);
}
