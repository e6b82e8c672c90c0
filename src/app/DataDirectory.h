#pragma once

#include <QString>
#include <QVariant>

class MachineSettings;

// readMachineValue: the value's text, its number, or the empty text when the key or
// value is missing or of another type.
QVariant readMachineValue(const MachineSettings& settings, const QString& keyPath,
                     const QString& valueName);

// The configured data directory, or `programDirectory` when none is set.
QString dataDirectory(const MachineSettings& settings, const QString& programDirectory);

// data directory + "/chequedb.mdb".
QString databasePath(const QString& directory);
