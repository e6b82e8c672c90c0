#pragma once

#include <QString>

#include <optional>
#include <vector>

class Database;

// The languages in which amounts are spelled (LanguageMain table).
struct Language {
    int id = 0;
    QString name;
};

namespace LanguageStore {

// Every language in the order the table returns them.
std::vector<Language> list(Database& db);
std::optional<Language> findByName(Database& db, const QString& name);
std::optional<Language> findById(Database& db, qint64 id);

}  // namespace LanguageStore
