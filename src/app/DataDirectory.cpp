#include "app/DataDirectory.h"

#include <QDir>

#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"

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

QString dataDirectory(const MachineSettings& settings, const QString& programDirectory) {
    const QVariant value =
        readMachineValue(settings, AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName());
    const QString text = value.toString();
    return text.isEmpty() ? programDirectory : text;
}

QString databasePath(const QString& directory) {
    return QDir(directory).filePath(QStringLiteral("chequedb.mdb"));
}
