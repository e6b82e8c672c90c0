#pragma once

#include <QWidget>

struct AppContext;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window: a cheque is written here. It owns the settings in memory and
// writes the remembered choices back when it closes.
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
    // Stores the payee text as a new payee when no payee of that name is stored.
    void checkRecipient();

    // Settings shared with the options window and the preview.
    int SaveChange = 1;
    int ClearData = 0;
    bool AlertUser = false;
    QString DateFormat;
    QString WordCase;

    QComboBox* cboBank() const { return m_cboBank; }
    QComboBox* cboRecipient() const { return m_cboRecipient; }
    QLineEdit* txtAmount() const { return m_txtAmount; }
    QDateEdit* datePicker() const { return m_datePicker; }
    QCheckBox* chkPrintDate() const { return m_chkPrintDate; }
    AppContext& context() const { return m_context; }

    static QString noBankDataText() { return QStringLiteral("[NO BANK DATA]"); }

public slots:
    void print();
    void openDesigner();
    void openOptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void openPreview();
    bool amountKeyPress(QKeyEvent* event);

    AppContext& m_context;
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
};
