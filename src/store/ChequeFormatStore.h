#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

#include "core/ChequeFormat.h"

class Database;

// The BankCheque table. Every write runs alone in its own transaction and is
// rolled back when it fails; failures are DbError exceptions.
namespace ChequeFormatStore {

// The 67 columns after ID, in the order of the insert statement.
const QStringList& columnNames();

// Every format in creation order (the designer's list).
std::vector<ChequeFormat> listById(Database& db);
// Every format in ascending BankCode order (the main window's list).
std::vector<ChequeFormat> listByCode(Database& db);
// The format with this code; the first row when several share it.
std::optional<ChequeFormat> findByCode(Database& db, const QString& code);
// Stores a new row and returns its ID (the record's own id is not written).
qint64 insert(Database& db, const ChequeFormat& format);
// Writes all 67 columns over the row(s) with `code`; returns the rows changed.
int update(Database& db, const QString& code, const ChequeFormat& format);
// Deletes the row(s) with `code`; returns the rows deleted.
int remove(Database& db, const QString& code);

// What a bold flag is stored as: "True" or "False".
QString boldText(bool bold);
// A stored font style read as a flag: "True"/"False" in any letter case, or a
// number (nonzero is bold). Anything else reads as not bold.
bool readBold(const QVariant& stored);
// Label positions, widths and font sizes are stored as single-precision values
// rounded to 7 significant digits.
double storedSingle(float value);
// The cheque's size and offset are stored rounded to 15 significant digits, so a
// sum of steps such as 43.199999999999996 is stored as 43.2.
double storedDouble(double value);

}  // namespace ChequeFormatStore
