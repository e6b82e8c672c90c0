#pragma once

#include <QDialog>

#include <optional>

#include "register/ReprintRequest.h"
#include "store/RegisterFilter.h"

struct AppContext;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RegisterTableModel;

// The cheque register: every cheque printed, newest first, with filters that
// combine, the total of the shown printed amounts, Void, Print Again and Export.
class RegisterWindow : public QDialog {
    Q_OBJECT

public:
    explicit RegisterWindow(AppContext& context, QWidget* parent = nullptr);

    // Reads the banks and the first rows. False after a database failure,
    // which has been shown.
    bool load();
    // The filter the controls describe.
    RegisterFilter currentFilter() const;
    // What Print Again handed back (set when the window closed through it).
    const std::optional<ReprintRequest>& reprint() const { return m_reprint; }

public slots:
    void applyFilter();
    void voidSelected();
    void printAgain();
    void exportShown();

private:
    void buildUi();
    void updateButtons();
    void updateTotal();
    int selectedRow() const;

    AppContext& m_context;
    RegisterTableModel* m_model = nullptr;
    std::optional<ReprintRequest> m_reprint;

    QComboBox* m_cboBank = nullptr;
    QCheckBox* m_chkFrom = nullptr;
    QDateEdit* m_dtpFrom = nullptr;
    QCheckBox* m_chkTo = nullptr;
    QDateEdit* m_dtpTo = nullptr;
    QLineEdit* m_txtPayee = nullptr;
    QComboBox* m_cboState = nullptr;
    QTableView* m_tblRegister = nullptr;
    QLabel* m_lblTotal = nullptr;
    QPushButton* m_cmdVoid = nullptr;
    QPushButton* m_cmdPrintAgain = nullptr;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdClose = nullptr;
};
