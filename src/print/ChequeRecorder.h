#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "platform/PrinterService.h"
#include "store/RegisterEntry.h"

class Clock;
class Database;

// Keeps the register true to what the print system took. Every way of printing
// a cheque (the preview, a batch run, a PDF file) goes through record():
//   1. the entry is written `pending` in a transaction of its own,
//   2. the job is sent,
//   3. once the print system has taken it the entry becomes `printed` and the
//      bank's next cheque number moves past it (one transaction);
//      when the job failed, was refused, cancelled or stopped, the entry is removed.
// A process that dies between 1 and 3 leaves the entry pending, and the next
// start asks the user about it (PendingCheques).
class ChequeRecorder {
public:
    ChequeRecorder(Database& db, const Clock& clock);

    // Records `cheque` (bank, number, payee, amounts, word lines, date as printed)
    // around `sendJob`, which draws the page and ends the document. Returns the
    // printed entry. PrintError from the job and DbError from the first write
    // reach the caller, and then nothing is recorded; a DbError after the job
    // went out leaves the entry pending for the next start to settle.
    RegisterEntry record(RegisterEntry cheque, const std::function<PrintReceipt()>& sendJob);

    // The question asked before printing a number that this bank already
    // issued, or nothing when the number is new (or empty).
    std::optional<QString> duplicateQuestion(const QString& bankCode,
                                             const QString& chequeNumber) const;

private:
    Database& m_db;
    const Clock& m_clock;
};
