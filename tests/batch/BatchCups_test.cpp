// A batch against a real print queue that is stopped before the third cheque:
// two cheques recorded, and the retry prints from the third.
#include <gtest/gtest.h>

#include <QThread>

#include "batch/BatchCheck.h"
#include "batch/BatchRun.h"
#include "print/QtPrinterService.h"
#include "store/ChequeFormatStore.h"
#include "store/ChequeNumberStore.h"
#include "store/RegisterStore.h"
#include "support/CupsQueues.h"
#include "support/TestEnv.h"

namespace {

TEST(BatchCups, AQueueStoppedBeforeTheThirdChequeLeavesTwoEntries) {
    const QString reason = CupsQueues::unavailableReason();
    if (!reason.isEmpty()) GTEST_SKIP() << "print-system test skipped: " << reason.toStdString();
    if (!CupsQueues::canAdminister()) GTEST_SKIP() << "stopping a queue needs root";
    CupsQueues::Lock lock;
    ASSERT_TRUE(lock.locked());
    const QString queue = CupsQueues::namedQueue();
    struct Restart {
        QString queue;
        ~Restart() { CupsQueues::run(QStringLiteral("cupsenable"), {queue}); }
    } restart{queue};

    TestEnv env;
    ChequeFormat f;
    f.bankCode = QStringLiteral("MBB");
    ChequeFormatStore::insert(env.db(), f);
    ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000001"));
    QtPrinterService service;
    service.makeCurrent(static_cast<int>(service.printerNames().indexOf(queue)));
    ASSERT_EQ(service.currentPrinterName(), queue);

    std::vector<BatchRow> rows(5);
    for (int i = 0; i < 5; ++i) {
        rows[static_cast<size_t>(i)].line = i + 2;
        rows[static_cast<size_t>(i)].payee = QStringLiteral("Supplier %1").arg(i + 1);
        rows[static_cast<size_t>(i)].amount = QStringLiteral("10");
    }
    auto runOnce = [&](bool stopBeforeThird) {
        BatchSetup::Choices choices;
        choices.defaultBankCode = QStringLiteral("MBB");
        choices.today = QDate(2026, 12, 7);
        choices.measure = &env.textMeasure;
        const BatchSetup setup = BatchSetup::read(env.db(), choices);
        const std::vector<CheckedRow> checked = BatchCheck::checkAll(rows, setup);
        BatchRun run(env.db(), env.clock, service, setup);
        run.starting = [&](int ordinal, int) {
            if (stopBeforeThird && ordinal == 3) CupsQueues::run(QStringLiteral("cupsdisable"), {queue});
        };
        return run.print(rows, checked);
    };

    const QStringList before = CupsQueues::jobFiles(queue);
    const BatchRun::Outcome stopped = runOnce(true);
    EXPECT_EQ(stopped.done, 2);
    EXPECT_EQ(stopped.failedRow, 2);
    EXPECT_TRUE(stopped.failure.startsWith(QStringLiteral("The cheque on line 4 (Supplier 3, 10.00) was not printed: ")))
        << stopped.failure.toStdString();
    EXPECT_EQ(RegisterStore::page(env.db(), {}, 0, 10).size(), 2u);
    EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());

    ASSERT_TRUE(CupsQueues::run(QStringLiteral("cupsenable"), {queue}));
    const BatchRun::Outcome retry = runOnce(false);
    EXPECT_EQ(retry.done, 3) << retry.failure.toStdString();
    const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries.front().chequeNumber, QStringLiteral("000005"));
    EXPECT_EQ(entries.front().payee, QStringLiteral("SUPPLIER 5"));
    EXPECT_EQ(entries.front().destination, queue);
    // Five jobs reached the queue: none twice.
    QStringList after = CupsQueues::jobFiles(queue);
    for (int i = 0; i < 50 && after.size() < before.size() + 5; ++i) {
        QThread::msleep(100);
        after = CupsQueues::jobFiles(queue);
    }
    EXPECT_EQ(after.size(), before.size() + 5);
}

}  // namespace
