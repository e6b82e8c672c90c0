#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// The per-machine settings store (the registry on Windows; Qt's system-scope
// settings elsewhere). Values are text or 32-bit numbers; a missing value is an
// invalid QVariant.
class MachineSettings {
public:
    virtual ~MachineSettings() = default;
    virtual QVariant value(const QString& keyPath, const QString& valueName) const = 0;
};

// The system-scope settings file of Linux: "<Organisation>/<Application>.conf" in
// the first folder of XDG_CONFIG_DIRS (default /etc/xdg) that holds one. The key
// path's first two components after "Software" name the organisation and the
// application; the rest is the group, as in
//
//   [1.00.0001]
//   Directory=/srv/cheques
//
// A value is read as plain text: commas, quotes inside the text and backslashes
// are part of it.
class SystemMachineSettings final : public MachineSettings {
public:
    // The folders are searched in order; by default those of XDG_CONFIG_DIRS.
    SystemMachineSettings();
    explicit SystemMachineSettings(QStringList configDirs);

    QVariant value(const QString& keyPath, const QString& valueName) const override;

    // The value `key` of `[group]` in the file at `path`; invalid when the file,
    // the group or the key is missing.
    static QVariant readValue(const QString& path, const QString& group, const QString& key);

private:
    QStringList m_configDirs;
};
