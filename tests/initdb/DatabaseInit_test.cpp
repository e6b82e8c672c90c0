#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "store/Database.h"
#include "store/DbError.h"

namespace {

struct LanguageExpectation {
    int id;
    const char* name;
    // slot -> word
    std::vector<std::pair<int, const char*>> words;
};

TEST(DatabaseInit, LanguagesHave107WordsInSlotOrder) {
    QTemporaryDir dir;
    auto db = Database::open(DatabaseInit::createDatabase(dir.path()));

    const std::vector<LanguageExpectation> expectations = {
        {1, "English",
         {{1, "One"}, {11, "Eleven"}, {19, "Nineteen"}, {20, "Twenty"}, {21, "Twenty One"},
          {40, "Forty"}, {99, "Ninety Nine"}, {100, "Cents"}, {101, "Hundred"}, {102, "Thousand"},
          {103, "Million"}, {104, "Billion"}, {105, "Only"}, {106, "And"}}},
        {2, "Malay",
         {{1, "Satu"}, {10, "Sepuluh"}, {11, "Sebelas"}, {12, "Dua Belas"}, {20, "Dua Puluh"},
          {21, "Dua Puluh Satu"}, {99, "Sembilan Puluh Sembilan"}, {100, "Sen"},
          {101, "Ratus"}, {102, "Ribu"}, {103, "Juta"}, {104, "Bilion"}, {105, "Sahaja"},
          {106, "Dan"}}},
    };
    for (const auto& language : expectations) {
        auto name = db->prepare(QStringLiteral("SELECT LanguageName FROM LanguageMain WHERE ID = ?"));
        name.bind(1, language.id);
        ASSERT_TRUE(name.step());
        EXPECT_EQ(name.text("LanguageName"), QString::fromUtf8(language.name));

        auto rows = db->prepare(
            QStringLiteral("SELECT * FROM AmountWord WHERE LanguageID = ? ORDER BY Type"));
        rows.bind(1, language.id);
        std::vector<QString> table;
        while (rows.step()) table.push_back(rows.text("Word"));
        ASSERT_EQ(table.size(), 107u) << language.name;
        for (const auto& [slot, word] : language.words)
            EXPECT_EQ(table[slot], QString::fromUtf8(word)) << language.name << " slot " << slot;
        for (const QString& word : table) {
            EXPECT_FALSE(word.isEmpty());
            EXPECT_EQ(word, word.trimmed());
            EXPECT_FALSE(word.contains(QStringLiteral("  ")));
        }
    }
}

TEST(DatabaseInit, RefusesToOverwriteAnExistingFile) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("chequedb.mdb"));
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    EXPECT_THROW(DatabaseInit::createDatabase(dir.path()), DbError);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
}

TEST(DatabaseInit, CreatesTheFolderAndTheSettingsRow) {
    QTemporaryDir dir;
    const QString nested = QDir(dir.path()).filePath(QStringLiteral("a/b"));
    auto db = Database::open(DatabaseInit::createDatabase(nested));
    auto s = db->prepare(QStringLiteral("SELECT count(*) AS n FROM Settings WHERE ID = 1"));
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.integer("n"), 1);
}

}  // namespace
