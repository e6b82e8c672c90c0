#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

#include "words/WordLineSplit.h"

// The outcome of checking one batch row: what prints, or why it cannot.
struct CheckedRow {
    QString amount;            // rewritten as "###,###,##0.00" when it is a number
    std::int64_t cents = 0;
    QDate date;
    QString bankCode;          // the format's code as stored
    QString number;            // the cheque number it prints with
    QString words;             // the amount in words as spelled, before the letter case
    WordLines lines;           // the two word lines as they print
    QString problem;           // empty when the row can print

    bool printable() const { return problem.isEmpty(); }
};
