#include "support/FakeDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

Dialogs::Answer FakeDialogs::message(const QString& text, const QString& title, Icon icon,
                                     Buttons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ||
                   buttons == Buttons::ContinueCancel
               ? Answer::Ok
               : Answer::Yes;
}

std::optional<FontSpec> FakeDialogs::chooseFont(const FontSpec& initial,
                                                const FontDialogOptions& options) {
    fontRequests.push_back(initial);
    fontOptions.push_back(options);
    if (fontResults.empty()) return std::nullopt;
    auto result = fontResults.front();
    fontResults.pop_front();
    return result;
}

int FakeDialogs::showModal(QDialog* dialog) {
    modalWindows.push_back(dialog->objectName());
    // A closing modal window gives the activation back, as the window system does.
    const QPointer<QWidget> owner = QApplication::activeWindow();
    dialog->setModal(true);
    dialog->show();
    QCoreApplication::processEvents();
    if (!modalHandlers.empty()) {
        auto handler = std::move(modalHandlers.front());
        modalHandlers.pop_front();
        handler(dialog);
    } else if (dialog->isVisible()) {
        dialog->reject();
    }
    QCoreApplication::processEvents();
    if (owner && owner->isVisible() && !dialog->isVisible()) QApplication::setActiveWindow(owner);
    return dialog->result();
}

namespace {

std::optional<QString> nextFileName(std::deque<std::optional<QString>>& names) {
    if (names.empty()) return std::nullopt;
    auto name = names.front();
    names.pop_front();
    return name;
}

}  // namespace

std::optional<QString> FakeDialogs::openFileName(const QString& caption, const QString& directory,
                                                 const QString&) {
    fileRequests << QStringLiteral("open|") + caption + QLatin1Char('|') + directory;
    return nextFileName(fileNames);
}

std::optional<QString> FakeDialogs::saveFileName(const QString& caption, const QString& suggestedPath,
                                                 const QString&) {
    fileRequests << QStringLiteral("save|") + caption + QLatin1Char('|') + suggestedPath;
    return nextFileName(fileNames);
}

void FakeDialogs::answer(std::initializer_list<Answer> list) {
    for (Answer a : list) answers.push_back(a);
}

void FakeDialogs::onNextModal(std::function<void(QDialog*)> handler) {
    modalHandlers.push_back(std::move(handler));
}

QStringList FakeDialogs::texts() const {
    QStringList list;
    for (const auto& m : messages) list << m.text;
    return list;
}

void FakeDialogs::clear() {
    messages.clear();
    answers.clear();
}
