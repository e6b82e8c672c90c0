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
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
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
};
