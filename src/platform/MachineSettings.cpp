#include "platform/MachineSettings.h"

#include <QSettings>

QVariant SystemMachineSettings::value(const QString& keyPath, const QString& valueName) const {
    // "Software\Org\App\Group..." -> organisation Org, application App, group Group...
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(QStringLiteral("Software"), Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.size() < 2) return {};
    const QString organisation = parts.takeFirst();
    const QString application = parts.takeFirst();
    QSettings settings(QSettings::IniFormat, QSettings::SystemScope, organisation, application);
    if (!parts.isEmpty()) settings.beginGroup(parts.join(QLatin1Char('/')));
    if (!settings.contains(valueName)) return {};
    return settings.value(valueName);
}
