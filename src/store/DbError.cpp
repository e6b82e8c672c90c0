#include "store/DbError.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// The text with %1 standing for the file and %2 for its folder, in one pass.
QString fill(const QString& text, const QString& path) {
    const QString file = quoted(path);
    const QString folder = quoted(QFileInfo(path).absolutePath());
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('1') || text[i + 1] == QLatin1Char('2'))) {
            out += text[i + 1] == QLatin1Char('1') ? file : folder;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Why a file could not be opened, from what the file system shows of it.
QString cannotOpen(const QString& path, const QString& engineText) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    QString what;
    if (!folder.exists())
        what = QStringLiteral(
            "The database file %1 cannot be found: its folder %2 does not "
            "exist. Check the data folder setting");
    else if (!file.exists())
        what = QStringLiteral(
            "The database file %1 does not exist. Check the data folder "
            "setting and that the file is in that folder");
    else if (file.isDir())
        what = QStringLiteral("%1 is a folder, not the database file");
    else if (!file.isReadable())
        what = QStringLiteral(
            "The database file %1 cannot be read: permission to read it is "
            "denied");
    else
        what = QStringLiteral("The database file %1 cannot be opened");
    return fill(what, path) + QStringLiteral(" (") + engineText + QStringLiteral(").");
}

}  // namespace

QString DbError::explain(int code, const QString& engineText, const QString& path) {
    if (path.isEmpty()) return engineText;
    QString what;
    switch (code & 0xff) {
        case SQLITE_CANTOPEN:
            // The file is open; what failed is the journal made beside it while saving.
            what = QStringLiteral(
                "The database %1 could not be written: no journal file could "
                "be made in its folder %2. Allow changes to that folder and "
                "try again");
            break;
        case SQLITE_NOTADB:
            what = QStringLiteral(
                "The file %1 cannot be read: it is not a Quorvanta Solo "
                "database, it is damaged, or its password is not this "
                "program's");
            break;
        case SQLITE_CORRUPT:
            what = QStringLiteral(
                "The database %1 is damaged and cannot be used. Restore the "
                "file from a backup copy");
            break;
        case SQLITE_READONLY:
            what = QStringLiteral(
                "The database %1 is read-only, so nothing can be saved to it. "
                "Allow changes to the file and try again");
            break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            what = QStringLiteral(
                "The database %1 is in use by another program, perhaps a "
                "second copy of Quorvanta Solo, and stayed locked while this "
                "one waited. Nothing was changed; close the other program and "
                "try again");
            break;
        case SQLITE_FULL:
            what = QStringLiteral(
                "The database %1 could not be written: the disk is full. Free "
                "some disk space and try again");
            break;
        case SQLITE_IOERR:
            // Writes the system refuses come back as input/output errors.
            if (QFileInfo(path).exists() && !QFileInfo(path).isWritable())
                what = QStringLiteral(
                    "The database %1 could not be written: the file is "
                    "read-only. Allow changes to the file and try again");
            else if (code == SQLITE_IOERR_READ || code == SQLITE_IOERR_SHORT_READ)
                what = QStringLiteral(
                    "The database %1 could not be read: the disk may be "
                    "removed or failing");
            else if (code == SQLITE_IOERR)
                what = QStringLiteral(
                    "The database %1 could not be read or written: the disk "
                    "may be full, removed or failing");
            else
                what = QStringLiteral(
                    "The database %1 could not be written: the disk may be "
                    "full, removed or failing");
            break;
        case SQLITE_PERM:
        case SQLITE_AUTH:
            what = QStringLiteral("The database %1 refused access");
            break;
        default:
            return engineText;
    }
    return fill(what, path) + QStringLiteral(" (") + engineText + QStringLiteral(").");
}

DbError DbError::openFailure(int code, const QString& engineText, const QString& path) {
    if ((code & 0xff) == SQLITE_CANTOPEN) return DbError(code, cannotOpen(path, engineText));
    return DbError(code, explain(code, engineText, path));
}

DbError DbError::fromEngine(sqlite3* db) {
    // The message tells apart what the extended code tells apart; the code
    // kept is the primary one.
    int code = sqlite3_errcode(db);
    int extended = sqlite3_extended_errcode(db);
    const QString engineText = QString::fromUtf8(sqlite3_errmsg(db));
    // A table definition that no longer parses is damage to the file, though
    // the engine may report it as a plain error.
    if (engineText.startsWith(QLatin1String("malformed database schema")))
        code = extended = SQLITE_CORRUPT;
    const char* file = sqlite3_db_filename(db, "main");
    return DbError(code, explain(extended, engineText,
                                 file ? QString::fromUtf8(file) : QString()));
}
