#include "support/RegisterFill.h"

#include <QDateTime>

#include "store/Database.h"
#include "store/RegisterStore.h"
#include "store/Transaction.h"

void fillRegister(Database& db, int count) {
    Statement last = db.prepare(QStringLiteral("SELECT coalesce(max(ID), 0) FROM ChequeRegister"));
    const qint64 first = last.step() ? last.integer(0) + 1 : 1;
    const QDateTime start(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    const QString banks[] = {QStringLiteral("MBB"), QStringLiteral("HSB"), QStringLiteral("CIMB")};
    Transaction transaction(db);
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO ChequeRegister (PrintedAt, BankCode, BankName, ChequeNumber, Payee, "
        "AmountCents, AmountText, WordLine1, WordLine2, ChequeDate, Destination, JobId, State, "
        "VoidedAt, VoidReason) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (qint64 n = first; n < first + count; ++n) {
        const QDateTime at = start.addSecs(60 * n);
        const bool isVoid = n % 50 == 0;
        const QString& bank = banks[n % 3];
        insert.bindAll({RegisterStore::isoTime(at), bank, QString(bank + QStringLiteral(" Berhad")),
                        QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')),
                        n % 100 == 0 ? QStringLiteral("ACME Ltd %1").arg(n)
                                     : QStringLiteral("Payee %1").arg(n % 500),
                        QVariant::fromValue(n), QStringLiteral("%1.%2").arg(n / 100).arg(n % 100, 2, 10, QChar(u'0')),
                        QStringLiteral("RINGGIT MALAYSIA ONE THOUSAND TWO HUNDRED"),
                        QStringLiteral("THIRTY FOUR AND CENTS FIFTY ONLY"),
                        at.date().toString(Qt::ISODate), QStringLiteral("Office-Laser"), QVariant::fromValue(n),
                        isVoid ? QStringLiteral("void") : QStringLiteral("printed"),
                        isVoid ? QVariant(RegisterStore::isoTime(at.addDays(1))) : QVariant(),
                        isVoid ? QVariant(QStringLiteral("spoilt")) : QVariant()});
        insert.execute();
        insert.reset();
    }
    transaction.commit();
}
