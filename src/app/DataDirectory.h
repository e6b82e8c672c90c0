#pragma once

#include <QString>
#include <QVariant>

class MachineSettings;

// readMachineValue: the value's text, its number, or the empty text when the key or
// value is missing or of another type.
QVariant readMachineValue(const MachineSettings& settings, const QString& keyPath,
                          const QString& valueName);

// Where the cheque database is looked for, in this order:
//   1. the `Directory` value of the system-scope settings, when it is set;
//   2. the program's own folder, when a chequedb.mdb is there (a portable copy);
//   3. the user's data folder, where start-up creates the database on first use.
struct DataLocation {
    enum class Source { Settings, ProgramFolder, UserDataFolder };
    QString directory;
    Source source = Source::Settings;

    // Only the user's own data folder is made, and its database created, by start-up.
    bool createsWhenMissing() const { return source == Source::UserDataFolder; }
};

DataLocation locateData(const MachineSettings& settings, const QString& programDirectory,
                        const QString& userDataDirectory);

// $XDG_DATA_HOME/Quorvanta/Solo (normally ~/.local/share/Quorvanta/Solo).
QString userDataDirectory();

// Makes `directory` and its missing parents, owner-only (0700). Throws DbError
// naming the folder when it cannot; an existing folder is left as it is.
void makeUserDataDirectory(const QString& directory);

// data directory + "/chequedb.mdb".
QString databasePath(const QString& directory);
