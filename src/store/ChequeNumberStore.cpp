#include "store/ChequeNumberStore.h"

#include <sqlite3.h>

#include "core/ChequeNumber.h"
#include "store/Database.h"
#include "store/DbError.h"

namespace {

const QString kUpsert =
    QStringLiteral("INSERT OR REPLACE INTO ChequeNumber (BankCode, NextNumber) VALUES (?1, ?2)");

}  // namespace

namespace ChequeNumberStore {

QString next(Database& db, const QString& bankCode) {
    Statement query =
        db.prepare(QStringLiteral("SELECT NextNumber FROM ChequeNumber WHERE BankCode = ?"));
    query.bind(1, bankCode);
    return query.step() ? query.text(0) : QString();
}

void setNext(Database& db, const QString& bankCode, const QString& number) {
    if (!ChequeNumber::isValid(number))
        throw DbError(SQLITE_CONSTRAINT,
                      QStringLiteral("A cheque number is one to twelve digits: \"") + number +
                          QLatin1Char('"'));
    db.write(kUpsert, {bankCode, number});
}

void advancePast(Database& db, const QString& bankCode, const QString& printed) {
    const auto following = ChequeNumber::following(printed);
    if (!following) return;
    db.prepare(kUpsert).bindAll({bankCode, *following}).execute();
}

}  // namespace ChequeNumberStore
