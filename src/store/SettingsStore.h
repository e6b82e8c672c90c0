#pragma once

#include <QString>

#include <optional>

class Database;

// The user's settings, the one Settings row (ID 1): the four options and the main
// window's remembered choices. The main window owns the current value; the other
// windows get a copy and hand back a changed one.
struct UserSettings {
    int saveChange = 1;
    int clearData = 1;
    bool alertUser = true;
    QString dateFormat = QStringLiteral("dd mmm yyyy");
    int bankIndex = 0;
    int printDate = 1;
    QString wordCase = QStringLiteral("UPPER CASE");
};

namespace SettingsStore {

// The first Settings row, or nothing when the table is empty.
std::optional<UserSettings> read(Database& db);
// The main window's remembered choices, written when it closes.
void writeRememberedChoices(Database& db, int bankIndex, int printDate, const QString& wordCase);
// The four options of the options window.
void writeOptions(Database& db, int saveChange, int clearData, int alertUser,
                  const QString& dateFormat);

}  // namespace SettingsStore
