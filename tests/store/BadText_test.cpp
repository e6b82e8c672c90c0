// Texts a user may type or paste are stored and read back exactly by every
// store, and never break the statement that carries them.
#include <gtest/gtest.h>

#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "support/FormatSamples.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

const QString kBadTexts[] = {
    QStringLiteral("O'Brien's \"Best\" Co"),
    QStringLiteral("x'); DROP TABLE Company; --"),
    QStringLiteral("\" OR \"1\"=\"1 ?1 :name %_ \\"),
    QString(5000, u'\u0634'),
    QStringLiteral("a\tb\nc\x01\u202egnp.exe\u202c"),
    QStringLiteral("before") + QChar(0) + QStringLiteral("after"),
    QStringLiteral("Cafe\u0301 \U0001F4B0"),
    QStringLiteral("  spaced  "),
    QString(),
};

TEST(BadText, EveryStoreKeepsTextsExactly) {
    TestEnv env;
    std::vector<qint64> ids;
    for (const QString& text : kBadTexts) {
        ids.push_back(CompanyStore::insert(env.db(), text));
        EXPECT_TRUE(CompanyStore::exists(env.db(), text));
        ChequeFormat f = distinctFormat(text);
        f.bankName = f.printerName = f.fonts[1].face = f.sdateFont.face = text;
        ChequeFormatStore::insert(env.db(), f);
    }
    env.reopen();
    const auto payees = CompanyStore::listByName(env.db());
    ASSERT_EQ(payees.size(), std::size(kBadTexts));
    for (size_t i = 0; i < ids.size(); ++i) {
        const QString& text = kBadTexts[i];
        const auto payee = std::find_if(payees.begin(), payees.end(),
                                        [&](const Payee& p) { return p.id == ids[i]; });
        ASSERT_NE(payee, payees.end());
        EXPECT_EQ(payee->name, text);
        ChequeFormat expected = distinctFormat(text);
        expected.bankName = expected.printerName = expected.fonts[1].face =
            expected.sdateFont.face = text;
        auto back = ChequeFormatStore::findByCode(env.db(), text);
        ASSERT_TRUE(back) << i;
        back->id = 0;
        EXPECT_EQ(*back, expected) << i;

        SettingsStore::writeOptions(env.db(), 0, 1, 0, text);
        SettingsStore::writeRememberedChoices(env.db(), 2, 0, text + u'!');
        EXPECT_EQ(SettingsStore::read(env.db())->dateFormat, text);
        EXPECT_EQ(SettingsStore::read(env.db())->wordCase, text + u'!');
    }
    for (const QString& text : kBadTexts) EXPECT_EQ(ChequeFormatStore::remove(env.db(), text), 1);
}

TEST(BadText, LookupByNameMatchesTheWholeNameInAnyLetterCase) {
    TestEnv env;
    CompanyStore::insert(env.db(), QStringLiteral("Acme") + QChar(0) + QStringLiteral("North"));
    CompanyStore::insert(env.db(), QStringLiteral("Cafe\u0301"));
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("ACME") + QChar(0) + QStringLiteral("north"), true},
        {QStringLiteral("Acme") + QChar(0) + QStringLiteral("South"), false},
        {QStringLiteral("Acme"), false},
        {QStringLiteral("CAFE\u0301"), true},
        {QStringLiteral("Caf\u00e9"), false},  // nothing is composed on the way in
        {QStringLiteral("' OR '1'='1"), false},
    };
    for (const auto& [name, found] : cases)
        EXPECT_EQ(CompanyStore::exists(env.db(), name), found) << name.toStdString();
}

}  // namespace
