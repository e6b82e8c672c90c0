#pragma once

#include <QDialog>
#include <QStringList>

#include <array>
#include <optional>

#include "core/ChequeFormat.h"
#include "core/ChequeRequest.h"
#include "store/SettingsStore.h"
#include "store/LanguageStore.h"
#include "core/FieldLabelSet.h"

struct AppContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The print preview: the cheque of the requested format filled with its
// payee, amount, amount in words and date, at true size. The user may change the
// language of the words, their letter case and the printer, then prints or goes back.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT

public:
    PrintPreviewDialog(AppContext& context, const ChequeRequest& request,
                       const UserSettings& settings, QWidget* parent = nullptr);

    // What happened, once the window has closed: printed or not, and the case chosen.
    const ChequeOutcome& outcome() const { return m_outcome; }

    // The opening sequence. False when the chosen bank has no format (the message
    // has been shown and the preview is not to be shown). Database errors reach
    // the caller.
    bool load();

    void loadFormatIntoPreview();
    void applyWordCase();
    void respellWords();

    const FieldLabelSet& labels() const { return m_labels; }
    int orientationCode() const { return m_orientationCode; }
    double chequeTop() const { return m_chequeTop; }
    double chequeLeft() const { return m_chequeLeft; }

    // Height of every field label on the picture, in twips (the labels' design height).
    static constexpr float kLabelHeight = 360.0f;
    // The cheque picture's size in twips.
    static constexpr double kPictureWidth = 10455.0;
    static constexpr double kPictureHeight = 3855.0;

public slots:
    void print();
    void saveAsPdf();
    void goBack();
    void changeLanguage();
    void changeWordCase();
    void done(int result) override;

private:
    // Asks first when `number` was already printed for this bank; false when the
    // user says no or the register cannot be read (the message has been shown).
    bool confirmChequeNumber(const QString& number);
    void buildUi();
    // Shows the field label set on the picture.
    void showLabels();
    QString selectedCaseCaption() const;

    AppContext& m_context;
    ChequeRequest m_request;
    UserSettings m_settings;
    ChequeOutcome m_outcome;

    ChequeFormat m_format;
    std::optional<Language> m_language;  // the current language row
    int m_orientationCode = 1;
    double m_chequeTop = 0.0;
    double m_chequeLeft = 0.0;
    bool m_loaded = false;
    bool m_closed = false;
    FieldLabelSet m_labels;
    QStringList m_listedPrinters;  // the printers installed when the list was filled

    QLabel* m_lblTitle = nullptr;
    QWidget* m_picCheque = nullptr;
    std::array<QLabel*, kFieldCount> m_chequeLabel{};
    QGroupBox* m_framePrintSettings = nullptr;
    QComboBox* m_cboLanguage = nullptr;
    QComboBox* m_cboPrinterName = nullptr;
    QLineEdit* m_txtChequeNo = nullptr;
    QGroupBox* m_frameOrientation = nullptr;
    QLabel* m_imgLandscape = nullptr;
    QLabel* m_imgPortrait = nullptr;
    QGroupBox* m_frameCase = nullptr;
    QRadioButton* m_optUpperCase = nullptr;
    QRadioButton* m_optProperCase = nullptr;
    QPushButton* m_cmdBack = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdSavePdf = nullptr;
    QLabel* m_lblChequeHeight = nullptr;
    QLabel* m_lblWordTemp = nullptr;
};
