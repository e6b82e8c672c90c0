#include "ui/options/OptionsDialog.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "store/CompanyStore.h"
#include "store/DbError.h"
#include "store/SettingsStore.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "core/Units.h"
#include "print/DateRendering.h"
#include "ui/Named.h"
#include "ui/UiErrors.h"

namespace {

const QString kDefaultDateFormat = QStringLiteral("dd mmm yyyy");
constexpr int kColumnNo = 0;
constexpr int kColumnName = 1;
constexpr int kColumnId = 2;


int twipsToScreen(double twips) {
    return static_cast<int>(units::twipsToPixels(twips, units::screenDpiX()) + 0.5);
}

// A cheque with a pen stroke, drawn at the given size.
QPixmap drawLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cheque(size * 0.06, size * 0.24, size * 0.88, size * 0.52);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), size / 40.0));
    p.setBrush(QColor(0xe8, 0xf1, 0xfa));
    p.drawRoundedRect(cheque, size * 0.05, size * 0.05);
    p.setPen(QPen(QColor(0x7f, 0x9c, 0xb8), size / 64.0));
    for (int i = 0; i < 3; ++i) {
        const double y = cheque.top() + cheque.height() * (0.35 + 0.2 * i);
        p.drawLine(QPointF(cheque.left() + size * 0.08, y),
                   QPointF(cheque.right() - size * (i == 0 ? 0.3 : 0.08), y));
    }
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), size / 48.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(
        QRectF(cheque.right() - size * 0.26, cheque.top() + size * 0.06, size * 0.18, size * 0.1));
    QPainterPath signature;
    signature.moveTo(cheque.left() + size * 0.45, cheque.bottom() - size * 0.08);
    signature.cubicTo(cheque.left() + size * 0.55, cheque.bottom() - size * 0.2,
                      cheque.left() + size * 0.6, cheque.bottom(), cheque.right() - size * 0.1,
                      cheque.bottom() - size * 0.14);
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), size / 36.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(signature);
    return pixmap;
}

}  // namespace

OptionsDialog::OptionsDialog(AppContext& context, const UserSettings& settings, QWidget* parent)
    : QDialog(parent), m_context(context), m_settings(settings) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    buildUi();
    loadOptions();
    try {
        fillRecipients();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
    m_lblTitle->setText(AppInfo::title());
    m_lblVersion->setText(AppInfo::versionCaption());
}

void OptionsDialog::buildUi() {
    m_tabStrip = named(new QTabWidget(this), "TabStrip1");
    m_tabStrip->addTab(buildGeneralPage(), QStringLiteral("General"));
    m_tabStrip->addTab(buildRecipientsPage(), QStringLiteral("Edit Recipients"));
    m_tabStrip->addTab(buildAboutPage(), QStringLiteral("About"));
    const QString keys[] = {QStringLiteral("General"), QStringLiteral("EditRecipients"),
                            QStringLiteral("About")};
    for (int i = 0; i < 3; ++i) m_tabStrip->tabBar()->setTabData(i, keys[i]);
    m_tabStrip->setCurrentIndex(0);

    m_cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    m_cmdOK->setDefault(true);
    m_cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);

    auto* root = new QVBoxLayout(this);
    root->addWidget(m_tabStrip, 1);
    root->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(m_cmdCancel, &QPushButton::clicked, this, &OptionsDialog::cancel);
    setMinimumSize(600, 440);
}

QWidget* OptionsDialog::buildGeneralPage() {
    auto* page = named(new QWidget, "PicTab0");
    m_chkAlertUser = named(
        new QCheckBox(QStringLiteral("Alert user if the 'Pay To'  field is not filled"), page),
        "chkAlertUser");
    m_chkClearData =
        named(new QCheckBox(QStringLiteral("Clear 'Pay To' and 'Amount' fields after print"), page),
              "chkClearData");
    m_chkSaveChange =
        named(new QCheckBox(QStringLiteral("Save changes before exit"), page), "chkSaveChange");

    m_frameDateFormat =
        named(new QGroupBox(QStringLiteral("Date Format"), page), "frameDateFormat");
    m_txtDate = named(new QLineEdit(m_frameDateFormat), "txtDate");
    m_lblSampleDate = named(new QLabel(m_frameDateFormat), "lblSampleDate");
    m_lblSampleDate->setMinimumHeight(m_lblSampleDate->fontMetrics().lineSpacing() * 2 + 4);
    m_lblSampleDate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* dateLayout = new QVBoxLayout(m_frameDateFormat);
    dateLayout->addWidget(m_txtDate);
    dateLayout->addWidget(m_lblSampleDate);
    m_txtDate->installEventFilter(this);

    m_cmdDefault =
        named(new QPushButton(QStringLiteral("Set Default Settings"), page), "cmdDefault");
    auto* defaultRow = new QHBoxLayout;
    defaultRow->addStretch(1);
    defaultRow->addWidget(m_cmdDefault);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_chkAlertUser);
    layout->addWidget(m_chkClearData);
    layout->addWidget(m_chkSaveChange);
    layout->addSpacing(8);
    layout->addWidget(m_frameDateFormat);
    layout->addStretch(1);
    layout->addLayout(defaultRow);

    connect(m_cmdDefault, &QPushButton::clicked, this, &OptionsDialog::restoreDefaults);
    // The sample follows the pattern as it is typed, and again when the box is left.
    connect(m_txtDate, &QLineEdit::textChanged, this, &OptionsDialog::refreshDateSample);
    return page;
}

QWidget* OptionsDialog::buildRecipientsPage() {
    auto* page = named(new QWidget, "PicTab1");
    m_lvRecipients = named(new QTreeWidget(page), "LVRecipients");
    m_lvRecipients->setColumnCount(3);
    m_lvRecipients->setHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("ID")});
    m_lvRecipients->setRootIsDecorated(false);
    m_lvRecipients->setUniformRowHeights(true);
    m_lvRecipients->setAllColumnsShowFocus(true);
    m_lvRecipients->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvRecipients->setColumnWidth(kColumnNo, twipsToScreen(600));
    m_lvRecipients->setColumnWidth(kColumnName, twipsToScreen(5000));
    m_lvRecipients->setColumnHidden(kColumnId, true);
    m_lvRecipients->header()->setStretchLastSection(true);

    m_lblStatus = named(new QLabel(page), "lblStatus");
    m_lblStatus->setFrameShape(QFrame::Panel);
    m_lblStatus->setFrameShadow(QFrame::Sunken);
    QSizePolicy keepSpace = m_lblStatus->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    m_lblStatus->setSizePolicy(keepSpace);
    m_lblStatus->setMinimumWidth(
        m_lblStatus->fontMetrics().horizontalAdvance(QStringLiteral(" Edit ")) + 8);
    m_lblStatus->hide();
    m_txtName = named(new QLineEdit(page), "txtName");
    m_txtName->setEnabled(false);
    m_txtName->installEventFilter(this);

    m_cmdAdd = named(new QPushButton(QStringLiteral("Add"), page), "cmdAdd");
    m_cmdEdit = named(new QPushButton(QStringLiteral("Edit"), page), "cmdEdit");
    m_cmdDelete = named(new QPushButton(QStringLiteral("Delete"), page), "cmdDelete");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdAdd);
    buttons->addWidget(m_cmdEdit);
    buttons->addWidget(m_cmdDelete);
    buttons->addStretch(1);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_lblStatus);
    nameRow->addWidget(m_txtName, 1);

    auto* layout = new QGridLayout(page);
    layout->addWidget(m_lvRecipients, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->addLayout(nameRow, 1, 0);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);

    connect(m_cmdAdd, &QPushButton::clicked, this, &OptionsDialog::add);
    connect(m_cmdEdit, &QPushButton::clicked, this, &OptionsDialog::edit);
    connect(m_cmdDelete, &QPushButton::clicked, this, &OptionsDialog::remove);
    connect(m_lvRecipients, &QTreeWidget::currentItemChanged, this, [this] {
        if (m_editing == Editing::None) showSelectedName();
    });
    connect(m_lvRecipients, &QTreeWidget::itemClicked, this, [this] {
        if (m_editing == Editing::None) showSelectedName();
    });
    return page;
}

QWidget* OptionsDialog::buildAboutPage() {
    auto* page = named(new QWidget, "PicTab2");
    m_imgLogo = named(new QLabel(page), "imgLogo");
    m_imgLogo->setPixmap(drawLogo(96));
    m_imgLogo->setFixedSize(96, 96);

    m_lblTitle = named(new QLabel(page), "lblTitle");
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    m_lblVersion = named(new QLabel(page), "lblVersion");

    m_lblLink = named(new QLabel(AppInfo::webAddress(), page), "lblLink");
    QFont linkFont = m_lblLink->font();
    linkFont.setUnderline(true);
    m_lblLink->setFont(linkFont);
    QPalette linkPalette = m_lblLink->palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    m_lblLink->setPalette(linkPalette);
    m_lblLink->setCursor(Qt::PointingHandCursor);
    m_lblLink->setToolTip(AppInfo::webAddress());
    m_lblLink->installEventFilter(this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_lblTitle);
    texts->addWidget(m_lblVersion);
    texts->addSpacing(16);
    texts->addWidget(m_lblLink);
    texts->addStretch(1);

    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(m_imgLogo, 0, Qt::AlignTop);
    layout->addSpacing(16);
    layout->addLayout(texts, 1);
    return page;
}

void OptionsDialog::loadOptions() {
    m_chkSaveChange->setChecked(m_settings.saveChange != 0);
    m_chkClearData->setChecked(m_settings.clearData != 0);
    m_chkAlertUser->setChecked(m_settings.alertUser);
    m_txtDate->setText(m_settings.dateFormat);
    refreshDateSample();
}

void OptionsDialog::refreshDateSample() {
    const QDate today = m_context.clock->now().date();
    m_lblSampleDate->setText(QStringLiteral("Date sample: \r\n") +
                             formatDateStyle(today, m_txtDate->text(), QLocale()));
}

void OptionsDialog::restoreDefaults() {
    const auto answer = m_context.dialogs->message(QStringLiteral("Set default settings?"),
                                                   QStringLiteral("Default Settings"),
                                                   Dialogs::Icon::None, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes) return;
    m_chkAlertUser->setChecked(true);
    m_chkClearData->setChecked(true);
    m_chkSaveChange->setChecked(true);
    m_txtDate->setText(kDefaultDateFormat);
    refreshDateSample();
}

void OptionsDialog::confirm() {
    const int saveChange = m_chkSaveChange->isChecked() ? 1 : 0;
    const int clearData = m_chkClearData->isChecked() ? 1 : 0;
    const int alertUser = m_chkAlertUser->isChecked() ? 1 : 0;
    const QString dateFormat = m_txtDate->text();
    try {
        SettingsStore::writeOptions(*m_context.db, saveChange, clearData, alertUser, dateFormat);
    } catch (const DbError& error) {
        // Nothing was stored: the window stays open with the choices as they are.
        showDbError(*m_context.dialogs, error);
        return;
    }
    m_settings.saveChange = saveChange;
    m_settings.dateFormat = dateFormat;
    m_settings.clearData = clearData;
    m_settings.alertUser = alertUser != 0;
    accept();
}

void OptionsDialog::cancel() { reject(); }

void OptionsDialog::done(int result) {
    // Leaving the window asks about an unfinished payee edit like any other way out
    // of the edit; when the edit goes on (Cancel, or a blank name kept), it stays open.
    if (m_editing != Editing::None && !m_asking) {
        finishEditing();
        if (m_editing != Editing::None) return;
    }
    m_closing = true;
    QDialog::done(result);
}

void OptionsDialog::fillRecipients() {
    m_lvRecipients->clear();
    const auto payees = CompanyStore::listByName(*m_context.db);
    QList<QTreeWidgetItem*> rows;
    int number = 0;
    for (const Payee& payee : payees) {
        auto* row = new QTreeWidgetItem;
        row->setText(kColumnNo, QString::number(++number));
        row->setText(kColumnName, payee.name);
        row->setText(kColumnId, QString::number(payee.id));
        rows << row;
    }
    m_lvRecipients->addTopLevelItems(rows);
    if (!rows.isEmpty()) m_lvRecipients->setCurrentItem(rows.first());
    if (m_editing == Editing::None) showSelectedName();
}

void OptionsDialog::showSelectedName() {
    // An empty list leaves no name behind (a deleted payee's name would linger).
    const QTreeWidgetItem* row = m_lvRecipients->currentItem();
    m_txtName->setText(row ? row->text(kColumnName) : QString());
}

void OptionsDialog::add() {
    m_editing = Editing::Adding;
    m_lblStatus->setText(QStringLiteral(" Add "));
    m_lblStatus->show();
    m_txtName->clear();
    m_txtName->setEnabled(true);
    m_txtName->setFocus(Qt::OtherFocusReason);
}

void OptionsDialog::edit() {
    const QTreeWidgetItem* row = m_lvRecipients->currentItem();
    if (m_lvRecipients->topLevelItemCount() == 0 || !row) return;
    // The payee is fixed now: the selection cannot redirect the save to another row.
    m_editing = Editing::Editing;
    m_editId = row->text(kColumnId).toLongLong();
    m_lblStatus->setText(QStringLiteral(" Edit "));
    m_lblStatus->show();
    m_txtName->setText(row->text(kColumnName));
    m_txtName->setEnabled(true);
    m_txtName->setFocus(Qt::OtherFocusReason);
    m_txtName->end(false);
}

void OptionsDialog::remove() {
    const QTreeWidgetItem* row = m_lvRecipients->currentItem();
    if (m_lvRecipients->topLevelItemCount() == 0 || !row) return;
    const qint64 id = row->text(kColumnId).toLongLong();
    const auto answer =
        m_context.dialogs->message(QStringLiteral("Are you sure you want to delete ") +
                                       row->text(kColumnName) + QLatin1Char('?'),
                                   AppInfo::title(), Dialogs::Icon::None, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes) return;
    try {
        CompanyStore::remove(*m_context.db, id);
        fillRecipients();
    } catch (const DbError& error) {
        showDbError(*m_context.dialogs, error);
    }
}

void OptionsDialog::finishEditing() {
    m_asking = true;
    const auto answer =
        m_context.dialogs->message(QStringLiteral("Save recipient's name?"), QStringLiteral("Save"),
                                   Dialogs::Icon::None, Dialogs::Buttons::YesNoCancel);
    m_asking = false;
    switch (answer) {
        case Dialogs::Answer::Yes:
            try {
                saveName();
            } catch (const DbError& error) {
                // Nothing was stored; the name stays in the box to try again.
                showDbError(*m_context.dialogs, error);
                continueEditing();
            }
            break;
        case Dialogs::Answer::No:
            endEditing();
            showSelectedName();
            break;
        default:
            continueEditing();
            break;
    }
}

bool OptionsDialog::saveName() {
    const QString name = m_txtName->text();
    if (name.trimmed().isEmpty()) {
        m_asking = true;
        const auto answer = m_context.dialogs->message(
            QStringLiteral("No blank name is allowed. Cancel save?"), AppInfo::title(),
            Dialogs::Icon::None, Dialogs::Buttons::YesNo);
        m_asking = false;
        if (answer != Dialogs::Answer::Yes) {
            continueEditing();
            return false;
        }
        endEditing();
        fillRecipients();
        return true;
    }
    if (m_editing == Editing::Editing)
        CompanyStore::rename(*m_context.db, m_editId, name);
    else if (m_editing == Editing::Adding)
        CompanyStore::insert(*m_context.db, name);
    endEditing();
    fillRecipients();
    return true;
}

void OptionsDialog::endEditing() {
    m_editing = Editing::None;
    m_txtName->setEnabled(false);
    m_lblStatus->hide();
}

void OptionsDialog::continueEditing() {
    m_txtName->setEnabled(true);
    m_txtName->setFocus(Qt::OtherFocusReason);
}

void OptionsDialog::openLink() { m_context.shell->openUrl(AppInfo::webAddress()); }

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtName) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_editing != Editing::None &&
                !m_asking) {
                // Enter ends the editing: the same question as leaving the box.
                finishEditing();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another window or opening a menu is not leaving the box.
            const bool away =
                reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
            if (m_editing != Editing::None && !m_asking && !m_closing && !away) finishEditing();
        }
    } else if (watched == m_txtDate && event->type() == QEvent::FocusOut) {
        refreshDateSample();
    } else if (watched == m_lblLink && event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) openLink();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
