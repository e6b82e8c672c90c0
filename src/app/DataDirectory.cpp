#include "app/DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sqlite3.h>

#include <cerrno>
#include <sys/stat.h>

#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"
#include "store/DbError.h"

QVariant readMachineValue(const MachineSettings& settings, const QString& keyPath,
                     const QString& valueName) {
    const QVariant value = settings.value(keyPath, valueName);
    if (!value.isValid()) return QString();
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return static_cast<qint32>(value.toLongLong());
        case QMetaType::QString:
            // A text value ends at its first NUL character.
            return value.toString().section(QChar(0), 0, 0);
        default:
            return QString();
    }
}

DataLocation locateData(const MachineSettings& settings, const QString& programDirectory,
                        const QString& userDataDirectory) {
    const QString configured =
        readMachineValue(settings, AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName())
            .toString();
    if (!configured.isEmpty()) return {configured, DataLocation::Source::Settings};
    if (QFileInfo::exists(databasePath(programDirectory)))
        return {programDirectory, DataLocation::Source::ProgramFolder};
    return {userDataDirectory, DataLocation::Source::UserDataFolder};
}

QString userDataDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Quorvanta/Solo");
}

void makeUserDataDirectory(const QString& directory) {
    const QString absolute = QDir::cleanPath(QDir(directory).absolutePath());
    if (QFileInfo(absolute).isDir()) return;
    // Each missing folder on the way is made owner-only, from the top down.
    const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path += QLatin1Char('/') + part;
        if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST) continue;
        const int error = errno;
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("The data folder ") + absolute +
                                           QStringLiteral(" cannot be created: ") +
                                           qt_error_string(error));
    }
    if (!QFileInfo(absolute).isDir())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("The data folder ") + absolute +
                                           QStringLiteral(" cannot be created: a file of that name is in the way"));
}

QString databasePath(const QString& directory) {
    return QDir(directory).filePath(QStringLiteral("chequedb.mdb"));
}
