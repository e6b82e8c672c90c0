#pragma once

#include <QDate>
#include <QString>

// A cheque as the main window hands it to the preview: what the user chose and typed.
struct ChequeRequest {
    QString bankCode;
    QString payee;
    QString amountText;  // as "###,###,##0.00"
    QDate date;
    bool printDate = true;
};

// What the preview gives back when it closes.
struct ChequeOutcome {
    bool printed = false;
    QString wordCase;  // the caption of the letter case chosen ("UPPER CASE" or "Proper Case")
};
