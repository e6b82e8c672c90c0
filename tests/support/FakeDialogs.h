#pragma once

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"

// Records every message and answers from a script. With nothing scripted, a
// message is answered with its first button (Ok or Yes).
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        QString text, title;
        Icon icon;
        Buttons buttons;
    };

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    std::optional<FontSpec> chooseFont(const FontSpec& initial, const FontDialogOptions& options) override;
    // Runs the next handler of onNextModal instead of a real modal loop; the handler
    // drives the window and closes it. Without one the window is shown and rejected.
    int showModal(QDialog* dialog) override;
    // File names are answered from `fileNames` in order (nothing: cancelled); every
    // request is kept as "open|save caption|directory or suggested path".
    std::optional<QString> openFileName(const QString& caption, const QString& directory, const QString&) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& suggested, const QString&) override;

    // Answers for the next messages, in order.
    void answer(std::initializer_list<Answer> list) { answers.insert(answers.end(), list); }
    void onNextModal(std::function<void(QDialog*)> handler) { modalHandlers.push_back(std::move(handler)); }
    QStringList texts() const;
    void clear() { messages.clear(), answers.clear(); }

    std::function<void(const Shown&)> onMessage;  // called for every message once it is recorded
    std::vector<Shown> messages;
    std::deque<Answer> answers;
    std::deque<std::function<void(QDialog*)>> modalHandlers;
    std::vector<QString> modalWindows;                 // objectNames of the windows shown modally
    std::deque<std::optional<FontSpec>> fontResults;  // nothing = cancelled
    std::vector<FontSpec> fontRequests;
    std::deque<std::optional<QString>> fileNames;
    QStringList fileRequests;
};
