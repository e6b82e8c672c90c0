// The register's table model and CSV export, without widgets.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>

#include "register/Cents.h"
#include "register/RegisterCsv.h"
#include "register/RegisterTableModel.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/RegisterFill.h"
#include "support/TestEnv.h"

namespace {

qint64 addPrinted(Database& db, int n, const QString& payee, qint64 cents) {
    RegisterEntry e;
    e.printedAt = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC).addSecs(n);
    e.bankCode = QStringLiteral("MBB");
    e.bankName = QStringLiteral("Maybank");
    e.chequeNumber = QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'));
    e.payee = payee;
    e.amountCents = cents;
    e.amountText = Cents::toText(cents);
    e.chequeDate = QStringLiteral("2026-12-07");
    e.destination = QStringLiteral("Office, \"2nd\" floor");
    const qint64 id = RegisterStore::addPending(db, e);
    RegisterStore::markPrinted(db, id, e.printedAt, e.destination, n);
    return id;
}

TEST(RegisterCsv, FieldsAreQuotedAsRfc4180Says) {
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"ACME Ltd", "ACME Ltd"},
        {"Smith, Jones", "\"Smith, Jones\""},
        {"The \"Best\" Co", "\"The \"\"Best\"\" Co\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rlf\r\n", "\"cr\rlf\r\n\""},
        {"Zoë Öztürk 株式会社", "Zoë Öztürk 株式会社"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegisterCsv::field(QString::fromUtf8(c.text)), QString::fromUtf8(c.written)) << c.text;
}

TEST(RegisterCsv, ExportWritesEveryShownEntryOrLeavesTheFileAlone) {
    TestEnv env;
    addPrinted(env.db(), 1, QStringLiteral("Zoë, \"Öztürk\"\nLtd"), 29);
    const qint64 voided = addPrinted(env.db(), 2, QStringLiteral("ACME"), 100000000001);
    RegisterStore::voidEntry(env.db(), voided, QDateTime(QDate(2026, 12, 8), QTime(8, 0), Qt::UTC),
                             QStringLiteral("torn"));
    const QString path = QDir(env.directory()).filePath(QStringLiteral("out.csv"));
    QString error;
    ASSERT_EQ(RegisterCsv::exportTo(env.db(), {}, path, error), 2) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text,
              RegisterCsv::header() +
                  QStringLiteral("2026-12-07T09:00:02Z,2026-12-07,MBB,Maybank,000002,ACME,"
                                 "1000000000.01,,,void,2026-12-08T08:00:00Z,torn,"
                                 "\"Office, \"\"2nd\"\" floor\",2\r\n"
                                 "2026-12-07T09:00:01Z,2026-12-07,MBB,Maybank,000001,"
                                 "\"Zoë, \"\"Öztürk\"\"\nLtd\",0.29,,,printed,,,"
                                 "\"Office, \"\"2nd\"\" floor\",1\r\n"));
    file.close();

    // A folder that cannot be written to: an error, and no file made there.
    const QString missing = QDir(env.directory()).filePath(QStringLiteral("no/such/folder/x.csv"));
    EXPECT_EQ(RegisterCsv::exportTo(env.db(), {}, missing, error), -1);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(RegisterTableModel, FetchesPagesAsTheViewAsksAndStrikesOutVoid) {
    TestEnv env;
    const int total = RegisterTableModel::kPageSize * 2 + 5;
    fillRegister(env.db(), total);  // every 50th void
    RegisterTableModel model(env.db(), nullptr);
    model.setFilter({});
    EXPECT_EQ(model.rowCount(), RegisterTableModel::kPageSize);
    EXPECT_EQ(model.index(0, RegisterTableModel::Number).data().toString(), QStringLiteral("000205"));
    EXPECT_TRUE(model.index(5, 0).data(Qt::FontRole).value<QFont>().strikeOut());  // 000200
    EXPECT_FALSE(model.index(0, 0).data(Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_EQ(model.index(0, RegisterTableModel::Amount).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    int fetches = 0;
    while (model.canFetchMore({})) {
        model.fetchMore({});
        ++fetches;
    }
    EXPECT_EQ(fetches, 2);
    EXPECT_EQ(model.rowCount(), total);
    EXPECT_EQ(model.index(total - 1, RegisterTableModel::Number).data().toString(), QStringLiteral("000001"));
    EXPECT_EQ(model.index(total - 1, RegisterTableModel::Amount).data().toString(), QStringLiteral("0.01"));
}

}  // namespace
