#pragma once

#include <QString>

#include <vector>

class Database;

// The texts of the bank lists: BankCode & " - " & BankName.
namespace BankList {

QString entryText(const QString& bankCode, const QString& bankName);
// Entries of every stored format in ascending BankCode order (the main window's list).
std::vector<QString> entriesByCode(Database& db);

}  // namespace BankList
