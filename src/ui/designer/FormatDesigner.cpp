#include "ui/designer/FormatDesigner.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "designer/ChequeFormatModel.h"
#include "store/ChequeFormatStore.h"
#include "store/DbError.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "core/Units.h"
#include "designer/DesignerGeometry.h"
#include "designer/AlignmentSheets.h"
#include "ui/UiErrors.h"
#include "ui/WholeLetterValidator.h"
#include "ui/location/ChequeLocationDialog.h"
#include "ui/designer/PicturePane.h"

namespace {

namespace geo = DesignerGeometry;

// The drawing area's origin in the window's twips: the vertical ruler's left
// edge and the horizontal ruler's top edge.
constexpr double kAreaLeft = 240;
constexpr double kAreaTop = 1080;
constexpr double kCanvasLeft = 600;
constexpr double kCanvasTop = 1440;
constexpr double kRulerLeft = 240;
constexpr double kRulerTop = 1080;

const QColor kRulerColour(224, 224, 224);
const QColor kCanvasColour(255, 255, 192);
const QColor kGridColour(192, 192, 192);
const QColor kHandleColour(128, 128, 255);

const char* const kPanelTitles[kFieldCount] = {
    "Field Date Settings",    "Field Recipient Settings", "Field Amount Settings",
    "Field Word #1 Settings", "Field Word #2 Settings",   "Field Date Settings",
    "Field Date Settings",    "Field Date Settings",      "Field Date Settings",
    "Field Date Settings",    "Field Date Settings",      "Field Date Settings",
    "Field Date Settings"};

QFont windowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    return font;
}

QLineEdit* makeInchBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setMaxLength(ChequeFormatModel::kInchTextLength);
    box->setFixedWidth(70);
    return box;
}

QLabel* makeLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* makeButton(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a box must not press a button.
    button->setAutoDefault(false);
    return button;
}

// Shows `text` in a list: its entry, or an extra entry at the end when the list
// has none (a printer not installed here, a language no longer stored).
void showInList(QComboBox* list, const QString& text) {
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->itemData(i).toBool()) list->removeItem(i);
    int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        list->addItem(text, true);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

FormatDesigner::FormatDesigner(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("frmAdjustCheque"));
    setWindowTitle(QStringLiteral("Cheque Book Editor"));
    setFont(windowFont());
    m_dpiX = units::screenDpiX();
    m_dpiY = units::screenDpiY();
    m_model = new ChequeFormatModel(context, this);
    buildUi();
    connectControls();
}

int FormatDesigner::toPixelsX(double twips) const {
    return static_cast<int>(std::lround(units::twipsToPixels(twips, m_dpiX)));
}
int FormatDesigner::toPixelsY(double twips) const {
    return static_cast<int>(std::lround(units::twipsToPixels(twips, m_dpiY)));
}
double FormatDesigner::toTwipsX(double pixels) const {
    return units::pixelsToTwips(pixels, m_dpiX);
}
double FormatDesigner::toTwipsY(double pixels) const {
    return units::pixelsToTwips(pixels, m_dpiY);
}

QString FormatDesigner::twipToInch(double twips) { return geo::twipToInch(twips); }

// ---------------------------------------------------------------- building

void FormatDesigner::buildUi() {
    auto* root = new QVBoxLayout(this);

    m_lblTitle = makeLabel("lblTitle", "Cheque Book Editor", this);
    QFont titleFont = font();
    titleFont.setPointSizeF(14);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);

    m_cboBank = new QComboBox(this);
    m_cboBank->setObjectName(QStringLiteral("cboBank"));
    m_cboBank->setMinimumWidth(280);
    m_cmdAdd = makeButton("cmdAdd", "&Add", this);
    m_cmdEdit = makeButton("cmdEdit", "&Edit", this);
    m_cmdSave = makeButton("cmdSave", "&Save", this);
    m_cmdDelete = makeButton("cmdDelete", "&Delete", this);
    m_cmdExit = makeButton("cmdExit", "Exit", this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_lblTitle);
    top->addStretch(1);
    top->addWidget(m_cboBank);
    for (QPushButton* b : {m_cmdAdd, m_cmdEdit, m_cmdSave, m_cmdDelete, m_cmdExit})
        top->addWidget(b);
    root->addLayout(top);

    root->addWidget(buildDrawingArea(), 0, Qt::AlignLeft);

    auto* frames = new QHBoxLayout;
    frames->addWidget(buildBankFrame());
    frames->addWidget(buildPrintFrame());
    frames->addWidget(buildSettingsFrame());
    root->addLayout(frames);
    root->addStretch(1);

    setTabOrder(m_cboBank, m_cmdAdd);
    setTabOrder(m_cmdAdd, m_cmdEdit);
    setTabOrder(m_cmdEdit, m_cmdSave);
    setTabOrder(m_cmdSave, m_cmdDelete);
    setTabOrder(m_cmdDelete, m_cmdExit);
    setTabOrder(m_cmdExit, m_txtBankName);
    setTabOrder(m_txtBankName, m_txtBankCode);
    setTabOrder(m_txtBankCode, m_txtChequeWidth);
    setTabOrder(m_txtChequeWidth, m_txtChequeHeight);
    setTabOrder(m_txtChequeHeight, m_cboDateType);
    setTabOrder(m_cboDateType, m_cboPrinterName);
    setTabOrder(m_cboPrinterName, m_cboLanguage);
    setTabOrder(m_cboLanguage, m_cmdChequeLocation);
    setTabOrder(m_cmdChequeLocation, m_cmdPrintSample);
    setTabOrder(m_cmdPrintSample, m_cmdPrintRuler);
    setTabOrder(m_cmdPrintRuler, m_txtXLeft);
    setTabOrder(m_txtXLeft, m_txtYTop);
    setTabOrder(m_txtYTop, m_txtWidth);
    setTabOrder(m_txtWidth, m_cmdFontSetting);
}

QWidget* FormatDesigner::buildDrawingArea() {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("drawingArea"));
    const double right = kCanvasLeft + geo::kCanvasWidth;
    const double bottom = kCanvasTop + geo::kCanvasHeight;
    area->setFixedSize(toPixelsX(right - kAreaLeft) + 1, toPixelsY(bottom - kAreaTop) + 1);

    m_picHRuler = new PicturePane(kRulerColour, area);
    m_picHRuler->setObjectName(QStringLiteral("picHRuler"));
    m_picHRuler->move(toPixelsX(kCanvasLeft - kAreaLeft), toPixelsY(kRulerTop - kAreaTop));
    m_picHRuler->setPictureSize({toPixelsX(geo::kCanvasWidth), toPixelsY(geo::kRulerThickness)});

    m_picVRuler = new PicturePane(kRulerColour, area);
    m_picVRuler->setObjectName(QStringLiteral("picVRuler"));
    m_picVRuler->move(toPixelsX(kRulerLeft - kAreaLeft), toPixelsY(kCanvasTop - kAreaTop));
    m_picVRuler->setPictureSize({toPixelsX(geo::kRulerThickness), toPixelsY(geo::kCanvasHeight)});

    m_picCheque = new PicturePane(kCanvasColour, area);
    m_picCheque->setObjectName(QStringLiteral("picCheque"));
    m_picCheque->move(toPixelsX(kCanvasLeft - kAreaLeft), toPixelsY(kCanvasTop - kAreaTop));
    m_picCheque->setPictureSize({toPixelsX(geo::kCanvasWidth), toPixelsY(geo::kCanvasHeight)});
    m_picCheque->installEventFilter(this);

    // A disabled canvas keeps its labels readable.
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::Disabled, QPalette::WindowText,
                          labelPalette.color(QPalette::Active, QPalette::WindowText));
    for (int i = 0; i < kFieldCount; ++i) {
        auto* label = new QLabel(ChequeFormatModel::designCaption(i), m_picCheque);
        label->setObjectName(QStringLiteral("ChequeLabel%1").arg(i));
        label->setFrameShape(QFrame::Box);
        label->setAlignment(Qt::AlignCenter);
        label->setPalette(labelPalette);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        m_chequeLabels[static_cast<size_t>(i)] = label;
    }

    m_dragBox = new QFrame(m_picCheque);
    m_dragBox->setObjectName(QStringLiteral("DragBox"));
    m_dragBox->setFrameShape(QFrame::Box);
    m_dragBox->setLineWidth(1);
    m_dragBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragBox->hide();

    QPalette handlePalette = palette();
    handlePalette.setColor(QPalette::Window, kHandleColour);
    for (int i = 0; i < 8; ++i) {
        auto* handle = new QWidget(m_picCheque);
        handle->setObjectName(QStringLiteral("PicHandle%1").arg(i));
        handle->setAutoFillBackground(true);
        handle->setPalette(handlePalette);
        handle->setFixedSize(toPixelsX(geo::kHandleSize), toPixelsY(geo::kHandleSize));
        handle->setMouseTracking(true);
        handle->installEventFilter(this);
        handle->hide();
        m_picHandles[static_cast<size_t>(i)] = handle;
    }
    return area;
}

QGroupBox* FormatDesigner::buildBankFrame() {
    m_frameBank = new QGroupBox(QStringLiteral("Bank Details"), this);
    m_frameBank->setObjectName(QStringLiteral("frameBank"));
    auto* grid = new QGridLayout(m_frameBank);

    m_txtBankName = new QLineEdit(m_frameBank);
    m_txtBankName->setObjectName(QStringLiteral("txtBankName"));
    m_txtBankName->setMaxLength(50);
    m_txtBankName->setMinimumWidth(160);
    m_txtBankCode = new QLineEdit(m_frameBank);
    m_txtBankCode->setObjectName(QStringLiteral("txtBankCode"));
    m_txtBankCode->setMaxLength(10);
    // The limits count UTF-16 units: a letter cut at the limit is dropped whole.
    m_txtBankName->setValidator(new WholeLetterValidator(m_txtBankName));
    m_txtBankCode->setValidator(new WholeLetterValidator(m_txtBankCode));
    m_txtChequeWidth = makeInchBox("txtChequeWidth", m_frameBank);
    m_txtChequeHeight = makeInchBox("txtChequeHeight", m_frameBank);
    m_cboDateType = new QComboBox(m_frameBank);
    m_cboDateType->setObjectName(QStringLiteral("cboDateType"));

    grid->addWidget(makeLabel("lblBankName", "Name:", m_frameBank), 0, 0);
    grid->addWidget(m_txtBankName, 0, 1, 1, 2);
    grid->addWidget(makeLabel("lblBankCode", "Code:", m_frameBank), 1, 0);
    grid->addWidget(m_txtBankCode, 1, 1, 1, 2);
    grid->addWidget(makeLabel("lblChequeWidth", "Cheque Width:", m_frameBank), 2, 0);
    grid->addWidget(m_txtChequeWidth, 2, 1);
    grid->addWidget(makeLabel("lblWidthInches", "Inches", m_frameBank), 2, 2);
    grid->addWidget(makeLabel("lblChequeHeight", "Cheque Height:", m_frameBank), 3, 0);
    grid->addWidget(m_txtChequeHeight, 3, 1);
    grid->addWidget(makeLabel("lblHeightInches", "Inches", m_frameBank), 3, 2);
    grid->addWidget(m_cboDateType, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    return m_frameBank;
}

QGroupBox* FormatDesigner::buildPrintFrame() {
    m_framePrintSet = new QGroupBox(QStringLiteral("Print Settings"), this);
    m_framePrintSet->setObjectName(QStringLiteral("framePrintSet"));
    auto* grid = new QGridLayout(m_framePrintSet);

    m_cboPrinterName = new QComboBox(m_framePrintSet);
    m_cboPrinterName->setObjectName(QStringLiteral("cboPrinterName"));
    m_cboPrinterName->setMinimumWidth(150);
    m_cboLanguage = new QComboBox(m_framePrintSet);
    m_cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    m_cmdChequeLocation = makeButton("cmdChequeLocation", "Cheque &Location", m_framePrintSet);
    m_cmdChequeLocation->setToolTip(QStringLiteral("Cheque's location adjustment"));
    m_cmdPrintSample = makeButton("cmdPrintSample", "&Print Sample", m_framePrintSet);
    m_cmdPrintRuler = makeButton("cmdPrintRuler", "P&rint Ruler", m_framePrintSet);

    grid->addWidget(makeLabel("lblPrinterName", "Printer Name:", m_framePrintSet), 0, 0);
    grid->addWidget(m_cboPrinterName, 0, 1, 1, 2);
    grid->addWidget(makeLabel("lblLanguage", "Default Language:", m_framePrintSet), 1, 0);
    grid->addWidget(m_cboLanguage, 1, 1, 1, 2);
    grid->addWidget(m_cmdChequeLocation, 2, 0, 2, 1);
    grid->addWidget(m_cmdPrintSample, 2, 1, 1, 2);
    grid->addWidget(m_cmdPrintRuler, 3, 1, 1, 2);
    m_cmdChequeLocation->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    return m_framePrintSet;
}

QGroupBox* FormatDesigner::buildSettingsFrame() {
    m_frameSettings = new QGroupBox(QStringLiteral("Fields Settings"), this);
    m_frameSettings->setObjectName(QStringLiteral("frameSettings"));
    auto* grid = new QGridLayout(m_frameSettings);

    m_txtXLeft = makeInchBox("txtXLeft", m_frameSettings);
    m_txtYTop = makeInchBox("txtYTop", m_frameSettings);
    m_txtWidth = makeInchBox("txtWidth", m_frameSettings);
    m_lblFont = makeLabel("lblFont", "", m_frameSettings);
    m_lblFontSize = makeLabel("lblFontSize", "", m_frameSettings);
    m_lblFontStyle = makeLabel("lblFontStyle", "", m_frameSettings);
    m_cmdFontSetting = makeButton("cmdFontSetting", "&Font Settings", m_frameSettings);

    grid->addWidget(makeLabel("lblXLeft", "Left:", m_frameSettings), 0, 0);
    grid->addWidget(m_txtXLeft, 0, 1);
    grid->addWidget(makeLabel("lblXLeftInches", "Inches", m_frameSettings), 0, 2);
    grid->addWidget(makeLabel("lblYTop", "Top:", m_frameSettings), 1, 0);
    grid->addWidget(m_txtYTop, 1, 1);
    grid->addWidget(makeLabel("lblYTopInches", "Inches", m_frameSettings), 1, 2);
    grid->addWidget(makeLabel("lblWidth", "Width:", m_frameSettings), 2, 0);
    grid->addWidget(m_txtWidth, 2, 1);
    grid->addWidget(makeLabel("lblWidthInchesField", "Inches", m_frameSettings), 2, 2);
    grid->addWidget(makeLabel("lblFontTitle", "Font:", m_frameSettings), 0, 3);
    grid->addWidget(m_lblFont, 0, 4);
    grid->addWidget(makeLabel("lblFontSizeTitle", "Font Size:", m_frameSettings), 1, 3);
    grid->addWidget(m_lblFontSize, 1, 4);
    grid->addWidget(makeLabel("lblFontStyleTitle", "Font Style:", m_frameSettings), 2, 3);
    grid->addWidget(m_lblFontStyle, 2, 4);
    grid->addWidget(m_cmdFontSetting, 3, 3, 1, 2);
    grid->setColumnMinimumWidth(4, 90);
    grid->setColumnStretch(4, 1);
    return m_frameSettings;
}

void FormatDesigner::connectControls() {
    connect(m_cmdAdd, &QPushButton::clicked, this, &FormatDesigner::add);
    connect(m_cmdEdit, &QPushButton::clicked, this, &FormatDesigner::edit);
    connect(m_cmdSave, &QPushButton::clicked, this, &FormatDesigner::save);
    connect(m_cmdDelete, &QPushButton::clicked, this, &FormatDesigner::remove);
    connect(m_cmdExit, &QPushButton::clicked, this, &FormatDesigner::closeDesigner);
    connect(m_cmdChequeLocation, &QPushButton::clicked, this,
            &FormatDesigner::openChequeLocation);
    connect(m_cmdPrintSample, &QPushButton::clicked, this, &FormatDesigner::printSample);
    connect(m_cmdPrintRuler, &QPushButton::clicked, this, &FormatDesigner::printRuler);

    connect(m_cboBank, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_syncing) bankSelection();
    });
    connect(m_cboDateType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_syncing) m_model->setDateType(index);
    });
    connect(m_cboLanguage, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_syncing) m_model->setLanguageName(m_cboLanguage->currentText());
    });
    connect(m_cboPrinterName, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_syncing) m_model->setPrinterName(m_cboPrinterName->currentText());
    });
    // The working copy follows what the boxes hold, however the text got there
    // (keys, paste, a screen reader, a program).
    connect(m_txtBankName, &QLineEdit::textChanged, m_model, &ChequeFormatModel::setBankName);
    connect(m_txtBankCode, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_syncing) return;
        if (m_txtBankCode->isReadOnly()) {
            // Only an assistive or programmatic edit reaches a read-only box: undo it.
            showInBox(m_txtBankCode, m_model->bankCode());
            return;
        }
        m_model->setBankCode(text);
    });
    for (QLineEdit* box :
         {m_txtBankCode, m_txtChequeWidth, m_txtChequeHeight, m_txtXLeft, m_txtYTop, m_txtWidth}) {
        box->installEventFilter(this);
        // A typed box's rule runs when it is left; text set while the user is
        // elsewhere (a screen reader, a program) is taken at once.
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            if (m_syncing || box->isReadOnly()) return;
            box->setModified(true);
            if (!box->hasFocus()) boxLostFocus(box);
        });
    }

    connect(m_cmdFontSetting, &QPushButton::clicked, m_model, &ChequeFormatModel::chooseFieldFont);
    connect(m_model, &ChequeFormatModel::changed, this, &FormatDesigner::showWorkingCopy);
    connect(m_model, &ChequeFormatModel::panelRefreshRequested, this,
            &FormatDesigner::refreshPanel);
    connect(m_model, &ChequeFormatModel::dateStyleChanged, this, &FormatDesigner::placeHandles);
}

// ---------------------------------------------------------------- drawing

namespace {

void paintDrawing(QImage& image, const geo::Drawing& drawing, const QColor& lineColour,
                  const QFont& font, double dpiX, double dpiY) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(lineColour, 0));
    auto px = [dpiX](double t) { return std::lround(units::twipsToPixels(t, dpiX)); };
    auto py = [dpiY](double t) { return std::lround(units::twipsToPixels(t, dpiY)); };
    for (const geo::Line& line : drawing.lines)
        painter.drawLine(QPoint(px(line.x1), py(line.y1)), QPoint(px(line.x2), py(line.y2)));
    painter.setFont(font);
    const QFontMetricsF metrics(font, &image);
    for (const geo::Text& text : drawing.texts)
        painter.drawText(QPointF(px(text.x), py(text.y) + metrics.ascent()), text.text);
}

}  // namespace

void FormatDesigner::drawHorizontalRuler(PicturePane* ruler) {
    const auto drawing = geo::horizontalRuler(toTwipsX(ruler->width()), toTwipsY(ruler->height()));
    paintDrawing(ruler->image(), drawing, palette().color(QPalette::WindowText), font(), m_dpiX,
                 m_dpiY);
    ruler->update();
}

void FormatDesigner::drawVerticalRuler(PicturePane* ruler) {
    const auto drawing = geo::verticalRuler(toTwipsX(ruler->width()), toTwipsY(ruler->height()));
    paintDrawing(ruler->image(), drawing, palette().color(QPalette::WindowText), font(), m_dpiX,
                 m_dpiY);
    ruler->update();
}

void FormatDesigner::drawChequeGrid() {
    geo::Drawing drawing;
    drawing.lines = geo::chequeGrid(toTwipsX(m_picCheque->width()), toTwipsY(m_picCheque->height()),
                                    toTwipsY(m_picVRuler->height()));
    paintDrawing(m_picCheque->image(), drawing, kGridColour, font(), m_dpiX, m_dpiY);
    m_picCheque->update();
}

// ---------------------------------------------------------------- opening

bool FormatDesigner::load() {
    try {
        m_cmdChequeLocation->setText(QStringLiteral("Cheque\n&Location"));

        m_picHRuler->setPictureSize({m_picCheque->width(), m_picHRuler->height()});
        m_picVRuler->setPictureSize({m_picVRuler->width(), m_picCheque->height()});
        drawHorizontalRuler(m_picHRuler);
        drawVerticalRuler(m_picVRuler);
        drawChequeGrid();

        setMode(DesignerMode::Browse);

        m_syncing = true;
        m_cboDateType->clear();
        m_cboDateType->addItems(ChequeFormatModel::dateTypeNames());
        m_cboDateType->setCurrentIndex(-1);
        m_syncing = false;
        m_cboDateType->setCurrentIndex(0);

        m_model->loadLanguages();
        m_syncing = true;
        m_cboLanguage->clear();
        m_cboLanguage->addItems(m_model->languageNames());
        m_syncing = false;
        m_cboLanguage->setCurrentIndex(0);
        m_model->setLanguageName(m_cboLanguage->currentText());

        m_syncing = true;
        m_cboPrinterName->clear();
        m_cboPrinterName->addItems(m_model->printerChoices());
        m_syncing = false;

        m_model->resetChequeFormat();

        m_syncing = true;
        m_cboBank->clear();
        for (const ChequeFormat& format : ChequeFormatStore::listById(*m_context.db))
            m_cboBank->addItem(format.bankCode + QStringLiteral(" - ") + format.bankName);
        m_cboBank->setCurrentIndex(-1);
        m_syncing = false;
        setMode(DesignerMode::Browse);  // Edit and Delete follow the list
        if (m_cboBank->count() > 0) m_cboBank->setCurrentIndex(0);  // runs the bank selection
        return true;
    } catch (const DbError& error) {
        m_syncing = false;
        showDbError(*m_context.dialogs, error);
        return false;
    }
}

// ---------------------------------------------------------------- binding

void FormatDesigner::setMode(DesignerMode mode) {
    m_mode = mode;
    if (m_resizeHandle >= 0) {  // a resize cut short
        m_picCheque->releaseMouse();
        m_resizeHandle = -1;
    }
    // The handles belong to a field being placed; browse mode places nothing.
    if (mode == DesignerMode::Browse) hideHandles();
    const DesignerControlStates s = designerControlStates(mode, m_cboBank->count() > 0);
    for (QWidget* w : std::initializer_list<QWidget*>{m_picCheque, m_frameBank, m_frameSettings,
                                                      m_framePrintSet, m_cmdSave})
        w->setEnabled(s.editing);
    m_cboBank->setEnabled(s.bankList);
    m_cmdAdd->setEnabled(s.add);
    m_cmdAdd->setText(s.addCaption);
    m_cmdEdit->setEnabled(s.edit);
    m_cmdEdit->setText(s.editCaption);
    m_cmdDelete->setEnabled(s.remove);
    m_txtBankCode->setReadOnly(s.codeReadOnly);
}

void FormatDesigner::showWorkingCopy() {
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    const ChequeFormatModel& model = *m_model;
    setTextIfChanged(m_txtBankName, model.bankName());
    setTextIfChanged(m_txtBankCode, model.bankCode());
    setTextIfChanged(m_txtChequeWidth, model.chequeWidthText());
    setTextIfChanged(m_txtChequeHeight, model.chequeHeightText());
    if (m_cboDateType->count() > 0) m_cboDateType->setCurrentIndex(model.dateType());
    if (m_cboLanguage->count() > 0 || !model.languageName().isEmpty())
        showInList(m_cboLanguage, model.languageName());
    if (m_cboPrinterName->count() > 0) showInList(m_cboPrinterName, model.printerName());
    m_syncing = wasSyncing;
    showLabels();
}

void FormatDesigner::showLabels() {
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    const ChequeFormatModel& model = *m_model;
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldLabel& field = model.labels()[i];
        QLabel* label = m_chequeLabels[static_cast<size_t>(i)];
        label->setGeometry(toPixelsX(field.left), toPixelsY(field.top), toPixelsX(field.width),
                           toPixelsY(field.height));
        QFont font(field.font.face);
        font.setPointSizeF(field.font.size > 0 ? field.font.size : 9.0);
        font.setBold(field.font.bold);
        label->setFont(font);
        label->setVisible(field.visible);
    }
    m_syncing = wasSyncing;
    placeHandles(model.selectedField());
}

void FormatDesigner::refreshPanel(int field) {
    if (field < 0 || field >= kFieldCount) return;
    const FieldLabel& label = m_model->labels()[field];
    m_frameSettings->setTitle(QString::fromLatin1(kPanelTitles[field]));
    m_lblFont->setText(label.font.face);
    m_lblFontSize->setText(QString::number(static_cast<double>(label.font.size)));
    m_lblFontStyle->setText(label.font.bold ? QStringLiteral("Bold") : QStringLiteral("Normal"));
    showInBox(m_txtXLeft, units::twipsToInchText(label.left));
    showInBox(m_txtYTop, units::twipsToInchText(label.top));
    showInBox(m_txtWidth, units::twipsToInchText(label.width));
}

void FormatDesigner::showInBox(QLineEdit* box, const QString& text) {
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    setTextIfChanged(box, text);
    box->setModified(false);
    m_syncing = wasSyncing;
}

void FormatDesigner::selectFieldZero() {
    m_model->setSelectedField(FieldDate);
    refreshPanel(FieldDate);
}

void FormatDesigner::showHandles() {
    for (QWidget* handle : m_picHandles) {
        handle->setFixedSize(toPixelsX(geo::kHandleSize), toPixelsY(geo::kHandleSize));
        handle->show();
        handle->raise();
    }
}

void FormatDesigner::hideHandles() {
    for (QWidget* handle : m_picHandles) handle->hide();
}

void FormatDesigner::placeHandles(int field) {
    if (field < 0 || field >= kFieldCount) return;
    static const Qt::CursorShape kCursors[8] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    const FieldLabel& label = m_model->labels()[field];
    const double half = geo::halfHandle(toTwipsY(m_picHandles[0]->height()));
    const auto corners =
        geo::handlePositions(label.left, label.top, label.width, label.height, half);
    for (size_t k = 0; k < m_picHandles.size(); ++k) {
        m_picHandles[k]->move(toPixelsX(corners[k].x), toPixelsY(corners[k].y));
        m_picHandles[k]->setCursor(kCursors[k]);
    }
}

QString FormatDesigner::selectedCode() const {
    return ChequeFormatModel::bankCodeOfEntry(m_cboBank->currentText());
}

void FormatDesigner::bankSelection() {
    try {
        m_model->selectBank(m_cboBank->currentText());
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

// ---------------------------------------------------------------- mouse

namespace {

FieldDrag::Buttons buttonsOf(const QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) return FieldDrag::Buttons::None;
    if (event->buttons() == Qt::LeftButton) return FieldDrag::Buttons::LeftOnly;
    return FieldDrag::Buttons::Other;
}

}  // namespace

void FormatDesigner::showDragBox() {
    const FieldDrag::Box& box = m_drag.box();
    m_dragBox->setGeometry(toPixelsX(box.left), toPixelsY(box.top), toPixelsX(box.width),
                           toPixelsY(box.height));
    m_dragBox->setVisible(m_drag.boxVisible());
    m_dragBox->raise();
}

void FormatDesigner::showBoxInPanel() {
    showInBox(m_txtXLeft, units::twipsToInchText(m_drag.box().left));
    showInBox(m_txtYTop, units::twipsToInchText(m_drag.box().top));
    showInBox(m_txtWidth, units::twipsToInchText(m_drag.box().width));
}

bool FormatDesigner::labelMouse(int field, QMouseEvent* event) {
    FieldLabel& label = m_model->labels()[field];
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_drag.pressLabel(label);
            m_model->setSelectedField(field);
            showHandles();
            placeHandles(field);
            refreshPanel(field);
            return true;
        case QEvent::MouseMove: {
            bool hide = false;
            const QPointF at = event->position();
            if (m_drag.moveOverLabel(buttonsOf(event), static_cast<float>(toTwipsX(at.x())),
                                     static_cast<float>(toTwipsY(at.y())), label, &hide)) {
                if (hide) hideHandles();
                showDragBox();
                showBoxInPanel();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            m_drag.dropOn(label);
            showDragBox();
            showWorkingCopy();
            placeHandles(field);
            showHandles();
            return true;
        default:
            return true;
    }
}

bool FormatDesigner::handleMouse(int handle, QMouseEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (event->button() != Qt::LeftButton) return true;
            m_drag.pressHandle(m_model->labels()[m_model->selectedField()]);
            hideHandles();
            // The handle is hidden now: the canvas holds the mouse until the release.
            m_resizeHandle = handle;
            m_picCheque->grabMouse(m_picHandles[static_cast<size_t>(handle)]->cursor());
            return true;
        case QEvent::MouseMove:
            if (buttonsOf(event) == FieldDrag::Buttons::None)
                m_drag.moveOverHandle(FieldDrag::Buttons::None, handle, 0, 0, 0, 0,
                                      m_model->labels()[m_model->selectedField()], 0, 0);
            return true;
        default:
            return true;
    }
}

bool FormatDesigner::canvasMouse(QMouseEvent* event) {
    const int k = m_resizeHandle;
    if (k < 0) {
        // A click on the bare canvas hides the handles; the selection stays.
        if (event->type() == QEvent::MouseButtonRelease) hideHandles();
        return false;
    }
    FieldLabel& label = m_model->labels()[m_model->selectedField()];
    const QPointF at = event->position();
    const double px = toTwipsX(at.x());
    const double py = toTwipsY(at.y());
    switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint corner = m_picHandles[static_cast<size_t>(k)]->pos();
            const auto x = static_cast<float>(px - toTwipsX(corner.x()));
            const auto y = static_cast<float>(py - toTwipsY(corner.y()));
            if (m_drag.moveOverHandle(buttonsOf(event), k, x, y, px, py, label,
                                      toTwipsX(m_picCheque->width()),
                                      toTwipsY(m_picCheque->height()))) {
                showDragBox();
                showBoxInPanel();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            m_picCheque->releaseMouse();
            m_resizeHandle = -1;
            m_drag.releaseOnHandle(label);
            showDragBox();
            showWorkingCopy();
            placeHandles(m_model->selectedField());
            showHandles();
            return true;
        default:
            return true;
    }
}

// ---------------------------------------------------------------- typed boxes

bool FormatDesigner::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::MouseButtonDblClick: {
            // The canvas answers only while adding or editing.
            if (m_mode == DesignerMode::Browse || !isCanvasPart(watched)) break;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (event->type() == QEvent::MouseButtonPress ||
                event->type() == QEvent::MouseButtonDblClick) {
                // The box being typed in is left first, as when the focus moves;
                // a refused number stops the click until its button is released.
                m_mouseRefused = !commitFocusedBox();
                if (m_mouseRefused) return true;
            } else if (m_mouseRefused) {
                if (event->type() == QEvent::MouseButtonRelease) m_mouseRefused = false;
                return true;
            }
            if (watched == m_picCheque) return canvasMouse(mouse);
            for (int i = 0; i < kFieldCount; ++i)
                if (watched == m_chequeLabels[static_cast<size_t>(i)]) return labelMouse(i, mouse);
            for (int k = 0; k < 8; ++k)
                if (watched == m_picHandles[static_cast<size_t>(k)]) return handleMouse(k, mouse);
            break;
        }
        default:
            break;
    }
    if (event->type() == QEvent::FocusOut && !m_syncing) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box or a menu taking the focus is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            boxLostFocus(static_cast<QLineEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

bool FormatDesigner::isCanvasPart(QObject* watched) const {
    if (watched == m_picCheque) return true;
    for (QLabel* label : m_chequeLabels)
        if (watched == label) return true;
    for (QWidget* handle : m_picHandles)
        if (watched == handle) return true;
    return false;
}

bool FormatDesigner::boxLostFocus(QLineEdit* box) {
    using Result = ChequeFormatModel::InchResult;
    // A box showing what the window wrote has nothing to take; taking it again
    // would round a dragged position to the hundredth.
    if (!box->isModified()) return true;
    if (box == m_txtBankCode) {
        showInBox(box, m_model->typeBankCode(box->text()));
        return true;
    }
    ChequeFormatModel::InchEntry entry;
    if (box == m_txtChequeWidth) {
        entry = m_model->typeChequeWidth(box->text());
    } else if (box == m_txtChequeHeight) {
        entry = m_model->typeChequeHeight(box->text());
    } else {
        const auto axis = box == m_txtXLeft  ? ChequeFormatModel::Axis::Left
                          : box == m_txtYTop ? ChequeFormatModel::Axis::Top
                                             : ChequeFormatModel::Axis::Width;
        entry = m_model->typeFieldInches(axis, box->text());
        // Only the labels: another box may hold text not yet taken.
        if (entry.result == Result::Accepted) showLabels();
    }
    if (entry.result == Result::Negative) {
        // Back to the box for correction, once the focus has settled.
        QTimer::singleShot(0, box, [box] {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        });
        return false;
    }
    showInBox(box, entry.text);
    return true;
}

bool FormatDesigner::commitFocusedBox() {
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    if (!box) return true;
    for (QLineEdit* typed :
         {m_txtBankCode, m_txtChequeWidth, m_txtChequeHeight, m_txtXLeft, m_txtYTop, m_txtWidth})
        if (box == typed) return boxLostFocus(box);
    return true;
}

// ---------------------------------------------------------------- workflow

void FormatDesigner::add() {
    if (m_mode == DesignerMode::Adding) {
        setMode(DesignerMode::Browse);
        m_model->resetChequeFormat();
        // An empty list has nothing to show again: the defaults stay.
        if (m_cboBank->currentIndex() >= 0) bankSelection();
        return;
    }
    setMode(DesignerMode::Adding);
    m_txtBankName->setFocus();
    m_model->resetChequeFormat();
    selectFieldZero();
}

void FormatDesigner::edit() {
    if (m_mode == DesignerMode::Editing) {
        setMode(DesignerMode::Browse);
        bankSelection();
        return;
    }
    setMode(DesignerMode::Editing);
    m_txtBankName->setFocus();
    selectFieldZero();
}

bool FormatDesigner::saveNew() {
    using Outcome = ChequeFormatModel::SaveOutcome;
    try {
        switch (m_model->saveNewFormat()) {
            case Outcome::EmptyName:
                m_txtBankName->setFocus();
                return false;
            case Outcome::DuplicateCode:
                m_txtBankCode->setFocus();
                return false;
            case Outcome::EmptyCode:
            case Outcome::Refused:
                return false;
            case Outcome::Saved:
                break;
        }
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
    m_syncing = true;
    m_cboBank->addItem(m_model->bankCode() + QStringLiteral(" - ") + m_model->bankName());
    m_cboBank->setCurrentIndex(m_cboBank->count() - 1);
    m_syncing = false;
    setMode(DesignerMode::Browse);
    bankSelection();
    return true;
}

bool FormatDesigner::saveEdited() {
    try {
        const auto outcome = m_model->saveEditedFormat(selectedCode());
        if (outcome == ChequeFormatModel::SaveOutcome::EmptyName) m_txtBankName->setFocus();
        if (outcome != ChequeFormatModel::SaveOutcome::Saved) return false;
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
    setMode(DesignerMode::Browse);
    return true;
}

void FormatDesigner::save() {
    if (!commitFocusedBox()) return;
    if (m_mode == DesignerMode::Adding)
        saveNew();
    else if (m_mode == DesignerMode::Editing)
        saveEdited();
}

// The location window works on the working copy; a size box still being typed
// in is taken first, as when it loses the focus.
void FormatDesigner::openChequeLocation() {
    if (!commitFocusedBox()) return;
    ChequeLocationDialog location(m_context, *m_model, this);
    m_context.dialogs->showModal(&location);
    if (const auto& placement = location.placement()) {
        m_model->setChequeTop(placement->top);
        m_model->setChequeLeft(placement->left);
        m_model->setOrientationCode(placement->orientationCode);
    }
}

void FormatDesigner::printSample() {
    if (!commitFocusedBox()) return;
    try {
        AlignmentSheets::printDesignerSample(m_context, *m_model, m_cboBank->currentText());
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void FormatDesigner::printRuler() {
    if (!commitFocusedBox()) return;
    try {
        AlignmentSheets::printDesignerRuler(m_context, *m_model, m_cboBank->currentText());
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void FormatDesigner::remove() {
    if (m_cboBank->currentIndex() < 0) return;
    try {
        if (!m_model->deleteChequeFormat(selectedCode())) return;
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return;
    }
    m_syncing = true;
    m_cboBank->removeItem(m_cboBank->currentIndex());
    m_cboBank->setCurrentIndex(m_cboBank->count() > 0 ? 0 : -1);
    m_syncing = false;
    if (m_cboBank->count() > 0) {
        // A new format being typed stays; otherwise the first entry is shown.
        if (m_mode != DesignerMode::Adding) bankSelection();
        return;
    }
    if (m_mode == DesignerMode::Adding) {
        setMode(DesignerMode::Adding);
    } else {
        // Nothing is left to edit.
        m_model->resetChequeFormat();
        setMode(DesignerMode::Browse);
    }
}

void FormatDesigner::closeDesigner() { reject(); }

bool FormatDesigner::closeUpdate() {
    try {
        return m_model->updateChequeFormat(selectedCode());
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
        return false;
    }
}

void FormatDesigner::reject() {
    if (m_closing) return;
    if (m_mode != DesignerMode::Browse) {
        const auto answer = m_context.dialogs->message(
            QStringLiteral("Save before exit?"), QStringLiteral("Save Bank's Cheque"),
            Dialogs::Icon::None, Dialogs::Buttons::YesNoCancel);
        if (answer == Dialogs::Answer::Cancel) return;
        if (answer == Dialogs::Answer::Yes) {
            if (!commitFocusedBox()) return;
            // A refused or failed save keeps the window open in its mode.
            const bool saved = m_mode == DesignerMode::Adding ? saveNew() : closeUpdate();
            if (!saved) return;
        }
    }
    m_closing = true;
    QDialog::reject();
    m_closing = false;
}
