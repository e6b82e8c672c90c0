#pragma once

#include <QString>

// One cheque of a batch as the file gives it (cells trimmed), editable in the
// batch window. Empty optional cells take their defaults when checked.
struct BatchRow {
    int line = 0;  // the line of the file on which the row starts
    QString payee;
    QString amount;
    QString date;
    QString bank;
    QString number;
    bool included = true;
    bool printed = false;  // printed (or saved) by this batch: a retry skips it
};
