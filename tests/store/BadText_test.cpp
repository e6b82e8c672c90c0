// Texts a user may type or paste are stored and read back exactly by every
// store, and never break the statement that carries them.
#include <gtest/gtest.h>

#include "support/FormatSamples.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/SettingsStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

struct BadText {
    const char* name;
    QString text;
};

QString tenThousand() {
    const QString piece = QStringLiteral("A'\"\u0634\u0301;-- ");
    QString text;
    while (text.size() < 10000) text += piece;
    return text.left(10000);
}

std::vector<BadText> badTexts() {
    return {
        {"single quotes", QStringLiteral("O'Brien's")},
        {"double quotes", QStringLiteral("The \"Best\" Co")},
        {"quotes only", QStringLiteral("\"'\"''\"\"")},
        {"closing a quoted value", QStringLiteral("x'); DROP TABLE Company; --")},
        {"closing a double-quoted value", QStringLiteral("x\"); DELETE FROM Settings; --")},
        {"always true", QStringLiteral("\" OR \"1\"=\"1")},
        {"separator and comments", QStringLiteral("a; /* b */ -- c")},
        {"pattern characters", QStringLiteral("100% _match_ \\ [x] *?")},
        {"parameter marks", QStringLiteral("?1 ? :name @x $y")},
        {"10,000 characters", tenThousand()},
        {"control characters", QStringLiteral("a\tb\nc\rd\x01"
                                              "e\x1b[31mf\x7fg\u0085h")},
        {"embedded NUL", QStringLiteral("before") + QChar(0) + QStringLiteral("after")},
        {"right-to-left",
         QStringLiteral("\u0634\u0631\u0643\u0629 \u0627\u0644\u0623\u0645\u0644")},
        {"direction overrides",
         QStringLiteral("\u202egnp.exe\u202c and \u200f mark \u2067isolate\u2069")},
        {"Hebrew with digits and quote",
         QStringLiteral("\u05d7\u05d1\u05e8\u05d4 123 \u05d1\u05e2\"\u05de")},
        {"combining letters", QStringLiteral("Cafe\u0301 Zu\u0308rich")},
        {"stacked combining marks", QStringLiteral("Z\u0351\u0334\u0358a\u0328\u0301\u0302")},
        {"characters beyond 16 bits", QStringLiteral("\U0001F4B0 Money \U0001D400")},
        {"blanks around", QStringLiteral("  spaced  ")},
        {"blanks only", QStringLiteral("   ")},
        {"empty", QString()},
    };
}

TEST(BadText, PayeesAreStoredExactly) {
    TestEnv env;
    std::vector<std::pair<qint64, QString>> stored;
    for (const BadText& bad : badTexts()) {
        SCOPED_TRACE(bad.name);
        const qint64 id = CompanyStore::insert(env.db(), bad.text);
        EXPECT_TRUE(CompanyStore::exists(env.db(), bad.text));
        stored.emplace_back(id, bad.text);
    }
    env.reopen();
    auto list = CompanyStore::listByName(env.db());
    ASSERT_EQ(list.size(), stored.size()) << "a statement stored too much or too little";
    for (const auto& [id, text] : stored) {
        const auto it =
            std::find_if(list.begin(), list.end(), [&](const Payee& p) { return p.id == id; });
        ASSERT_NE(it, list.end());
        EXPECT_EQ(it->name, text) << it->name.left(60).toStdString();
        EXPECT_EQ(it->name.size(), text.size());
    }
    // A rename carries the text as exactly, and touches only its row.
    for (const auto& [id, text] : stored)
        CompanyStore::rename(env.db(), id, text + QStringLiteral("\u202c'"));
    env.reopen();
    list = CompanyStore::listByName(env.db());
    ASSERT_EQ(list.size(), stored.size());
    for (const auto& [id, text] : stored) {
        const auto it =
            std::find_if(list.begin(), list.end(), [&](const Payee& p) { return p.id == id; });
        ASSERT_NE(it, list.end());
        EXPECT_EQ(it->name, text + QStringLiteral("\u202c'"));
    }
    EXPECT_TRUE(SettingsStore::read(env.db()));
}

TEST(BadText, LookupByNameMatchesOnlyTheWholeName) {
    TestEnv env;
    const QString withNul = QStringLiteral("Acme") + QChar(0) + QStringLiteral("North");
    CompanyStore::insert(env.db(), withNul);
    CompanyStore::insert(env.db(), QStringLiteral("Cafe\u0301"));
    CompanyStore::insert(env.db(), QStringLiteral("x'); DROP TABLE Company; --"));
    EXPECT_TRUE(CompanyStore::exists(env.db(), withNul));
    EXPECT_FALSE(CompanyStore::exists(env.db(),
                                      QStringLiteral("Acme") + QChar(0) + QStringLiteral("South")));
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("Acme")));
    // Letter case still does not count.
    EXPECT_TRUE(CompanyStore::exists(env.db(),
                                     QStringLiteral("ACME") + QChar(0) + QStringLiteral("north")));
    EXPECT_TRUE(CompanyStore::exists(env.db(), QStringLiteral("X'); drop TABLE company; --")));
    // No letters are composed or decomposed on the way in.
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("Caf\u00e9")));
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("x')")));
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("' OR '1'='1")));
    EXPECT_FALSE(CompanyStore::exists(env.db(), QStringLiteral("\" OR \"1\"=\"1")));
}

TEST(BadText, OptionsAreStoredExactly) {
    TestEnv env;
    for (const BadText& bad : badTexts()) {
        SCOPED_TRACE(bad.name);
        SettingsStore::writeOptions(env.db(), 0, 1, 0, bad.text);
        SettingsStore::writeRememberedChoices(env.db(), 2, 0, bad.text + QStringLiteral("!"));
        env.reopen();
        const auto s = SettingsStore::read(env.db());
        ASSERT_TRUE(s);
        EXPECT_EQ(s->dateFormat, bad.text);
        EXPECT_EQ(s->wordCase, bad.text + QStringLiteral("!"));
        EXPECT_EQ(s->saveChange, 0);
        EXPECT_EQ(s->clearData, 1);
        EXPECT_EQ(s->bankIndex, 2);
    }
    Statement rows = env.db().prepare(QStringLiteral("SELECT count(*) FROM Settings"));
    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.integer(0), 1);
}

TEST(BadText, FormatTextsAreStoredExactly) {
    TestEnv env;
    const auto texts = badTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        const BadText& bad = texts[i];
        SCOPED_TRACE(bad.name);
        ChequeFormat f = distinctFormat(bad.text);  // the text is the bank code too
        f.bankName = bad.text;
        f.printerName = bad.text;
        f.fonts[static_cast<size_t>(i % 5)].face = bad.text;
        f.sdateFont.face = bad.text;
        const qint64 id = ChequeFormatStore::insert(env.db(), f);
        env.reopen();
        auto back = ChequeFormatStore::findByCode(env.db(), bad.text);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->id, id);
        back->id = 0;
        EXPECT_EQ(*back, f);

        ChequeFormat changed = f;
        changed.bankName = bad.text + bad.text;
        EXPECT_EQ(ChequeFormatStore::update(env.db(), bad.text, changed), 1);
        back = ChequeFormatStore::findByCode(env.db(), bad.text);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->bankName, bad.text + bad.text);
    }
    const auto all = ChequeFormatStore::listByCode(env.db());
    ASSERT_EQ(all.size(), texts.size());
    for (const BadText& bad : texts) {
        SCOPED_TRACE(bad.name);
        EXPECT_EQ(ChequeFormatStore::remove(env.db(), bad.text), 1);
    }
    EXPECT_TRUE(ChequeFormatStore::listById(env.db()).empty());
}

}  // namespace
