#pragma once

#include <QString>

class Database;
class Dialogs;

// Spells an amount in words in the language `languageId` (a LanguageMain ID),
// every word taken from that language's AmountWord rows, which are read again on
// every call: the i-th row in Type order is word slot i (0..106).
//
// `amountText` is expected as "###,###,##0.00"; any other number is formatted so
// first, and a text that is no amount gives "" without a message. An amount of a
// trillion or more shows the limit message through `dialogs` and gives "".
// Database errors are thrown as DbError.
QString amountToWords(Database& db, Dialogs& dialogs, const QString& amountText, int languageId);

// True when `amountText` is an amount of a trillion or more, which has no words.
bool exceedsWordLimit(const QString& amountText);
// The message shown for such an amount.
QString amountLimitText();
