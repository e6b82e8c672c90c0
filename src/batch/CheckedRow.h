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
    QString problem;           // what is wrong with the row's cells
    QString numberProblem;     // what is wrong with its cheque number among the others

    bool printable() const { return problem.isEmpty() && numberProblem.isEmpty(); }
    // Every problem of the row; empty when it can print.
    QString reason() const {
        if (problem.isEmpty() || numberProblem.isEmpty()) return problem + numberProblem;
        return problem + QLatin1Char(' ') + numberProblem;
    }
};
