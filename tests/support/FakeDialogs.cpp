#include "support/FakeDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace {

// The first scripted value, taken from the queue, or `none` when nothing is scripted.
template <class T>
T takeFirst(std::deque<T>& queue, T none) {
    if (!queue.empty()) none = std::exchange(queue.front(), T()), queue.pop_front();
    return none;
}

}  // namespace

Dialogs::Answer FakeDialogs::message(const QString& text, const QString& title, Icon icon, Buttons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (onMessage) onMessage(messages.back());
    const bool ok = buttons == Buttons::Ok || buttons == Buttons::OkCancel || buttons == Buttons::ContinueCancel;
    return takeFirst(answers, ok ? Answer::Ok : Answer::Yes);
}

std::optional<FontSpec> FakeDialogs::chooseFont(const FontSpec& initial, const FontDialogOptions&) {
    fontRequests.push_back(initial);
    return takeFirst(fontResults, std::optional<FontSpec>());
}

int FakeDialogs::showModal(QDialog* dialog) {
    modalWindows.push_back(dialog->objectName());
    // A closing modal window gives the activation back, as the window system does.
    const QPointer<QWidget> owner = QApplication::activeWindow();
    dialog->setModal(true);
    dialog->show();
    QCoreApplication::processEvents();
    if (auto handler = takeFirst(modalHandlers, std::function<void(QDialog*)>()))
        handler(dialog);
    else if (dialog->isVisible())
        dialog->reject();
    QCoreApplication::processEvents();
    if (owner && owner->isVisible() && !dialog->isVisible()) QApplication::setActiveWindow(owner);
    return dialog->result();
}

std::optional<QString> FakeDialogs::openFileName(const QString& caption, const QString& directory, const QString&) {
    fileRequests << QStringLiteral("open|") + caption + QLatin1Char('|') + directory;
    return takeFirst(fileNames, std::optional<QString>());
}

std::optional<QString> FakeDialogs::saveFileName(const QString& caption, const QString& suggested, const QString&) {
    fileRequests << QStringLiteral("save|") + caption + QLatin1Char('|') + suggested;
    return takeFirst(fileNames, std::optional<QString>());
}

QStringList FakeDialogs::texts() const {
    QStringList list;
    for (const auto& m : messages) list << m.text;
    return list;
}
