#include "core/ChequeEntryRules.h"

#include "core/AmountText.h"

namespace ChequeEntryRules {

AmountProblem checkAmount(const QString& text) {
    if (text.isEmpty()) return AmountProblem::Empty;
    const auto formatted = AmountText::format(text);
    if (!formatted) return AmountProblem::NotAnAmount;
    qsizetype digits = 0;
    for (const QChar c : *formatted)
        if (c.isDigit()) ++digits;
    return digits > kMaxAmountDigits ? AmountProblem::OverLimit : AmountProblem::None;
}

QString amountMessage(AmountProblem problem) {
    switch (problem) {
        case AmountProblem::Empty:
            return QStringLiteral("No empty Amount field is allowed.");
        case AmountProblem::NotAnAmount:
            return QStringLiteral("Invalid amount.");
        case AmountProblem::OverLimit:
            return limitMessage();
        case AmountProblem::None:
            break;
    }
    return {};
}

QString limitMessage() {
    return QStringLiteral("Invalid amount. Amount can't exceed trillion value.");
}

QString emptyPayeeMessage() { return QStringLiteral("No emtpy Pay To field is allowed."); }

}  // namespace ChequeEntryRules
