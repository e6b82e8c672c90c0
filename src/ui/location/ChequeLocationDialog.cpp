#include "ui/location/ChequeLocationDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "designer/ChequeFormatModel.h"
#include "store/DbError.h"
#include "platform/AppContext.h"
#include "core/Units.h"
#include "designer/AlignmentSheets.h"
#include "ui/Named.h"
#include "ui/UiErrors.h"
#include "ui/location/SpinButton.h"

namespace {

// The preview area holding the sheet picture, twips.
constexpr double kPreviewWidth = 2295.0;
constexpr double kPreviewHeight = 2055.0;
// The pictures show the sheet and the cheque at one tenth.
constexpr double kScale = 10.0;


int pixelsX(double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiX())); }
int pixelsY(double twips) { return qRound(units::twipsToPixels(twips, units::screenDpiY())); }

void fill(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

const QColor kChequeColour(0xff, 0xc0, 0xc0);

// A sheet in the given orientation with the cheque lying at its top (upright
// sheet) or at its bottom (turned sheet).
QPixmap orientationIcon(bool upright) {
    const int size = 32;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QRectF sheet = upright ? QRectF(7.5, 1.5, 17, 29) : QRectF(1.5, 7.5, 29, 17);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    const double chequeHeight = 6;
    const QRectF cheque(sheet.left() + 2,
                        upright ? sheet.top() + 2 : sheet.bottom() - 2 - chequeHeight,
                        sheet.width() - 4, chequeHeight);
    p.setBrush(kChequeColour);
    p.setPen(QPen(QColor(0xa0, 0x40, 0x40), 1));
    p.drawRect(cheque);
    return pixmap;
}

}  // namespace

ChequeLocationDialog::ChequeLocationDialog(AppContext& context, const ChequeFormatModel& designer,
                                           QWidget* parent)
    : QDialog(parent), m_context(context), m_designer(designer) {
    setObjectName(QStringLiteral("frmChequeLocation"));
    setWindowTitle(QStringLiteral("Quorvanta - Cheque's location adjustment"));
    buildUi();

    // The choice of the designer's orientation, the sheet, the cheque and then
    // the designer's offsets.
    m_location.open(designer.chequeTop(), designer.chequeLeft(), designer.orientationCode(),
                    designer.chequeWidthText(), designer.chequeHeightText());
    const bool landscape = m_location.orientation() == ChequeLocation::Orientation::Landscape;
    m_optLandscape->setChecked(landscape);
    m_optPortrait->setChecked(!landscape);
    sheetLayout();
    sizeCheque();
    showTop();
    showLeft();

    connectControls();
}

void ChequeLocationDialog::buildUi() {
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(buildTips(), 0, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addWidget(buildFastClick());
    left->addWidget(buildLocation());
    left->addStretch(1);
    layout->addLayout(left, 1, 0);

    auto* right = new QVBoxLayout;
    right->addWidget(buildPreview(), 0, Qt::AlignHCenter);
    right->addWidget(buildOrientation());
    right->addStretch(1);
    layout->addLayout(right, 1, 1);

    m_cmdPrintSample =
        named(new QPushButton(QStringLiteral("&Print Sample"), this), "cmdPrintSample");
    m_cmdPrintSample->setAutoDefault(false);
    m_cmdOk = named(new QPushButton(QStringLiteral("&Ok"), this), "cmdOk");
    m_cmdCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");
    m_cmdOk->setDefault(true);
    m_cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdPrintSample);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);
}

QFrame* ChequeLocationDialog::buildTips() {
    m_picTips = named(new QFrame(this), "picTips");
    m_picTips->setFrameShape(QFrame::StyledPanel);
    fill(m_picTips, QColor(0xff, 0xff, 0xe1));
    auto* icon = new QLabel(m_picTips);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    m_lblNotes = named(new QLabel(m_picTips), "lblNotes");
    m_lblNotes->setText(QStringLiteral(
        "Please be aware that the coordinate of (0,0) is not the edge of the A4 paper due to "
        "non-printable area of the printer. The coordinate may have negative value in order to "
        "print accurately."));
    m_lblNotes->setWordWrap(true);
    m_lblNotes->setFixedWidth(360);
    auto* layout = new QHBoxLayout(m_picTips);
    layout->addWidget(icon);
    layout->addWidget(m_lblNotes, 1);
    return m_picTips;
}

QGroupBox* ChequeLocationDialog::buildFastClick() {
    m_frameLocation2 = named(new QGroupBox(QStringLiteral("Fast click"), this), "frameLocation2");
    auto button = [this](const char* name, const char* text) {
        auto* b = named(new QPushButton(QString::fromLatin1(text), m_frameLocation2), name);
        b->setAutoDefault(false);
        return b;
    };
    m_cmdTop = button("cmdTop", "&Top");
    m_cmdBottom = button("cmdBottom", "&Bottom");
    m_cmdLeft = button("cmdLeft", "&Left");
    m_cmdRight = button("cmdRight", "&Right");
    m_cmdHCenter = button("cmdHCenter", "&HCenter");
    m_cmdHCenter->setToolTip(QStringLiteral("Center holizontally"));
    m_cmdVCenter = button("cmdVCenter", "&VCenter");
    m_cmdVCenter->setToolTip(QStringLiteral("Center vertically"));
    auto* grid = new QGridLayout(m_frameLocation2);
    grid->addWidget(m_cmdTop, 0, 0);
    grid->addWidget(m_cmdLeft, 0, 1);
    grid->addWidget(m_cmdHCenter, 0, 2);
    grid->addWidget(m_cmdBottom, 1, 0);
    grid->addWidget(m_cmdRight, 1, 1);
    grid->addWidget(m_cmdVCenter, 1, 2);
    return m_frameLocation2;
}

QGroupBox* ChequeLocationDialog::buildLocation() {
    m_frameLocation =
        named(new QGroupBox(QStringLiteral("Cheque Location"), this), "frameLocation");
    auto row = [this](const char* labelName, const char* text, const char* boxName,
                      const char* spinName, QLabel*& label, QLineEdit*& box, SpinButton*& spin) {
        label = named(new QLabel(QString::fromLatin1(text), m_frameLocation), labelName);
        box = named(new QLineEdit(m_frameLocation), boxName);
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(80);
        spin = named(new SpinButton(m_frameLocation), spinName);
        spin->setFixedHeight(box->sizeHint().height() + 4);
        label->setBuddy(box);
    };
    row("lblTop", "Top:", "txtTop", "SBTop", m_lblTop, m_txtTop, m_topSpin);
    row("lblLeft", "Left:", "txtLeft", "SBLeft", m_lblLeft, m_txtLeft, m_leftSpin);
    auto* grid = new QGridLayout(m_frameLocation);
    grid->addWidget(m_lblTop, 0, 0);
    grid->addWidget(m_txtTop, 0, 1);
    grid->addWidget(m_topSpin, 0, 2);
    grid->addWidget(m_lblLeft, 1, 0);
    grid->addWidget(m_txtLeft, 1, 1);
    grid->addWidget(m_leftSpin, 1, 2);
    grid->setColumnStretch(3, 1);
    return m_frameLocation;
}

QGroupBox* ChequeLocationDialog::buildOrientation() {
    m_frameOrientation =
        named(new QGroupBox(QStringLiteral("Orientation"), this), "frameOrientation");
    m_optLandscape =
        named(new QRadioButton(QStringLiteral("Landscape"), m_frameOrientation), "optLandscape");
    m_optPortrait =
        named(new QRadioButton(QStringLiteral("Portrait"), m_frameOrientation), "optPortrait");
    m_imgLandscape = named(new QLabel(m_frameOrientation), "imgLandscape");
    m_imgLandscape->setPixmap(orientationIcon(true));
    m_imgPortrait = named(new QLabel(m_frameOrientation), "imgPortrait");
    m_imgPortrait->setPixmap(orientationIcon(false));
    auto* options = new QVBoxLayout;
    options->addWidget(m_optLandscape);
    options->addWidget(m_optPortrait);
    auto* layout = new QHBoxLayout(m_frameOrientation);
    layout->addLayout(options);
    layout->addStretch(1);
    // Both icons share one place; only the chosen one is shown.
    auto* icons = new QGridLayout;
    icons->addWidget(m_imgLandscape, 0, 0, Qt::AlignCenter);
    icons->addWidget(m_imgPortrait, 0, 0, Qt::AlignCenter);
    layout->addLayout(icons);
    return m_frameOrientation;
}

QFrame* ChequeLocationDialog::buildPreview() {
    m_picPreview = named(new QFrame(this), "picPreview");
    m_picPreview->setFixedSize(pixelsX(kPreviewWidth), pixelsY(kPreviewHeight));
    fill(m_picPreview, QColor(0x80, 0x80, 0x80));

    m_picPaper = named(new QFrame(m_picPreview), "picPaper");
    m_picPaper->setFrameShape(QFrame::Box);
    m_picPaper->setLineWidth(1);
    fill(m_picPaper, Qt::white);

    // A child of the preview area, not of the sheet, so that a cheque reaching
    // beyond the printable area still shows where it lies.
    m_picCheque = named(new QFrame(m_picPreview), "picCheque");
    m_picCheque->setFrameShape(QFrame::Box);
    m_picCheque->setLineWidth(1);
    fill(m_picCheque, kChequeColour);
    m_lblA = named(new QLabel(QStringLiteral("A"), m_picCheque), "lblA");
    m_lblA->adjustSize();
    m_picCheque->raise();
    return m_picPreview;
}

void ChequeLocationDialog::connectControls() {
    connect(m_cmdTop, &QPushButton::clicked, this, &ChequeLocationDialog::alignTop);
    connect(m_cmdBottom, &QPushButton::clicked, this, &ChequeLocationDialog::alignBottom);
    connect(m_cmdLeft, &QPushButton::clicked, this, &ChequeLocationDialog::alignLeft);
    connect(m_cmdRight, &QPushButton::clicked, this, &ChequeLocationDialog::alignRight);
    connect(m_cmdHCenter, &QPushButton::clicked, this, &ChequeLocationDialog::centreHorizontally);
    connect(m_cmdVCenter, &QPushButton::clicked, this, &ChequeLocationDialog::centreVertically);
    connect(m_cmdPrintSample, &QPushButton::clicked, this,
            &ChequeLocationDialog::printSample);
    connect(m_cmdOk, &QPushButton::clicked, this, &ChequeLocationDialog::confirm);
    connect(m_cmdCancel, &QPushButton::clicked, this, &ChequeLocationDialog::cancel);

    connect(m_topSpin, &SpinButton::upperClicked, this, [this] {
        m_location.stepTop(true);
        showTop();
    });
    connect(m_topSpin, &SpinButton::lowerClicked, this, [this] {
        m_location.stepTop(false);
        showTop();
    });
    connect(m_leftSpin, &SpinButton::upperClicked, this, [this] {
        m_location.stepLeft(true);
        showLeft();
    });
    connect(m_leftSpin, &SpinButton::lowerClicked, this, [this] {
        m_location.stepLeft(false);
        showLeft();
    });

    // The boxes only show the location: an edit that gets past their read-only
    // state (an assistive or programmatic one) is undone.
    connect(m_txtTop, &QLineEdit::textChanged, this, &ChequeLocationDialog::showTop);
    connect(m_txtLeft, &QLineEdit::textChanged, this, &ChequeLocationDialog::showLeft);

    connect(m_optLandscape, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) chooseOrientation(ChequeLocation::Orientation::Landscape);
    });
    connect(m_optPortrait, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) chooseOrientation(ChequeLocation::Orientation::Portrait);
    });
}

void ChequeLocationDialog::chooseOrientation(ChequeLocation::Orientation orientation) {
    m_location.chooseOrientation(orientation);
    sheetLayout();
    showTop();
}

void ChequeLocationDialog::sheetLayout() {
    const bool landscape = m_location.orientation() == ChequeLocation::Orientation::Landscape;
    m_imgLandscape->setVisible(landscape);
    m_imgPortrait->setVisible(!landscape);
    const double width = m_location.sheetWidth() / kScale;
    const double height = m_location.sheetHeight() / kScale;
    const double left = (kPreviewWidth - width) / 2.0;
    const double top = (kPreviewHeight - height) / 2.0;
    m_picPaper->setGeometry(pixelsX(left), pixelsY(top), pixelsX(left + width) - pixelsX(left),
                            pixelsY(top + height) - pixelsY(top));
    placeCheque();
}

void ChequeLocationDialog::sizeCheque() {
    placeCheque();
    m_lblA->move((m_picCheque->width() - m_lblA->width()) / 2,
                 (m_picCheque->height() - m_lblA->height()) / 2);
}

void ChequeLocationDialog::showTop() {
    m_txtTop->setText(ChequeLocation::inchText(m_location.top()));
    placeCheque();
}

void ChequeLocationDialog::showLeft() {
    m_txtLeft->setText(ChequeLocation::inchText(m_location.left()));
    placeCheque();
}

// The cheque picture on the sheet picture, each edge rounded to the pixel it
// falls on, so the cheque meets the sheet's edges where it should.
void ChequeLocationDialog::placeCheque() {
    const double width = m_location.sheetWidth() / kScale;
    const double height = m_location.sheetHeight() / kScale;
    const double sheetLeft = (kPreviewWidth - width) / 2.0;
    const double sheetTop = (kPreviewHeight - height) / 2.0;
    const double left = sheetLeft + m_location.left() / kScale;
    const double top = sheetTop + m_location.top() / kScale;
    const double right = left + m_location.chequeWidth() / kScale;
    const double bottom = top + m_location.chequeHeight() / kScale;
    m_picCheque->setGeometry(pixelsX(left), pixelsY(top),
                             std::max(0, pixelsX(right) - pixelsX(left)),
                             std::max(0, pixelsY(bottom) - pixelsY(top)));
}

void ChequeLocationDialog::alignTop() {
    m_location.alignTop();
    showTop();
}

void ChequeLocationDialog::alignBottom() {
    m_location.alignBottom();
    showTop();
}

void ChequeLocationDialog::alignLeft() {
    m_location.alignLeft();
    showLeft();
}

void ChequeLocationDialog::alignRight() {
    m_location.alignRight();
    showLeft();
}

void ChequeLocationDialog::centreHorizontally() {
    m_location.centreHorizontally();
    showLeft();
}

void ChequeLocationDialog::centreVertically() {
    m_location.centreVertically();
    showTop();
}

void ChequeLocationDialog::printSample() {
    const int code = m_optLandscape->isChecked() ? 1 : m_optPortrait->isChecked() ? 2 : 0;
    try {
        AlignmentSheets::printLocationSample(m_context, m_designer, m_location.top(),
                                             m_location.left(), code);
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void ChequeLocationDialog::confirm() {
    m_placement = ChequePlacement{m_location.top(), m_location.left(),
                                  m_optLandscape->isChecked() ? 1 : 2};
    accept();
}

void ChequeLocationDialog::cancel() { reject(); }
