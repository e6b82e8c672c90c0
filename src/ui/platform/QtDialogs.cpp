#include "ui/platform/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>

#include "platform/AppInfo.h"

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Icon icon,
                                   Buttons buttons) {
    QMessageBox box(QApplication::activeWindow());
    // Names in a message (a payee, a bank) are shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setWindowTitle(title.isEmpty() ? AppInfo::title() : title);
    switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default:
            // The close box answers as the last button would.
            return buttons == Buttons::Ok ? Answer::Ok
                   : buttons == Buttons::YesNo ? Answer::No
                                               : Answer::Cancel;
    }
}

std::optional<FontSpec> QtDialogs::chooseFont(const FontSpec& initial,
                                              const FontDialogOptions& options) {
    QFont start(initial.face);
    start.setPointSizeF(initial.size);
    start.setBold(initial.bold);
    QFontDialog dialog(start, QApplication::activeWindow());
    dialog.setOption(QFontDialog::ScalableFonts, options.printerFontsOnly);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    FontSpec result;
    result.face = chosen.family();
    result.bold = chosen.bold();
    result.size = static_cast<float>(
        std::clamp<double>(chosen.pointSizeF(), options.minSize, options.maxSize));
    return result;
}

int QtDialogs::showModal(QDialog* dialog) { return dialog->exec(); }
