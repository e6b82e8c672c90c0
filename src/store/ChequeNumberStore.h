#pragma once

#include <QString>

class Database;

// Each format's next cheque number (ChequeNumber table, keyed by bank code).
namespace ChequeNumberStore {

// The number the next cheque of this bank carries; empty when none is known.
QString next(Database& db, const QString& bankCode);
// Stores the next number in a transaction of its own. Throws DbError for a
// number that is not one to twelve digits.
void setNext(Database& db, const QString& bankCode, const QString& number);
// After `printed` went out: the next number becomes printed + 1, as wide as it.
// Runs inside the caller's transaction; an empty or last possible number
// leaves the stored one as it is.
void advancePast(Database& db, const QString& bankCode, const QString& printed);

}  // namespace ChequeNumberStore
