#pragma once

#include <QString>

#include "core/ChequeFormat.h"
#include "store/RegisterEntry.h"

// The records the fault writer saves, numbered so that the test can tell what
// each reported save should have left in the file.
namespace FaultRecords {

enum class Kind { Payee, Format, Settings };

inline Kind kindOf(int n) { return static_cast<Kind>(n % 3); }

// Names carry quotes and right-to-left letters; `padding` makes rows larger.
inline QString payeeName(int n, int padding = 0) {
    return QStringLiteral("Payee %1 O'Neil \"&\" \u05e9\u05dc\u05d5\u05dd ").arg(n) +
           QString(padding, u'x');
}

inline QString formatCode(int n) { return QStringLiteral("K%1").arg(n); }

// Every value depends on n and is exact in single precision.
inline ChequeFormat format(int n) {
    ChequeFormat f;
    f.bankCode = formatCode(n);
    f.bankName = QStringLiteral("Bank %1 \"Trust\" 'Savings'").arg(n);
    f.amountLanguage = 1 + n % 2;
    f.chequeWidth = 10000 + n;
    f.chequeTop = n % 97;
    f.chequeLeft = -(n % 89);
    f.dateType = n % 3;
    for (int i = 0; i < kFieldCount; ++i)
        f.fields.at(static_cast<size_t>(i)) = {static_cast<float>(n % 1000) + 0.5f * i, i * 100.25f,
                                               300.0f};
    for (int i = 0; i < 5; ++i)
        f.fonts.at(static_cast<size_t>(i)) = {QStringLiteral("Face %1-%2").arg(n).arg(i), 8.0f + i,
                                              (n + i) % 2 == 0};
    return f;
}

// The options row names the last write of it.
inline QString settingsMark(int n) { return QStringLiteral("run %1 'dd' \"mm\"").arg(n); }

// Register entry n: every field depends on n, so a half-written one shows.
inline RegisterEntry registerEntry(int n) {
    RegisterEntry e;
    e.printedAt = QDateTime(QDate(2026, 12, 7), QTime(0, 0), Qt::UTC).addSecs(n);
    e.bankCode = QStringLiteral("MBB");
    e.bankName = QStringLiteral("Bank \"%1\"").arg(n);
    e.chequeNumber = QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'));
    e.payee = payeeName(n);
    e.amountCents = 100000000000LL + n;
    e.amountText = QStringLiteral("1,000,000,000.%1").arg(n % 100, 2, 10, QLatin1Char('0'));
    e.wordLine1 = QStringLiteral("ONE BILLION %1").arg(n);
    e.wordLine2 = QStringLiteral("AND CENTS %1 ONLY").arg(n);
    if (n % 2) e.chequeDate = QStringLiteral("07/12/2026");
    e.destination = QStringLiteral("Queue %1").arg(n);
    return e;
}

}  // namespace FaultRecords
