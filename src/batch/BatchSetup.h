#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <vector>

#include "core/ChequeFormat.h"
#include "words/AmountWordTable.h"

class Database;
class TextMeasure;

// Everything the check of a batch needs, read from the database beforehand so the
// rows can be checked on a worker thread without touching the connection.
struct BatchSetup {
    std::vector<ChequeFormat> formats;
    QHash<int, AmountWordTable> wordsByLanguage;  // by LanguageMain ID
    int fallbackLanguage = 0;  // spells for a format whose language is gone (0: none)
    QString defaultBankCode;   // the format chosen in the main window
    QDate today;
    QString shortDateFormat;   // the user's short date format, Qt notation
    QString dateStyle;         // how the date prints, such as "dd mmm yyyy"
    bool printDate = true;
    bool properCase = false;
    const TextMeasure* measure = nullptr;
    // Each bank's next cheque number; rows without a number take these in order.
    QHash<QString, QString> nextNumbers;
    // Numbers the register holds for each bank, with a description of the cheque
    // ("printed on 7 Dec 2026 to ACME Ltd").
    QHash<QString, QHash<QString, QString>> usedNumbers;

    // The format with this code (exact, else in any letter case), or nullptr.
    const ChequeFormat* format(const QString& code) const;

    // The user's choices that apply to every row.
    struct Choices {
        QString defaultBankCode;
        QDate today;
        QString shortDateFormat;
        QString dateStyle;
        bool printDate = true;
        bool properCase = false;
        const TextMeasure* measure = nullptr;
    };
    // Reads the formats, their languages' words, each bank's next cheque number and
    // the numbers in the register. Throws DbError.
    static BatchSetup read(Database& db, const Choices& choices);
};
