#include "store/BankList.h"

#include "store/Database.h"

namespace BankList {

QString entryText(const QString& bankCode, const QString& bankName) {
    return bankCode + QStringLiteral(" - ") + bankName;
}

std::vector<QString> entriesByCode(Database& db) {
    std::vector<QString> entries;
    Statement query =
        db.prepare(QStringLiteral("SELECT BankCode, BankName FROM BankCheque ORDER BY BankCode"));
    while (query.step()) entries.push_back(entryText(query.text("BankCode"), query.text("BankName")));
    return entries;
}

}  // namespace BankList
