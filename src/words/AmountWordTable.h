#pragma once

#include <QString>

#include <array>

class Database;

// Every word of one language read once, for spelling many amounts without going
// back to the database (a batch of cheques). Spells exactly as AmountToWords does.
class AmountWordTable {
public:
    static constexpr int kSlotCount = 107;

    // Reads the language's AmountWord rows: the i-th row in Type order is slot i.
    // Throws DbError.
    static AmountWordTable load(Database& db, int languageId);

    // The amount in words; "" when the text is no amount or a trillion or more.
    QString spell(const QString& amountText) const;

    std::array<QString, kSlotCount> words;
};
