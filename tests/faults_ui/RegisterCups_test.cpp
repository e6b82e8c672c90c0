#include "PrivateCups.h"

#include <gtest/gtest.h>

#include "print/ChequeRecorder.h"
#include "print/QtPrinterService.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

// The register against a real print server: a stopped or rejecting queue
// records nothing; a queue that takes the job records it with the job's id.
namespace {

class RegisterCups : public testing::Test {
protected:
    void SetUp() override {
        const QString reason = PrivateCups::unavailableReason();
        if (!reason.isEmpty()) GTEST_SKIP() << "print-system test skipped: " << reason.toStdString();
        m_cups = std::make_unique<PrivateCups>();
        ASSERT_TRUE(m_cups->start()) << m_cups->error().toStdString();
        ASSERT_TRUE(m_cups->addQueue(m_queue, true)) << m_cups->error().toStdString();
    }

    const QString m_queue = PrivateCups::uniqueName(QStringLiteral("Register_Cheque"));
    std::unique_ptr<PrivateCups> m_cups;
};

TEST_F(RegisterCups, OnlyAJobTheQueueTookIsRecorded) {
    struct Case {
        const char* name;
        QString stop, undo;  // commands run on the queue before and after
        bool recorded;
    } cases[] = {
        {"stopped", QStringLiteral("cupsdisable"), QStringLiteral("cupsenable"), false},
        {"rejecting", QStringLiteral("cupsreject"), QStringLiteral("cupsaccept"), false},
        {"accepting", {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        QtPrinterService service;
        service.makeCurrent(static_cast<int>(service.printerNames().indexOf(m_queue)));
        ASSERT_EQ(service.currentPrinterName(), m_queue);
        if (!c.stop.isEmpty()) {
            ASSERT_TRUE(m_cups->admin(c.stop, {m_queue}));
        }
        RegisterEntry cheque;
        cheque.bankCode = QStringLiteral("MBB");
        cheque.chequeNumber = QStringLiteral("000001");
        cheque.payee = QStringLiteral("ACME Ltd");
        cheque.amountCents = 29;
        cheque.amountText = QStringLiteral("0.29");
        ChequeRecorder recorder(env.db(), env.clock);
        bool failed = false;
        try {
            recorder.record(cheque, [&service] {
                service.printText(QStringLiteral("cheque"));
                return service.endDocument();
            });
        } catch (const PrintError&) {
            service.abortDocument();
            failed = true;
        }
        if (!c.undo.isEmpty()) {
            ASSERT_TRUE(m_cups->admin(c.undo, {m_queue}));
        }
        EXPECT_EQ(failed, !c.recorded);
        const auto entries = RegisterStore::page(env.db(), {}, 0, 10);
        ASSERT_EQ(entries.size(), c.recorded ? 1u : 0u);
        EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
        if (c.recorded) {
            EXPECT_EQ(entries.front().destination, m_queue);
            EXPECT_GT(entries.front().jobId.value_or(0), 0);
            EXPECT_EQ(entries.front().jobId.value_or(0), service.lastJobId());
        } else {
            EXPECT_TRUE(m_cups->pendingJobs(m_queue).isEmpty()) << "a refused job stayed queued";
        }
    }
}

}  // namespace
