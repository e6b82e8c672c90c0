#pragma once

#include <QDialog>

#include <array>

#include "designer/DesignerMode.h"
#include "designer/FieldDrag.h"

struct AppContext;
class ChequeFormatModel;
class PicturePane;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;

// The cheque designer: one cheque format at a time, its boxes and lists, and
// the full-size canvas with the 13 field labels between inch rulers. The boxes
// bind to a ChequeFormatModel, which holds the rules.
class FormatDesigner : public QDialog {
    Q_OBJECT

public:
    explicit FormatDesigner(AppContext& context, QWidget* parent = nullptr);

    // The opening sequence: rulers and grid, lists, defaults, the bank list and
    // its first format. False (the error shown) when the database failed.
    bool load();

    // The working copy; chequeTop, chequeLeft and the orientation code live there.
    ChequeFormatModel& model() const { return *m_model; }
    DesignerMode mode() const { return m_mode; }

    // twips as inches, "#.##" followed by " in".
    static QString twipToInch(double twips);

    void drawHorizontalRuler(PicturePane* ruler);
    void drawVerticalRuler(PicturePane* ruler);
    void drawChequeGrid();

    // Twips of the canvas to pixels and back, with the screen's logical DPI.
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double toTwipsX(double pixels) const;
    double toTwipsY(double pixels) const;

    void showHandles();
    void hideHandles();
    void placeHandles(int field);

public slots:
    void add();
    void edit();
    void save();
    void remove();
    void closeDesigner();
    void openChequeLocation();
    void printSample();
    void printRuler();
    // Closing (Exit, the close box, Escape): asks while adding or editing.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    QWidget* buildDrawingArea();
    QGroupBox* buildBankFrame();
    QGroupBox* buildPrintFrame();
    QGroupBox* buildSettingsFrame();
    void connectControls();

    void setMode(DesignerMode mode);
    void bankSelection();
    void showWorkingCopy();
    // The 13 labels as the working copy places them, and the handles around the selection.
    void showLabels();
    void refreshPanel(int field);
    void selectFieldZero();
    // Runs the lost-focus rule of the box that has the focus. False when the box
    // refused its text (a negative number).
    bool commitFocusedBox();
    bool boxLostFocus(QLineEdit* box);
    // Writes the window's own text into a box: no rule runs, nothing is pending.
    void showInBox(QLineEdit* box, const QString& text);
    bool isCanvasPart(QObject* watched) const;
    // Save while adding (closing's Yes too). True when the format was stored.
    bool saveNew();
    bool saveEdited();
    bool closeUpdate();
    QString selectedCode() const;
    // Mouse on the canvas: labels, handles and the bare canvas.
    bool labelMouse(int field, QMouseEvent* event);
    bool handleMouse(int handle, QMouseEvent* event);
    bool canvasMouse(QMouseEvent* event);
    void showDragBox();
    void showBoxInPanel();

    AppContext& m_context;
    ChequeFormatModel* m_model = nullptr;
    DesignerMode m_mode = DesignerMode::Browse;
    bool m_syncing = false;
    bool m_closing = false;
    bool m_mouseRefused = false;  // a press on the canvas stopped by a refused box
    double m_dpiX = 96;
    double m_dpiY = 96;

    QLabel* m_lblTitle = nullptr;
    QComboBox* m_cboBank = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdEdit = nullptr;
    QPushButton* m_cmdSave = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdExit = nullptr;

    QGroupBox* m_frameBank = nullptr;
    QLineEdit* m_txtBankName = nullptr;
    QLineEdit* m_txtBankCode = nullptr;
    QLineEdit* m_txtChequeWidth = nullptr;
    QLineEdit* m_txtChequeHeight = nullptr;
    QComboBox* m_cboDateType = nullptr;

    QGroupBox* m_framePrintSet = nullptr;
    QComboBox* m_cboPrinterName = nullptr;
    QComboBox* m_cboLanguage = nullptr;
    QPushButton* m_cmdChequeLocation = nullptr;
    QPushButton* m_cmdPrintSample = nullptr;
    QPushButton* m_cmdPrintRuler = nullptr;

    QGroupBox* m_frameSettings = nullptr;
    QLineEdit* m_txtXLeft = nullptr;
    QLineEdit* m_txtYTop = nullptr;
    QLineEdit* m_txtWidth = nullptr;
    QLabel* m_lblFont = nullptr;
    QLabel* m_lblFontSize = nullptr;
    QLabel* m_lblFontStyle = nullptr;
    QPushButton* m_cmdFontSetting = nullptr;

    PicturePane* m_picHRuler = nullptr;
    PicturePane* m_picVRuler = nullptr;
    PicturePane* m_picCheque = nullptr;
    std::array<QLabel*, 13> m_chequeLabels{};
    std::array<QWidget*, 8> m_picHandles{};
    QFrame* m_dragBox = nullptr;
    FieldDrag m_drag;
    int m_resizeHandle = -1;  // the handle being dragged, the canvas holding the mouse
};
