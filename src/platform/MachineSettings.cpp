#include "platform/MachineSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList xdgConfigDirs() {
    QStringList dirs =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty()) dirs << QStringLiteral("/etc/xdg");
    return dirs;
}

}  // namespace

SystemMachineSettings::SystemMachineSettings() : m_configDirs(xdgConfigDirs()) {}

SystemMachineSettings::SystemMachineSettings(QStringList configDirs)
    : m_configDirs(std::move(configDirs)) {}

QVariant SystemMachineSettings::value(const QString& keyPath, const QString& valueName) const {
    // "Software\Org\App\Group..." -> Org/App.conf, group "Group/...".
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QStringLiteral("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() < 2) return {};
    const QString organisation = parts.takeFirst();
    const QString application = parts.takeFirst();
    const QString relative = organisation + QLatin1Char('/') + application + QStringLiteral(".conf");
    for (const QString& dir : m_configDirs) {
        const QString path = QDir(dir).filePath(relative);
        if (QFileInfo::exists(path)) return readValue(path, parts.join(QLatin1Char('/')), valueName);
    }
    return {};
}

QVariant SystemMachineSettings::readValue(const QString& path, const QString& group,
                                          const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QString current;  // keys before the first [group] are in the general group
    QVariant found;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QChar(0xFEFF))) line = line.mid(1).trimmed();  // a byte-order mark
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || current != group || line.left(equals).trimmed() != key) continue;
        QString text = line.mid(equals + 1).trimmed();
        // A value written in double quotes keeps its outer blanks.
        if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
            text = text.mid(1, text.size() - 2);
        found = text;  // a later line overrides an earlier one, as in Qt's reader
    }
    return found;
}
