#include "store/Schema.h"

#include <sqlite3.h>

#include <QDir>

#include "store/Database.h"
#include "store/DbError.h"
#include "store/Transaction.h"

namespace {

// Step n brings a file from version n to n + 1.
const char* const kSteps[] = {
    // 1: the cheque register and each format's next cheque number.
    R"SQL(
CREATE TABLE ChequeRegister (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    PrintedAt TEXT NOT NULL,
    BankCode TEXT NOT NULL,
    BankName TEXT NOT NULL,
    ChequeNumber TEXT NOT NULL,
    Payee TEXT NOT NULL,
    AmountCents INTEGER NOT NULL,
    AmountText TEXT NOT NULL,
    WordLine1 TEXT NOT NULL,
    WordLine2 TEXT NOT NULL,
    ChequeDate TEXT,
    Destination TEXT NOT NULL,
    JobId INTEGER,
    State TEXT NOT NULL CHECK (State IN ('pending', 'printed', 'void')),
    VoidedAt TEXT,
    VoidReason TEXT
);
CREATE INDEX ChequeRegisterBankNumber ON ChequeRegister (BankCode, ChequeNumber);
CREATE INDEX ChequeRegisterPrinted ON ChequeRegister (PrintedAt);
CREATE INDEX ChequeRegisterTotals ON ChequeRegister (State, BankCode, PrintedAt, AmountCents, Payee);
CREATE TABLE ChequeNumber (
    BankCode TEXT PRIMARY KEY,
    NextNumber TEXT NOT NULL
);
)SQL",
};
static_assert(std::size(kSteps) == Schema::kVersion);

}  // namespace

namespace Schema {

int version(Database& db) {
    Statement query = db.prepare(QStringLiteral("PRAGMA user_version"));
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

void refuseNewer(Database& db) {
    const int found = version(db);
    if (found <= kVersion) return;
    throw DbError(SQLITE_CANTOPEN,
                  QStringLiteral("The database \"") + QDir::toNativeSeparators(db.path()) +
                      QStringLiteral("\" was made by a newer version of the program (tables "
                                     "version ") +
                      QString::number(found) + QStringLiteral("; this program knows up to ") +
                      QString::number(kVersion) +
                      QStringLiteral("). It was left unchanged. Use the newer program to open it."));
}

void applyUpgrades(Database& db) {
    refuseNewer(db);
    for (int step = version(db); step < kVersion; ++step)
        db.executeScript(QString::fromUtf8(kSteps[step]));
    db.executeScript(QStringLiteral("PRAGMA user_version = ") + QString::number(kVersion));
}

void upgrade(Database& db) {
    refuseNewer(db);
    if (version(db) == kVersion) return;
    Transaction transaction(db);
    applyUpgrades(db);  // looks again under the write lock: another start may have done it
    transaction.commit();
}

}  // namespace Schema
