#pragma once

#include <QValidator>

// Keeps a text box's text free of half letters: a letter made of two UTF-16
// halves that the box's length limit cut in two (a paste or a key at the limit)
// loses its first half, which could be neither stored nor shown.
class WholeLetterValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};
