#pragma once

#include <QString>

#include <vector>

class Database;

// The payees (Company table).
struct Payee {
    qint64 id = 0;
    QString name;
};

namespace CompanyStore {

// Every payee in ascending name order.
std::vector<Payee> listByName(Database& db);
// Whether a payee with this name is stored (the database's own text comparison).
bool exists(Database& db, const QString& name);
qint64 insert(Database& db, const QString& name);
void rename(Database& db, qint64 id, const QString& name);
void remove(Database& db, qint64 id);

}  // namespace CompanyStore
