#include "db/DbError.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// Why a file could not be opened, from what the file system shows of it.
QString cannotOpen(const QString& path, const QString& engine) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("The database file ") + quoted(path) +
               QStringLiteral(" cannot be found: its folder ") + quoted(folder.filePath()) +
               QStringLiteral(" does not exist. Check the data folder setting") + engine;
    if (!file.exists())
        return QStringLiteral("The database file ") + quoted(path) +
               QStringLiteral(" does not exist. Check the data folder setting and that the file "
                              "is in that folder") +
               engine;
    if (file.isDir())
        return quoted(path) + QStringLiteral(" is a folder, not the database file") + engine;
    if (!file.isReadable())
        return QStringLiteral("The database file ") + quoted(path) +
               QStringLiteral(" cannot be read: permission to read it is denied") + engine;
    return QStringLiteral("The database file ") + quoted(path) +
           QStringLiteral(" cannot be opened") + engine;
}

}  // namespace

QString DbError::explain(int code, const QString& engineText, const QString& path) {
    if (path.isEmpty()) return engineText;
    const QString engine = QStringLiteral(" (") + engineText + QStringLiteral(").");
    const QString db = QStringLiteral("The database ") + quoted(path);
    switch (code & 0xff) {
        case SQLITE_CANTOPEN:
            // The file is open; what failed is the journal made beside it while saving.
            return db + QStringLiteral(" could not be written: no journal file could be made "
                                       "in its folder ") +
                   quoted(QFileInfo(path).absolutePath()) +
                   QStringLiteral(". Allow changes to that folder and try again") + engine;
        case SQLITE_NOTADB:
            return QStringLiteral("The file ") + quoted(path) +
                   QStringLiteral(" cannot be read: it is not a Quorvanta Solo database, it is "
                                  "damaged, or its password is not this program's") +
                   engine;
        case SQLITE_CORRUPT:
            return db + QStringLiteral(" is damaged and cannot be used. Restore the file from a "
                                       "backup copy") +
                   engine;
        case SQLITE_READONLY:
            return db + QStringLiteral(" is read-only, so nothing can be saved to it. Allow "
                                       "changes to the file and try again") +
                   engine;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return db + QStringLiteral(" is in use by another program, perhaps a second copy of "
                                       "Quorvanta Solo, and stayed locked while this one waited. "
                                       "Nothing was changed; close the other program and try "
                                       "again") +
                   engine;
        case SQLITE_FULL:
            return db + QStringLiteral(" could not be written: the disk is full. Free some disk "
                                       "space and try again") +
                   engine;
        case SQLITE_IOERR:
            // Writes refused by the system come back as input/output errors.
            if (!QFileInfo(path).isWritable())
                return db + QStringLiteral(" could not be written: the file is read-only. Allow "
                                           "changes to the file and try again") +
                       engine;
            return db + QStringLiteral(" could not be read or written: the disk may be full, "
                                       "removed or failing") +
                   engine;
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return db + QStringLiteral(" refused access") + engine;
        default:
            return engineText;
    }
}

DbError DbError::openFailure(int code, const QString& engineText, const QString& path) {
    if ((code & 0xff) == SQLITE_CANTOPEN)
        return DbError(code, cannotOpen(path, QStringLiteral(" (") + engineText +
                                                  QStringLiteral(").")));
    return DbError(code, explain(code, engineText, path));
}

DbError DbError::fromEngine(sqlite3* db) {
    const int code = sqlite3_errcode(db);
    const QString engineText = QString::fromUtf8(sqlite3_errmsg(db));
    const char* file = sqlite3_db_filename(db, "main");
    return DbError(code, explain(code, engineText, file ? QString::fromUtf8(file) : QString()));
}
