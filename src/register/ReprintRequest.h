#pragma once

#include <QString>

// A register entry handed back to the main window to write the same cheque
// again: the user then prints as usual, which makes a new entry.
struct ReprintRequest {
    QString bankCode;
    QString payee;
    QString amountText;  // "1,234.50"
};
