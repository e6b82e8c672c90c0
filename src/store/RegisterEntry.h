#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// One cheque of the register (ChequeRegister table). Times are UTC.
struct RegisterEntry {
    enum class State { Pending, Printed, Void };

    qint64 id = 0;
    QDateTime printedAt;  // when the print system took it (when it was sent, while pending)
    QString bankCode;
    QString bankName;
    QString chequeNumber;  // digits as printed, leading zeros kept; may be empty
    QString payee;
    std::int64_t amountCents = 0;
    QString amountText;  // as printed, "1,234.50"
    QString wordLine1;
    QString wordLine2;
    std::optional<QString> chequeDate;  // as printed; none when the date was not printed
    QString destination;                // printer's device name, or the PDF file's path
    std::optional<qint64> jobId;        // the print system's job id; none for a file
    State state = State::Pending;
    QDateTime voidedAt;
    QString voidReason;
};

// The State column's words: "pending", "printed", "void".
QString stateName(RegisterEntry::State state);
std::optional<RegisterEntry::State> stateFromName(const QString& name);
