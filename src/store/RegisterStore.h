#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

#include "store/RegisterEntry.h"
#include "store/RegisterFilter.h"

class Database;

// The cheque register (ChequeRegister table). An entry is written `pending`
// before its job is sent, becomes `printed` when the print system has taken
// the job, or is removed when the job failed; a printed entry may be voided.
// Each write is one transaction.
namespace RegisterStore {

// Writes `entry` as pending (its state and id are ignored); returns its id.
qint64 addPending(Database& db, const RegisterEntry& entry);
// Marks a pending entry printed at `printedAt` on `destination` and, in the same
// transaction, makes the bank's next cheque number the entry's number + 1.
// Throws DbError when the entry is not pending.
void markPrinted(Database& db, qint64 id, const QDateTime& printedAt, const QString& destination,
                 std::optional<qint64> jobId);
// The pages of one PDF file: all written pending in one transaction, marked
// printed (the banks' next numbers moved past them) in one, or removed in one.
std::vector<qint64> addPendingAll(Database& db, const std::vector<RegisterEntry>& entries);
void markAllPrinted(Database& db, const std::vector<qint64>& ids, const QDateTime& printedAt,
                    const QString& destination);
void removeAllPending(Database& db, const std::vector<qint64>& ids);
// Removes a pending entry (its job failed). Printed and void entries stay.
void removePending(Database& db, qint64 id);
// Pending entries, oldest first.
std::vector<RegisterEntry> listPending(Database& db);
// Marks a printed entry void with the time and the reason (may be empty).
// Throws DbError when the entry is not printed: a void is never undone or redone.
void voidEntry(Database& db, qint64 id, const QDateTime& at, const QString& reason);

std::optional<RegisterEntry> find(Database& db, qint64 id);
// The newest entry of this bank with this cheque number that went out to a
// printer or file (printed or void); nothing for an empty number.
std::optional<RegisterEntry> findIssued(Database& db, const QString& bankCode,
                                        const QString& chequeNumber);

// Up to `limit` entries of the filter, newest first, older than the entry
// `olderThanId` (0: from the newest). Pages follow one another without gaps
// or repeats while entries are added.
std::vector<RegisterEntry> page(Database& db, const RegisterFilter& filter, qint64 olderThanId,
                                int limit);
// Count and exact sum of the printed entries the filter covers.
RegisterTotal printedTotal(Database& db, const RegisterFilter& filter);

// Every entry that went out with a cheque number (printed or void), oldest first:
// what a batch checks its numbers against in one read.
std::vector<RegisterEntry> issuedNumbers(Database& db);

// The stored form of times: UTC, ISO 8601 to the second ("2026-12-07T10:30:00Z").
QString isoTime(const QDateTime& time);

}  // namespace RegisterStore
