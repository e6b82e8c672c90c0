#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>

#include "register/Cents.h"
#include "register/RegisterCsv.h"
#include "register/RegisterTableModel.h"
#include "store/RegisterStore.h"
#include "support/RegisterFill.h"
#include "support/TestEnv.h"

namespace {

using namespace Qt::StringLiterals;

TEST(RegisterCsv, FieldsAreQuotedAsRfc4180SaysAndTheExportWritesTheShownEntries) {
    const std::pair<const char*, const char*> cases[] = {
        {"ACME Ltd", "ACME Ltd"}, {"Smith, Jones", "\"Smith, Jones\""}, {"The \"Best\" Co", "\"The \"\"Best\"\" Co\""},
        {"two\nlines", "\"two\nlines\""}, {"cr\rlf\r\n", "\"cr\rlf\r\n\""},
        {"Zoë Öztürk 株式会社", "Zoë Öztürk 株式会社"}, {"", ""}};
    for (const auto& [text, written] : cases)
        EXPECT_EQ(RegisterCsv::field(QString::fromUtf8(text)), QString::fromUtf8(written)) << text;

    TestEnv env;
    for (const auto& [n, payee, cents] :
         {std::tuple{1, u"Zoë, \"Öztürk\"\nLtd"_s, 29LL}, {2, u"ACME"_s, 100000000001LL}}) {
        RegisterEntry e;
        e.printedAt = QDateTime(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC).addSecs(n);
        e.bankCode = u"MBB"_s, e.bankName = u"Maybank"_s, e.chequeNumber = u"00000%1"_s.arg(n), e.payee = payee;
        e.amountCents = cents, e.amountText = Cents::toText(cents), e.chequeDate = u"2026-12-07"_s;
        const qint64 id = RegisterStore::addPending(env.db(), e);
        RegisterStore::markPrinted(env.db(), id, e.printedAt, u"Office, \"2nd\" floor"_s, n);
        if (n == 2) RegisterStore::voidEntry(env.db(), id, QDateTime({2026, 12, 8}, {8, 0}, Qt::UTC), u"torn"_s);
    }
    QString error, path = QDir(env.directory()).filePath(u"out.csv"_s);
    ASSERT_EQ(RegisterCsv::exportTo(env.db(), {}, path, error), 2) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              RegisterCsv::header() +
                  u"2026-12-07T09:00:02Z,2026-12-07,MBB,Maybank,000002,ACME,1000000000.01,,,void,2026-12-08T08:00:00Z,"
                  "torn,\"Office, \"\"2nd\"\" floor\",2\r\n2026-12-07T09:00:01Z,2026-12-07,MBB,Maybank,000001,"
                  "\"Zoë, \"\"Öztürk\"\"\nLtd\",0.29,,,printed,,,\"Office, \"\"2nd\"\" floor\",1\r\n"_s);
    // A folder that cannot be written to: an error, and no file made there.
    const QString bad = QDir(env.directory()).filePath(u"no/such/folder/x.csv"_s);
    EXPECT_TRUE(RegisterCsv::exportTo(env.db(), {}, bad, error) == -1 && !error.isEmpty() && !QFile::exists(bad));
}

TEST(RegisterTableModel, FiltersAndPagesAsTheViewAsksAndStrikesOutVoid) {
    TestEnv env;
    fillRegister(env.db(), 205);  // banks MBB, HSB, CIMB in turn, every 100th payee "ACME Ltd <n>", every 50th void
    RegisterTableModel model(env.db(), nullptr);
    const auto shown = [&](const RegisterFilter& filter) {
        model.setFilter(filter);
        while (model.canFetchMore({})) model.fetchMore({});
        const auto number = [&](int row) { return model.index(row, RegisterTableModel::Number).data().toString(); };
        return u"%1 %2-%3"_s.arg(model.rowCount()).arg(number(0), number(model.rowCount() - 1));
    };
    model.setFilter({});
    EXPECT_EQ(model.rowCount(), RegisterTableModel::kPageSize);
    const auto struck = [&](int row) { return model.index(row, 0).data(Qt::FontRole).value<QFont>().strikeOut(); };
    EXPECT_TRUE(struck(5) && !struck(0));  // 000200 is void
    EXPECT_EQ(shown({}), u"205 000205-000001"_s);
    EXPECT_EQ(shown({.payeeContains = u"acme LTD"_s}), u"2 000200-000100"_s);
    EXPECT_EQ(shown({.bankCode = u"CIMB"_s, .state = RegisterEntry::State::Void}), u"2 000200-000050"_s);
}

}  // namespace
