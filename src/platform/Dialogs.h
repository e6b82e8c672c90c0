#pragma once

#include <QString>

#include <optional>

#include "core/FontSpec.h"

class QDialog;

// Message boxes, the font dialog and modal display. Tests replace it with a
// scripted fake; the program uses the widget implementation of quorvanta_ui.
class Dialogs {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    // ContinueCancel shows "Continue" and "Cancel"; Continue answers Ok.
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, ContinueCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FontDialogOptions {
        bool printerFontsOnly = true;
        int minSize = 8;
        int maxSize = 80;
    };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString& text, const QString& title, Icon icon,
                           Buttons buttons) = 0;
    // The chosen font, or nothing when the user cancelled.
    virtual std::optional<FontSpec> chooseFont(const FontSpec& initial,
                                               const FontDialogOptions& options) = 0;
    // Shows the dialog modally and returns its result code.
    virtual int showModal(QDialog* dialog) = 0;
    // The path of an existing file to read, starting in `directory` and showing
    // the files of `filter` ("CSV files (*.csv)"); nothing when the user cancelled.
    virtual std::optional<QString> openFileName(const QString& caption, const QString& directory,
                                                const QString& filter) = 0;
    // The path of a file to write, `suggestedPath` offered; replacing a file is
    // confirmed by the dialog. Nothing when the user cancelled.
    virtual std::optional<QString> saveFileName(const QString& caption,
                                                const QString& suggestedPath,
                                                const QString& filter) = 0;
};
