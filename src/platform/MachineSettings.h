#pragma once

#include <QString>
#include <QVariant>

// The per-machine settings store (the registry on Windows; Qt's system-scope
// settings elsewhere). Values are text or 32-bit numbers; a missing value is an
// invalid QVariant.
class MachineSettings {
public:
    virtual ~MachineSettings() = default;
    virtual QVariant value(const QString& keyPath, const QString& valueName) const = 0;
};

// Qt's system-scope settings: an INI file under XDG_CONFIG_DIRS on Linux. The key
// path's first two components name the organisation and the application; the rest
// is the group.
class SystemMachineSettings final : public MachineSettings {
public:
    QVariant value(const QString& keyPath, const QString& valueName) const override;
};
