#include "DatabaseInit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/Database.h"
#include "store/DbError.h"
#include "store/Schema.h"
#include "store/Transaction.h"

extern const char kSchemaSql[];
extern const char kInitialSql[];

namespace DatabaseInit {

QString fileName() { return QStringLiteral("chequedb.mdb"); }

QString createDatabase(const QString& directory, Access access) {
    const QString path = QDir(directory).filePath(fileName());
    if (QFileInfo::exists(path))
        throw DbError(1, QStringLiteral("Refusing to overwrite the existing database ") + path);
    if (!QDir().mkpath(directory))
        throw DbError(14, QStringLiteral("Cannot create the folder ") + directory);
    if (access == Access::OwnerOnly) {
        // The engine makes a new file with the umask's mode; an empty file made
        // owner-only first is taken as a new database, and its journal gets the
        // same mode.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            throw DbError(14, QStringLiteral("Cannot create the database ") + path +
                                  QStringLiteral(": ") + file.errorString());
    }
    try {
        auto db = Database::create(path);
        Transaction transaction(*db);
        db->executeScript(QString::fromUtf8(kSchemaSql));
        db->executeScript(QString::fromUtf8(kInitialSql));
        // The first release's tables, then the same steps that bring an older
        // file up to date when the program opens it.
        Schema::applyUpgrades(*db);
        transaction.commit();
    } catch (...) {
        QFile::remove(path);  // never leave a half-made database behind
        throw;
    }
    return path;
}

}  // namespace DatabaseInit
