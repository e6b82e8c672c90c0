#pragma once

#include <QString>
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
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Answer message(const QString& text, const QString& title, Icon icon,
                   Buttons buttons) override;
    std::optional<FontSpec> chooseFont(const FontSpec& initial,
                                       const FontDialogOptions& options) override;
    int showModal(QDialog* dialog) override;
    // File names are answered from `fileNames` in order (nothing: cancelled); every
    // request is kept as "open|save caption|directory or suggested path".
    std::optional<QString> openFileName(const QString& caption, const QString& directory,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& suggestedPath,
                                        const QString& filter) override;
    std::deque<std::optional<QString>> fileNames;
    QStringList fileRequests;

    // Answers for the next messages, in order.
    void answer(std::initializer_list<Answer> answers);
    // Runs `handler` for the next modal window instead of a real modal loop; the
    // handler drives it and closes it. Without one, the window is shown, events
    // are processed and it is rejected.
    void onNextModal(std::function<void(QDialog*)> handler);
    // Called for every message after it is recorded (e.g. to answer by text).
    std::function<void(const Shown&)> onMessage;

    std::vector<Shown> messages;
    std::deque<Answer> answers;
    std::deque<std::function<void(QDialog*)>> modalHandlers;
    std::deque<std::optional<FontSpec>> fontResults;  // nothing = cancelled
    std::vector<FontSpec> fontRequests;
    std::vector<FontDialogOptions> fontOptions;
    std::vector<QString> modalWindows;  // objectNames of the windows shown modally

    QStringList texts() const;
    void clear();
};
