#include "store/CompanyStore.h"

#include "store/Database.h"

namespace CompanyStore {

std::vector<Payee> listByName(Database& db) {
    std::vector<Payee> payees;
    Statement query = db.prepare(QStringLiteral("SELECT * FROM Company ORDER BY Name"));
    while (query.step()) payees.push_back({query.integer("ID"), query.text("Name")});
    return payees;
}

bool exists(Database& db, const QString& name) {
    // The name column compares without letter case but stops at a NUL
    // character; the second test tells "A<NUL>B" from "A<NUL>C".
    Statement query = db.prepare(
        QStringLiteral("SELECT * FROM Company WHERE Name = ?1 AND lower(Name) = lower(?1)"));
    query.bind(1, name);
    return query.step();
}

qint64 insert(Database& db, const QString& name) {
    db.write(QStringLiteral("INSERT INTO Company (Name) VALUES (?)"), {name});
    return db.lastInsertId();
}

void rename(Database& db, qint64 id, const QString& name) {
    db.write(QStringLiteral("UPDATE Company SET Name = ? WHERE ID = ?"), {name, id});
}

void remove(Database& db, qint64 id) {
    db.write(QStringLiteral("DELETE FROM Company WHERE ID = ?"), {id});
}

}  // namespace CompanyStore
