#include "store/SettingsStore.h"

#include "store/Database.h"

namespace SettingsStore {

std::optional<UserSettings> read(Database& db) {
    Statement query = db.prepare(QStringLiteral("SELECT * FROM Settings"));
    if (!query.step()) return std::nullopt;
    UserSettings s;
    s.saveChange = static_cast<int>(query.integer("SaveChange"));
    s.clearData = static_cast<int>(query.integer("ClearData"));
    s.alertUser = query.integer("AlertUser") != 0;
    s.dateFormat = query.text("DateFormat");
    s.bankIndex = static_cast<int>(query.integer("BankIndex"));
    s.printDate = static_cast<int>(query.integer("PrintDate"));
    s.wordCase = query.text("WordCase");
    return s;
}

void writeRememberedChoices(Database& db, int bankIndex, int printDate, const QString& wordCase) {
    db.write(QStringLiteral("UPDATE Settings SET BankIndex = ?, PrintDate = ?, WordCase = ? "
                            "WHERE ID = 1"),
             {bankIndex, printDate, wordCase});
}

void writeOptions(Database& db, int saveChange, int clearData, int alertUser,
                  const QString& dateFormat) {
    db.write(QStringLiteral("UPDATE Settings SET SaveChange = ?, ClearData = ?, AlertUser = ?, "
                            "DateFormat = ? WHERE ID = 1"),
             {saveChange, clearData, alertUser, dateFormat});
}

}  // namespace SettingsStore
