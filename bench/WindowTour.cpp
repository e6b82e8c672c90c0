#include "WindowTour.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "platform/AppContext.h"
#include "ui/main/MainWindow.h"

namespace {

void click(QWidget* window, const char* name) {
    if (auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name)))
        if (button->isEnabled()) button->click();
}

void type(QWidget* window, const char* name, const QString& text) {
    if (auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(name))) {
        box->setFocus();
        box->selectAll();
        box->insert(text);  // as typed: the window hears an edit
    }
}

}  // namespace

Dialogs::Answer WindowTourDialogs::message(const QString& text, const QString&, Icon, Buttons buttons) {
    qWarning("tour message: %s", qPrintable(text));
    // "Save before exit?" and the like are answered No: the tour keeps nothing half-done.
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::No;
}

std::optional<FontSpec> WindowTourDialogs::chooseFont(const FontSpec&, const FontDialogOptions&) {
    return std::nullopt;
}

static void grabWindow(const QString& folder, QWidget* window, const QString& suffix = {}) {
    if (folder.isEmpty()) return;
    QCoreApplication::processEvents();
    window->grab().save(folder + QLatin1Char('/') + window->objectName() + suffix +
                        QStringLiteral(".png"));
}

int WindowTourDialogs::showModal(QDialog* dialog) {
    dialog->show();
    QCoreApplication::processEvents();
    grabWindow(m_grabFolder, dialog);
    const QString name = dialog->objectName();
    if (name == QStringLiteral("frmAdjustCheque")) {
        // Add a format so that the preview has one, visiting the location window.
        click(dialog, "cmdAdd");
        grabWindow(m_grabFolder, dialog, QStringLiteral("_adding"));
        type(dialog, "txtBankName", QStringLiteral("Tour Bank"));
        type(dialog, "txtBankCode", QStringLiteral("TOUR"));
        type(dialog, "txtChequeWidth", QStringLiteral("7.00"));
        type(dialog, "txtChequeHeight", QStringLiteral("3.50"));
        click(dialog, "cmdChequeLocation");
        click(dialog, "cmdSave");
        QCoreApplication::processEvents();
    }
    dialog->reject();
    QCoreApplication::processEvents();
    return dialog->result();
}

void runWindowTour(AppContext& context, MainWindow& main, const QString& grabFolder) {
    (void)context;
    QCoreApplication::processEvents();
    grabWindow(grabFolder, &main);
    main.openOptions();
    main.openDesigner();
    main.findChild<QComboBox*>(QStringLiteral("cboRecipient"))
        ->setEditText(QStringLiteral("Tour Payee"));
    main.findChild<QLineEdit*>(QStringLiteral("txtAmount"))->setText(QStringLiteral("123,456.78"));
    auto* bank = main.findChild<QComboBox*>(QStringLiteral("cboBank"));
    const int tour = bank->findText(QStringLiteral("TOUR - Tour Bank"));
    if (tour >= 0) bank->setCurrentIndex(tour);
    main.print();
    QCoreApplication::processEvents();
}

long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
