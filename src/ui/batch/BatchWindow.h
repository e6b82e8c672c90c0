#pragma once

#include <QDialog>
#include <QStringList>

#include "batch/BatchSetup.h"

struct AppContext;
class BatchLoader;
class BatchTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// Many cheques at once: a file of cheques is read into a table that shows each
// row's check result; the valid rows are printed one job each, or saved to one PDF.
class BatchWindow : public QDialog {
    Q_OBJECT

public:
    // `choices`: the main window's format, date style, date and word case.
    BatchWindow(AppContext& context, const BatchSetup::Choices& choices, QWidget* parent = nullptr);

    BatchTableModel* model() const { return m_model; }
    // Reads a file as "Open CSV…" does once a name is chosen; the rows appear
    // when the worker has checked them (loaded() is emitted).
    void openFile(const QString& path);

signals:
    void loaded();

public slots:
    void openCsv();
    void printAll();
    void saveAllAsPdf();

private:
    void buildUi();
    void takeLoaded();
    void showSummary();
    void setBusy(bool busy);
    // Reads the register again (numbers moved) and checks every row again.
    bool refresh();
    // Makes the chosen printer current; false when the run is to be abandoned.
    bool selectPrinter();

    AppContext& m_context;
    BatchSetup::Choices m_choices;
    BatchLoader* m_loader = nullptr;
    BatchTableModel* m_model = nullptr;
    QString m_fileName;
    QStringList m_listedPrinters;

    QPushButton* m_cmdOpenCsv = nullptr;
    QLabel* m_lblFile = nullptr;
    QTableView* m_grdBatch = nullptr;
    QLabel* m_lblSummary = nullptr;
    QComboBox* m_cboPrinterName = nullptr;
    QCheckBox* m_chkFeedSheets = nullptr;
    QPushButton* m_cmdPrintAll = nullptr;
    QPushButton* m_cmdSaveAllPdf = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
