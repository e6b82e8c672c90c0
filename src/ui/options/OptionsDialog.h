#pragma once

#include <QDialog>

#include "store/SettingsStore.h"

struct AppContext;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QWidget;

// The options window: the four options of the user's settings, the payee list and
// the About page. The options are stored on OK; payee changes are stored at once.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(AppContext& context, const UserSettings& settings, QWidget* parent = nullptr);

    // The settings with the four options as stored on OK (unchanged otherwise).
    const UserSettings& settings() const { return m_settings; }

    // Refills the payee list from the database and shows the selected name.
    // Database errors reach the caller.
    void fillRecipients();

public slots:
    void confirm();
    void cancel();
    void restoreDefaults();
    void add();
    void edit();
    void remove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    enum class Editing { None, Adding, Editing };

    void buildUi();
    QWidget* buildGeneralPage();
    QWidget* buildRecipientsPage();
    QWidget* buildAboutPage();
    void loadOptions();
    void refreshDateSample();
    // Asks whether to keep the name being added or edited and acts on the answer.
    void finishEditing();
    // False when the edit goes on (a blank name the user wants to keep editing).
    bool saveName();
    void endEditing();
    void continueEditing();
    void showSelectedName();
    void openLink();

    AppContext& m_context;
    UserSettings m_settings;
    Editing m_editing = Editing::None;
    qint64 m_editId = 0;    // the payee being edited
    bool m_asking = false;  // the save question is open
    bool m_closing = false;

    QTabWidget* m_tabStrip = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;

    QCheckBox* m_chkAlertUser = nullptr;
    QCheckBox* m_chkClearData = nullptr;
    QCheckBox* m_chkSaveChange = nullptr;
    QGroupBox* m_frameDateFormat = nullptr;
    QLineEdit* m_txtDate = nullptr;
    QLabel* m_lblSampleDate = nullptr;
    QPushButton* m_cmdDefault = nullptr;

    QTreeWidget* m_lvRecipients = nullptr;
    QLineEdit* m_txtName = nullptr;
    QLabel* m_lblStatus = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdDelete = nullptr;

    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_imgLogo = nullptr;
    QLabel* m_lblLink = nullptr;
};
