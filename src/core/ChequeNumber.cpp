#include "core/ChequeNumber.h"

namespace ChequeNumber {

bool isValid(const QString& number) {
    if (number.isEmpty() || number.size() > kMaxDigits) return false;
    for (const QChar c : number)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

std::optional<QString> following(const QString& number) {
    if (!isValid(number)) return std::nullopt;
    QString next = number;
    // Decimal carry from the last digit, so that no width is lost.
    for (qsizetype i = next.size() - 1; i >= 0; --i) {
        if (next.at(i) != QLatin1Char('9')) {
            next[i] = QChar(next.at(i).unicode() + 1);
            return next;
        }
        next[i] = QLatin1Char('0');
    }
    next.prepend(QLatin1Char('1'));
    if (next.size() > kMaxDigits) return std::nullopt;
    return next;
}

}  // namespace ChequeNumber
