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
    std::optional<QString> openFileName(const QString& caption, const QString& directory,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& suggestedPath,
                                        const QString& filter) override;
};
