#include "store/LanguageStore.h"

#include "store/Database.h"

namespace LanguageStore {

namespace {
Language fromRow(const Statement& row) {
    return {static_cast<int>(row.integer("ID")), row.text("LanguageName")};
}
}  // namespace

std::vector<Language> list(Database& db) {
    std::vector<Language> languages;
    Statement query = db.prepare(QStringLiteral("SELECT * FROM LanguageMain"));
    while (query.step()) languages.push_back(fromRow(query));
    return languages;
}

std::optional<Language> findByName(Database& db, const QString& name) {
    Statement query = db.prepare(QStringLiteral("SELECT * FROM LanguageMain WHERE LanguageName = ?"));
    query.bind(1, name);
    if (!query.step()) return std::nullopt;
    return fromRow(query);
}

std::optional<Language> findById(Database& db, qint64 id) {
    Statement query = db.prepare(QStringLiteral("SELECT * FROM LanguageMain WHERE ID = ?"));
    query.bind(1, id);
    if (!query.step()) return std::nullopt;
    return fromRow(query);
}

}  // namespace LanguageStore
