// Printing a batch: one job per cheque, each recorded only once its job went
// out, a stop at the first failure and a retry that never prints a cheque twice.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "batch/BatchCheck.h"
#include "batch/BatchRun.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

class BatchRuns : public testing::Test {
protected:
    BatchRuns() {
        ChequeFormat f;
        f.bankCode = QStringLiteral("MBB");
        f.bankName = QStringLiteral("Maybank");
        f.fields.at(FieldWord1).width = 3000;
        f.chequeLeft = 100;
        f.chequeTop = 50;
        ChequeFormatStore::insert(env.db(), f);
        ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000120"));
        env.printers.names = {QStringLiteral("Office")};
        for (int i = 1; i <= 5; ++i) {
            BatchRow row;
            row.line = i + 1;
            row.payee = QStringLiteral("Payee %1").arg(i);
            row.amount = QStringLiteral("%1.50").arg(i * 100);
            rows.push_back(row);
        }
    }

    // Reads the setup afresh and checks the rows, as the batch window does before a run.
    BatchRun::Outcome run(const std::function<BatchRun::Outcome(BatchRun&, std::vector<CheckedRow>&)>& go) {
        BatchSetup::Choices choices;
        choices.defaultBankCode = QStringLiteral("MBB");
        choices.today = QDate(2026, 12, 7);
        choices.dateStyle = QStringLiteral("dd/mm/yyyy");
        choices.measure = &env.textMeasure;
        setup = BatchSetup::read(env.db(), choices);
        checked = BatchCheck::checkAll(rows, setup);
        BatchRun batch(env.db(), env.clock, env.printers, setup);
        batch.askFeed = [this](const QString& prompt) {
            prompts << prompt;
            return true;
        };
        return go(batch, checked);
    }
    BatchRun::Outcome print() {
        return run([this](BatchRun& b, std::vector<CheckedRow>& c) { return b.print(rows, c); });
    }

    QStringList registerLines() {
        QStringList out;
        const auto entries = RegisterStore::page(env.db(), {}, 0, 100);
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            out << it->chequeNumber + QLatin1Char(' ') + it->payee + QLatin1Char(' ') +
                       stateName(it->state) + QLatin1Char(' ') + it->destination;
        return out;
    }

    TestEnv env;
    std::vector<BatchRow> rows;
    BatchSetup setup;
    std::vector<CheckedRow> checked;
    QStringList prompts;
};

TEST_F(BatchRuns, TheThirdJobFailingLeavesTwoEntriesAndTheRetryStartsThere) {
    env.printers.failEndOfDocument = 3;
    const BatchRun::Outcome first = print();
    EXPECT_EQ(first.done, 2);
    EXPECT_EQ(first.failedRow, 2);
    EXPECT_EQ(first.failure, QStringLiteral("The cheque on line 4 (Payee 3, 300.50) was not printed: "
                                            "The printer is out of paper."));
    EXPECT_EQ(registerLines(), (QStringList{QStringLiteral("000120 PAYEE 1 printed Office"),
                                            QStringLiteral("000121 PAYEE 2 printed Office")}));
    EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
    EXPECT_EQ(env.printers.documentsEnded, 2);
    EXPECT_EQ(env.printers.callsOf(QStringLiteral("abort")).size(), 1u);
    EXPECT_TRUE(rows[0].printed && rows[1].printed && !rows[2].printed);

    // The printer works again: the retry prints rows 3 to 5 only, numbered on.
    env.printers.clearRecord();
    prompts.clear();
    const BatchRun::Outcome retry = print();
    EXPECT_EQ(retry.done, 3);
    EXPECT_TRUE(retry.failure.isEmpty());
    EXPECT_EQ(env.printers.documentsEnded, 3);
    EXPECT_EQ(registerLines().size(), 5);
    EXPECT_EQ(registerLines().last(), QStringLiteral("000124 PAYEE 5 printed Office"));
    // The prompts count the whole batch, the printed cheques included.
    EXPECT_EQ(prompts, (QStringList{QStringLiteral("Insert cheque 4 of 5 (Payee 4, 400.50) and press Continue"),
                                    QStringLiteral("Insert cheque 5 of 5 (Payee 5, 500.50) and press Continue")}));
    // A third run has nothing left to print.
    env.printers.clearRecord();
    EXPECT_EQ(print().total, 0);
    EXPECT_EQ(env.printers.documentsEnded, 0);
}

TEST_F(BatchRuns, SaveAllAsPdfRecordsEveryPageWithTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.pdf"));
    rows[4].payee.clear();  // not saved
    const BatchRun::Outcome outcome =
        run([&](BatchRun& b, std::vector<CheckedRow>& c) { return b.saveAsPdf(rows, c, path); });
    EXPECT_EQ(outcome.done, 4);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(env.printers.callsOf(QStringLiteral("newPage")).size(), 3u);
    EXPECT_EQ(env.printers.documentsEnded, 1);
    const QStringList lines = registerLines();
    ASSERT_EQ(lines.size(), 4);
    for (const QString& line : lines) EXPECT_TRUE(line.endsWith(QStringLiteral("printed ") + path)) << line.toStdString();
    EXPECT_TRUE(prompts.isEmpty());

    // A file that cannot be completed records nothing and leaves no file.
    for (BatchRow& row : rows) row.printed = false;
    rows[4].payee = QStringLiteral("Payee 5");
    env.printers.failEndWith = QStringLiteral("disk full");
    const QString second = dir.filePath(QStringLiteral("second.pdf"));
    const BatchRun::Outcome failed =
        run([&](BatchRun& b, std::vector<CheckedRow>& c) { return b.saveAsPdf(rows, c, second); });
    EXPECT_EQ(failed.failure, QStringLiteral("The cheques were not saved: disk full"));
    EXPECT_EQ(registerLines().size(), 4);
    EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("run.pdf")});
}

}  // namespace
