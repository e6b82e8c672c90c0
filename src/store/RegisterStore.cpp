#include "store/RegisterStore.h"

#include <sqlite3.h>

#include "store/ChequeNumberStore.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/Transaction.h"

QString stateName(RegisterEntry::State state) {
    switch (state) {
        case RegisterEntry::State::Pending: return QStringLiteral("pending");
        case RegisterEntry::State::Printed: return QStringLiteral("printed");
        case RegisterEntry::State::Void: return QStringLiteral("void");
    }
    return {};
}

std::optional<RegisterEntry::State> stateFromName(const QString& name) {
    for (auto state : {RegisterEntry::State::Pending, RegisterEntry::State::Printed,
                       RegisterEntry::State::Void})
        if (stateName(state) == name) return state;
    return std::nullopt;
}

namespace RegisterStore {

namespace {

const QString kColumns = QStringLiteral(
    "ID, PrintedAt, BankCode, BankName, ChequeNumber, Payee, AmountCents, AmountText, WordLine1, "
    "WordLine2, ChequeDate, Destination, JobId, State, VoidedAt, VoidReason");

QDateTime parseTime(const QString& text) {
    if (text.isEmpty()) return {};
    return QDateTime::fromString(text, Qt::ISODate).toUTC();
}

// Reads the row of a statement that selected kColumns, by position.
RegisterEntry entryOf(const Statement& row) {
    RegisterEntry entry;
    entry.id = row.integer(0);
    entry.printedAt = parseTime(row.text(1));
    entry.bankCode = row.text(2);
    entry.bankName = row.text(3);
    entry.chequeNumber = row.text(4);
    entry.payee = row.text(5);
    entry.amountCents = row.integer(6);
    entry.amountText = row.text(7);
    entry.wordLine1 = row.text(8);
    entry.wordLine2 = row.text(9);
    if (!row.value(10).isNull()) entry.chequeDate = row.text(10);
    entry.destination = row.text(11);
    if (!row.value(12).isNull()) entry.jobId = row.integer(12);
    entry.state = stateFromName(row.text(13)).value_or(RegisterEntry::State::Pending);
    entry.voidedAt = parseTime(row.text(14));
    entry.voidReason = row.text(15);
    return entry;
}

std::vector<RegisterEntry> entries(Statement& query) {
    std::vector<RegisterEntry> list;
    while (query.step()) list.push_back(entryOf(query));
    return list;
}

// contains(haystack, needle): whether the text holds the other in any letter
// case, for every alphabet (the engine's own lower() knows only ASCII).
void containsFunction(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const auto* needle = reinterpret_cast<const char*>(sqlite3_value_text(values[1]));
    const bool found = text && needle &&
                       QString::fromUtf8(text).contains(QString::fromUtf8(needle),
                                                        Qt::CaseInsensitive);
    sqlite3_result_int(context, found ? 1 : 0);
}

// The WHERE conditions of a filter and their values. A leading "+" keeps the
// engine from reading the conditions through an index, so that a page walks the
// entries newest first and stops when it is full, instead of sorting every match.
bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

struct Conditions {
    QStringList terms;
    QVariantList values;
};

Conditions conditionsOf(Database& db, const RegisterFilter& filter, bool viaIndexes) {
    const QString plus = viaIndexes ? QString() : QStringLiteral("+");
    Conditions c;
    if (!filter.bankCode.isEmpty()) {
        c.terms << plus + QStringLiteral("BankCode = ?");
        c.values << filter.bankCode;
    }
    if (filter.printedFrom.isValid()) {
        c.terms << plus + QStringLiteral("PrintedAt >= ?");
        c.values << isoTime(filter.printedFrom);
    }
    if (filter.printedBefore.isValid()) {
        c.terms << plus + QStringLiteral("PrintedAt < ?");
        c.values << isoTime(filter.printedBefore);
    }
    if (!filter.payeeContains.isEmpty() && isAscii(filter.payeeContains)) {
        // The engine's LIKE ignores the letter case of ASCII letters, which is
        // all an ASCII text has; it is much quicker than a call per row.
        QString pattern = filter.payeeContains;
        pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('%'), QStringLiteral("\\%"))
            .replace(QLatin1Char('_'), QStringLiteral("\\_"));
        c.terms << QStringLiteral("Payee LIKE ? ESCAPE '\\'");
        c.values << QString(QLatin1Char('%') + pattern + QLatin1Char('%'));
    } else if (!filter.payeeContains.isEmpty()) {
        sqlite3_create_function(db.handle(), "quorvanta_contains", 2,
                                SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, containsFunction,
                                nullptr, nullptr);
        c.terms << QStringLiteral("quorvanta_contains(Payee, ?)");
        c.values << filter.payeeContains;
    }
    return c;
}

QString whereClause(const QStringList& terms) {
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

}  // namespace

QString isoTime(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss'Z'"));
}

namespace {

// The statements of addPending and markPrinted, run inside the caller's transaction.
qint64 insertPending(Database& db, const RegisterEntry& e) {
    db.prepare(QStringLiteral("INSERT INTO ChequeRegister (PrintedAt, BankCode, BankName, "
                              "ChequeNumber, Payee, AmountCents, AmountText, WordLine1, WordLine2, "
                              "ChequeDate, Destination, JobId, State) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL, 'pending')"))
        .bindAll({isoTime(e.printedAt), e.bankCode, e.bankName, e.chequeNumber, e.payee,
                  QVariant::fromValue<qint64>(e.amountCents), e.amountText, e.wordLine1,
                  e.wordLine2, e.chequeDate ? QVariant(*e.chequeDate) : QVariant(), e.destination})
        .execute();
    return db.lastInsertId();
}

void setPrinted(Database& db, qint64 id, const QDateTime& printedAt, const QString& destination,
                std::optional<qint64> jobId) {
    db.prepare(QStringLiteral("UPDATE ChequeRegister SET State = 'printed', PrintedAt = ?, "
                              "Destination = ?, JobId = ? WHERE ID = ? AND State = 'pending'"))
        .bindAll({isoTime(printedAt), destination, jobId ? QVariant(*jobId) : QVariant(), id})
        .execute();
    if (sqlite3_changes(db.handle()) != 1)
        throw DbError(SQLITE_NOTFOUND, QStringLiteral("The register has no cheque waiting for its "
                                                      "print job under the number ") +
                                           QString::number(id) + QLatin1Char('.'));
    Statement entry = db.prepare(
        QStringLiteral("SELECT BankCode, ChequeNumber FROM ChequeRegister WHERE ID = ?"));
    entry.bind(1, id);
    if (entry.step()) ChequeNumberStore::advancePast(db, entry.text(0), entry.text(1));
}

}  // namespace

qint64 addPending(Database& db, const RegisterEntry& e) {
    Transaction transaction(db);
    const qint64 id = insertPending(db, e);
    transaction.commit();
    return id;
}

std::vector<qint64> addPendingAll(Database& db, const std::vector<RegisterEntry>& entries) {
    Transaction transaction(db);
    std::vector<qint64> ids;
    ids.reserve(entries.size());
    for (const RegisterEntry& e : entries) ids.push_back(insertPending(db, e));
    transaction.commit();
    return ids;
}

void markPrinted(Database& db, qint64 id, const QDateTime& printedAt, const QString& destination,
                 std::optional<qint64> jobId) {
    Transaction transaction(db);
    setPrinted(db, id, printedAt, destination, jobId);
    transaction.commit();
}

void markAllPrinted(Database& db, const std::vector<qint64>& ids, const QDateTime& printedAt,
                    const QString& destination) {
    Transaction transaction(db);
    for (qint64 id : ids) setPrinted(db, id, printedAt, destination, std::nullopt);
    transaction.commit();
}

void removeAllPending(Database& db, const std::vector<qint64>& ids) {
    Transaction transaction(db);
    for (qint64 id : ids)
        db.prepare(QStringLiteral("DELETE FROM ChequeRegister WHERE ID = ? AND State = 'pending'"))
            .bindAll({id})
            .execute();
    transaction.commit();
}

void removePending(Database& db, qint64 id) {
    db.write(QStringLiteral("DELETE FROM ChequeRegister WHERE ID = ? AND State = 'pending'"), {id});
}

std::vector<RegisterEntry> listPending(Database& db) {
    Statement query = db.prepare(QStringLiteral("SELECT ") + kColumns +
                                 QStringLiteral(" FROM ChequeRegister WHERE State = 'pending' "
                                                "ORDER BY ID"));
    return entries(query);
}

void voidEntry(Database& db, qint64 id, const QDateTime& at, const QString& reason) {
    const int changed = db.write(
        QStringLiteral("UPDATE ChequeRegister SET State = 'void', VoidedAt = ?, VoidReason = ? "
                       "WHERE ID = ? AND State = 'printed'"),
        {isoTime(at), reason, id});
    if (changed != 1)
        throw DbError(SQLITE_CONSTRAINT,
                      QStringLiteral("Only a printed cheque can be made void; this one is not."));
}

std::optional<RegisterEntry> find(Database& db, qint64 id) {
    Statement query = db.prepare(QStringLiteral("SELECT ") + kColumns +
                                 QStringLiteral(" FROM ChequeRegister WHERE ID = ?"));
    query.bind(1, id);
    if (!query.step()) return std::nullopt;
    return entryOf(query);
}

std::optional<RegisterEntry> findIssued(Database& db, const QString& bankCode,
                                        const QString& chequeNumber) {
    if (chequeNumber.isEmpty()) return std::nullopt;
    Statement query = db.prepare(
        QStringLiteral("SELECT ") + kColumns +
        QStringLiteral(" FROM ChequeRegister WHERE BankCode = ? AND ChequeNumber = ? AND "
                       "State <> 'pending' ORDER BY ID DESC LIMIT 1"));
    query.bindAll({bankCode, chequeNumber});
    if (!query.step()) return std::nullopt;
    return entryOf(query);
}

std::vector<RegisterEntry> page(Database& db, const RegisterFilter& filter, qint64 olderThanId,
                                int limit) {
    Conditions c = conditionsOf(db, filter, false);
    if (filter.state) {
        c.terms << QStringLiteral("+State = ?");
        c.values << stateName(*filter.state);
    }
    if (olderThanId > 0) {
        c.terms << QStringLiteral("ID < ?");
        c.values << olderThanId;
    }
    Statement query = db.prepare(QStringLiteral("SELECT ") + kColumns +
                                 QStringLiteral(" FROM ChequeRegister") + whereClause(c.terms) +
                                 QStringLiteral(" ORDER BY ID DESC LIMIT ?"));
    c.values << limit;
    query.bindAll(c.values);
    return entries(query);
}

RegisterTotal printedTotal(Database& db, const RegisterFilter& filter) {
    if (filter.state && *filter.state != RegisterEntry::State::Printed) return {};
    // The totals index holds state, bank, time, amount and payee: the sum is
    // read from the index alone, a fraction of the table's size.
    Conditions c = conditionsOf(db, filter, true);
    c.terms.prepend(QStringLiteral("State = 'printed'"));
    Statement query = db.prepare(
        QStringLiteral("SELECT count(*), coalesce(sum(AmountCents), 0) FROM ChequeRegister") +
        whereClause(c.terms));
    query.bindAll(c.values);
    RegisterTotal total;
    if (query.step()) {
        total.count = query.integer(0);
        total.cents = query.integer(1);
    }
    return total;
}

std::vector<RegisterEntry> issuedNumbers(Database& db) {
    Statement query = db.prepare(QStringLiteral("SELECT ") + kColumns +
                                 QStringLiteral(" FROM ChequeRegister WHERE State <> 'pending' "
                                                "AND ChequeNumber <> '' ORDER BY ID"));
    std::vector<RegisterEntry> list;
    while (query.step()) list.push_back(entryOf(query));
    return list;
}

}  // namespace RegisterStore
