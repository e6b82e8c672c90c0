#pragma once

#include "core/ChequeFormat.h"
#include "store/RegisterEntry.h"

// The fault writer's records: every value follows from the record's number, so each save can be checked.
namespace FaultRecords {

enum class Kind { Payee, Format, Settings, Cheque };
inline Kind kindOf(int n) { return static_cast<Kind>(n % 4); }

inline QString payeeName(int n, int padding = 0) {
    return QStringLiteral("Payee %1 O'Neil \"&\" \u05e9\u05dc\u05d5\u05dd ").arg(n) + QString(padding, u'x');
}
inline QString settingsMark(int n) { return QStringLiteral("run %1 'dd' \"mm\"").arg(n); }

inline ChequeFormat format(int n) {
    ChequeFormat f;
    f.bankCode = QStringLiteral("K%1").arg(n), f.bankName = QStringLiteral("Bank %1 \"Trust\" 'Savings'").arg(n);
    f.chequeTop = n % 97, f.chequeLeft = -(n % 89);
    for (int i = 0; i < kFieldCount; ++i) f.fields[i] = {static_cast<float>(n % 1000) + 0.5f * i, i * 100.25f, 300.0f};
    for (int i = 0; i < 5; ++i) f.fonts[i] = {QStringLiteral("Face %1-%2").arg(n).arg(i), 8.0f + i, (n + i) % 2 == 0};
    return f;
}

inline RegisterEntry registerEntry(int n) {
    RegisterEntry e;
    e.printedAt = QDateTime(QDate(2026, 12, 7), QTime(0, 0), Qt::UTC).addSecs(n), e.bankCode = QStringLiteral("MBB");
    e.chequeNumber = QString::number(n), e.payee = payeeName(n), e.amountCents = 100000000000LL + n;
    e.amountText = QStringLiteral("1,000,000,000.%1").arg(n), e.destination = QStringLiteral("Queue %1").arg(n);
    return e;
}

}  // namespace FaultRecords
