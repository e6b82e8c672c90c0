#pragma once

#include <QString>

namespace DatabaseInit {

// File name of the cheque database inside its data directory.
QString fileName();

// Writes a new chequedb.mdb into `directory` with its tables and initial rows.
// Refuses (DbError) to overwrite an existing file; returns the file's path.
QString createDatabase(const QString& directory);

}  // namespace DatabaseInit
