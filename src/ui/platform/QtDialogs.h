#pragma once

#include "platform/Dialogs.h"

// Message boxes, the font dialog and modal display with Qt widgets.
class QtDialogs final : public Dialogs {
public:
    Answer message(const QString& text, const QString& title, Icon icon,
                   Buttons buttons) override;
    std::optional<FontSpec> chooseFont(const FontSpec& initial,
                                       const FontDialogOptions& options) override;
    int showModal(QDialog* dialog) override;
};
