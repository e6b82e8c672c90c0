#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DatabaseInit.h"
#include "store/Database.h"
#include "store/DbError.h"

namespace {

TEST(DatabaseInit, MakesTheFolderTheSettingsRowAndBothLanguagesButNeverOverwrites) {
    QTemporaryDir dir;
    auto db = Database::open(DatabaseInit::createDatabase(dir.filePath(QStringLiteral("a/b"))));
    auto rows = db->prepare(
        QStringLiteral("SELECT (SELECT count(*) FROM Settings WHERE ID = 1), LanguageID, count(*), "
                       "sum(Word = '' OR Word <> trim(Word)) FROM AmountWord GROUP BY LanguageID"));
    for (int language : {1, 2}) {
        ASSERT_TRUE(rows.step());
        EXPECT_EQ(rows.integer(0), 1);
        EXPECT_EQ(rows.integer(1), language);
        EXPECT_EQ(rows.integer(2), 107);  // one word for each slot, none blank or padded
        EXPECT_EQ(rows.integer(3), 0);
    }

    QFile existing(dir.filePath(QStringLiteral("chequedb.mdb")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    EXPECT_THROW(DatabaseInit::createDatabase(dir.path()), DbError);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
}

}  // namespace
