// The batch table: edits check the row again and move the numbers of the rows
// after it; the loader reads on a worker and reports in the caller's thread.
#include <gtest/gtest.h>

#include <QColor>
#include <QSignalSpy>

#include "batch/BatchCheck.h"
#include "batch/BatchLoader.h"
#include "batch/BatchTableModel.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

BatchSetup setupFor(TestEnv& env) {
    BatchSetup setup;
    ChequeFormat f;
    f.bankCode = QStringLiteral("MBB");
    f.fields.at(FieldWord1).width = 3000;
    setup.formats = {f};
    setup.wordsByLanguage.insert(1, AmountWordTable::load(env.db(), 1));
    setup.defaultBankCode = QStringLiteral("MBB");
    setup.today = QDate(2026, 12, 7);
    setup.measure = &env.textMeasure;
    setup.nextNumbers.insert(QStringLiteral("MBB"), QStringLiteral("0010"));
    return setup;
}

QStringList strings(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) out << QString::fromUtf8(t);
    return out;
}

QStringList column(const BatchTableModel& model, int column) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r) out << model.index(r, column).data().toString();
    return out;
}

TEST(BatchTable, EditsCheckAgainAndRenumber) {
    TestEnv env;
    QObject owner;
    BatchLoader loader(&owner);
    QSignalSpy done(&loader, &BatchLoader::finished);
    ASSERT_TRUE(loader.start("payee,amount\nA,1\nB,oops\nC,3\n", setupFor(env)));
    EXPECT_FALSE(loader.start("payee,amount\n", setupFor(env)));  // one file at a time
    ASSERT_TRUE(done.wait(10000));
    EXPECT_FALSE(loader.busy());
    BatchLoader::Result result = loader.takeResult();
    ASSERT_TRUE(result.file.ok);

    BatchTableModel model(&owner);
    model.reset(result.file.rows, result.checked, result.setup);
    EXPECT_EQ(column(model, BatchTableModel::Number), strings({"0010", "", "0011"}));
    EXPECT_EQ(column(model, BatchTableModel::Result),
              strings({"OK", "Invalid amount.", "OK"}));
    EXPECT_EQ(model.index(1, BatchTableModel::Payee).data(Qt::BackgroundRole).value<QColor>(),
              BatchTableModel::warningColour());
    EXPECT_FALSE(model.index(0, BatchTableModel::Payee).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(model.summary(), QStringLiteral("3 rows: 2 to print, 1 with a problem, 0 excluded, 0 printed"));

    // Fixing the amount: rewritten, spelled, and the row takes the next number.
    ASSERT_TRUE(model.setData(model.index(1, BatchTableModel::Amount), QStringLiteral("1234.5")));
    EXPECT_EQ(model.index(1, BatchTableModel::Amount).data().toString(), QStringLiteral("1,234.50"));
    EXPECT_EQ(model.index(1, BatchTableModel::Amount).data(Qt::EditRole).toString(), QStringLiteral("1234.5"));
    EXPECT_FALSE(model.index(1, BatchTableModel::Words).data().toString().isEmpty());
    EXPECT_EQ(column(model, BatchTableModel::Number), strings({"0010", "0011", "0012"}));

    // Excluding the first row gives its number to the next; a duplicate number is a problem once.
    ASSERT_TRUE(model.setData(model.index(0, BatchTableModel::Include), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(column(model, BatchTableModel::Number), strings({"", "0010", "0011"}));
    // A number typed in a row is kept from the rows that are numbered in order.
    ASSERT_TRUE(model.setData(model.index(2, BatchTableModel::Number), QStringLiteral("0010")));
    EXPECT_EQ(column(model, BatchTableModel::Number), strings({"", "0011", "0010"}));
    ASSERT_TRUE(model.setData(model.index(1, BatchTableModel::Number), QStringLiteral("0010")));
    ASSERT_TRUE(model.setData(model.index(2, BatchTableModel::Payee), QStringLiteral("C2")));
    EXPECT_EQ(column(model, BatchTableModel::Result),
              strings({"Excluded", "OK", "Cheque number 0010 of MBB is also on line 3."}));

    // A printed row can no longer be changed.
    model.rows()[1].printed = true;
    EXPECT_FALSE(model.setData(model.index(1, BatchTableModel::Payee), QStringLiteral("X")));
    EXPECT_FALSE(model.flags(model.index(1, BatchTableModel::Include)) & Qt::ItemIsUserCheckable);
}

TEST(BatchTable, ARefusedFileReportsItsLine) {
    TestEnv env;
    QObject owner;
    BatchLoader loader(&owner);
    QSignalSpy done(&loader, &BatchLoader::finished);
    ASSERT_TRUE(loader.start("name,amount\nA,1\n", setupFor(env)));
    ASSERT_TRUE(done.wait(10000));
    const BatchLoader::Result result = loader.takeResult();
    EXPECT_FALSE(result.file.ok);
    EXPECT_TRUE(result.checked.empty());
    EXPECT_TRUE(result.file.error.startsWith(QStringLiteral("Line 1:")));
}

}  // namespace
