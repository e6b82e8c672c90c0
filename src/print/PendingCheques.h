#pragma once

#include <QString>

class Database;
class Dialogs;

struct RegisterEntry;

// Cheques whose print job was under way when the program stopped.
namespace PendingCheques {

// "Cheque 000123 to ACME Ltd for 1,234.50 was being printed when the program
// stopped. Was it printed?"
QString question(const RegisterEntry& entry);

// Asks about each pending entry, oldest first (Yes/No, no icon, the program's
// title). Yes makes it printed and moves the bank's next number past it; No
// removes it. Returns how many were settled. DbError reaches the caller, and
// the entries not yet settled stay pending.
int settle(Database& db, Dialogs& dialogs);

}  // namespace PendingCheques
