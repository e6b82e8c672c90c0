#pragma once

#include <QWidget>

#include "core/ChequeRequest.h"
#include "register/ReprintRequest.h"
#include "store/SettingsStore.h"

struct AppContext;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window: a cheque is written here. It owns the user's settings for the
// run, hands copies to the other windows and writes the remembered choices back
// when it closes.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

    // Reads the bank list, the payees, the date and the settings. False when the
    // Settings row is missing (the message has been shown; the program ends).
    // Database errors reach the caller.
    bool load();

    void retrieveBanks();
    void retrieveRecipients();
    bool retrieveSettings();
    // Stores the payee text as a new payee when no payee of that name is stored;
    // a blank name is never stored.
    void checkRecipient();

    const UserSettings& settings() const { return m_settings; }
    void setSettings(const UserSettings& settings) { m_settings = settings; }
    // The cheque the boxes describe.
    ChequeRequest chequeRequest() const;
    // Fills the bank, payee and amount boxes with a cheque to write again.
    void fillFrom(const ReprintRequest& cheque);

    static QString noBankDataText() { return QStringLiteral("[NO BANK DATA]"); }

public slots:
    void print();
    void openDesigner();
    void openOptions();
    void openRegister();
    void openBatch();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void openPreview();
    bool amountKeyPress(QKeyEvent* event);

    AppContext& m_context;
    UserSettings m_settings;
    QGroupBox* m_frameCheque = nullptr;
    QLabel* m_lblBankerCheque = nullptr;
    QComboBox* m_cboBank = nullptr;
    QLabel* m_lblPayTo = nullptr;
    QComboBox* m_cboRecipient = nullptr;
    QLabel* m_lblAmount = nullptr;
    QLineEdit* m_txtAmount = nullptr;
    QLabel* m_lblDate = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QCheckBox* m_chkPrintDate = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdEditCheque = nullptr;
    QPushButton* m_cmdOption = nullptr;
    QPushButton* m_cmdRegister = nullptr;
    QPushButton* m_cmdBatch = nullptr;
};
