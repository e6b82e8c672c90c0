#include "store/Transaction.h"

#include <sqlite3.h>

#include "store/Database.h"

Transaction::Transaction(Database& db) : m_db(db) {
    m_db.requireSoundFile();
    m_db.prepare(QStringLiteral("BEGIN IMMEDIATE")).execute();
}

Transaction::~Transaction() {
    if (!m_done) sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    m_db.prepare(QStringLiteral("COMMIT")).execute();
    m_done = true;
}
