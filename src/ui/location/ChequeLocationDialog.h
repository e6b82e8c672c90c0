#pragma once

#include <QDialog>

#include <optional>

#include "designer/ChequeLocation.h"

struct AppContext;
class ChequeFormatModel;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SpinButton;

// Places the cheque on the A4 sheet: a one-tenth picture of the sheet with the
// cheque on it, one-click alignments, hundredth-inch steps and the orientation.
// It starts from the designer's chequeTop, chequeLeft, orientation code and size
// boxes and hands the new placement back as a value only on "Ok".
class ChequeLocationDialog : public QDialog {
    Q_OBJECT

public:
    // `designer` is only read: its size boxes and, for the sample sheet, its fields.
    ChequeLocationDialog(AppContext& context, const ChequeFormatModel& designer,
                         QWidget* parent = nullptr);

    const ChequeLocation& location() const { return m_location; }
    // The placement chosen with "Ok"; nothing when the window was left otherwise.
    const std::optional<ChequePlacement>& placement() const { return m_placement; }

public slots:
    void alignTop();
    void alignBottom();
    void alignLeft();
    void alignRight();
    void centreHorizontally();
    void centreVertically();
    void printSample();
    void confirm();
    void cancel();

private:
    void buildUi();
    QFrame* buildTips();
    QGroupBox* buildFastClick();
    QGroupBox* buildLocation();
    QGroupBox* buildOrientation();
    QFrame* buildPreview();
    void connectControls();

    void chooseOrientation(ChequeLocation::Orientation orientation);
    // The icon of the chosen orientation and the sheet picture, centred.
    void sheetLayout();
    // The cheque picture's size and its letter centred in it.
    void sizeCheque();
    void showTop();
    void showLeft();
    void placeCheque();

    AppContext& m_context;
    const ChequeFormatModel& m_designer;
    ChequeLocation m_location;
    std::optional<ChequePlacement> m_placement;

    QFrame* m_picTips = nullptr;
    QLabel* m_lblNotes = nullptr;
    QGroupBox* m_frameLocation2 = nullptr;
    QPushButton* m_cmdTop = nullptr;
    QPushButton* m_cmdBottom = nullptr;
    QPushButton* m_cmdLeft = nullptr;
    QPushButton* m_cmdRight = nullptr;
    QPushButton* m_cmdHCenter = nullptr;
    QPushButton* m_cmdVCenter = nullptr;
    QGroupBox* m_frameLocation = nullptr;
    QLabel* m_lblTop = nullptr;
    QLineEdit* m_txtTop = nullptr;
    SpinButton* m_topSpin = nullptr;
    QLabel* m_lblLeft = nullptr;
    QLineEdit* m_txtLeft = nullptr;
    SpinButton* m_leftSpin = nullptr;
    QGroupBox* m_frameOrientation = nullptr;
    QRadioButton* m_optLandscape = nullptr;
    QRadioButton* m_optPortrait = nullptr;
    QLabel* m_imgLandscape = nullptr;
    QLabel* m_imgPortrait = nullptr;
    QFrame* m_picPreview = nullptr;
    QFrame* m_picPaper = nullptr;
    QFrame* m_picCheque = nullptr;
    QLabel* m_lblA = nullptr;
    QPushButton* m_cmdPrintSample = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};
