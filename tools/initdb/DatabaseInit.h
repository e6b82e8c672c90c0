#pragma once

#include <QString>

namespace DatabaseInit {

// File name of the cheque database inside its data directory.
QString fileName();

enum class Access {
    Default,    // the file's mode follows the umask
    OwnerOnly,  // 0600 from the moment the file exists (a user's own data folder)
};

// Writes a new chequedb.mdb into `directory` with its tables and initial rows.
// Refuses (DbError) to overwrite an existing file; returns the file's path. When
// anything fails, no file is left behind.
QString createDatabase(const QString& directory, Access access = Access::Default);

}  // namespace DatabaseInit
