#include "ui/WholeLetterValidator.h"

QValidator::State WholeLetterValidator::validate(QString& input, int& pos) const {
    for (qsizetype i = input.size() - 1; i >= 0; --i) {
        const QChar c = input.at(i);
        const bool paired =
            c.isHighSurrogate()
                ? i + 1 < input.size() && input.at(i + 1).isLowSurrogate()
                : !c.isLowSurrogate() || (i > 0 && input.at(i - 1).isHighSurrogate());
        if (paired) continue;
        input.remove(i, 1);
        if (pos > i) --pos;
    }
    return Acceptable;
}
