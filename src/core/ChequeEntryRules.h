#pragma once

#include <QString>

// The rules a cheque typed in the main window or read from a batch file must
// meet, and the messages that name a broken rule.
namespace ChequeEntryRules {

enum class AmountProblem { None, Empty, NotAnAmount, OverLimit };

// Judges an amount text as the amount box holds it: empty, not a number (a
// negative amount included), or a trillion or more, which the word lines cannot
// spell.
AmountProblem checkAmount(const QString& text);

// "No empty Amount field is allowed.", "Invalid amount." or the limit message;
// the empty text for AmountProblem::None.
QString amountMessage(AmountProblem problem);

// The message for an amount of a trillion or more.
QString limitMessage();

// The message for an empty payee.
QString emptyPayeeMessage();

// The largest number of digits (cents included) an amount may have: 999,999,999,999.99.
constexpr int kMaxAmountDigits = 14;

}  // namespace ChequeEntryRules
