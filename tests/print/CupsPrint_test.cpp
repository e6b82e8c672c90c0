#include <gtest/gtest.h>

#include "print/QtPrinterService.h"
#include "support/CupsQueues.h"

// The printer service against the print system's test queues. Jobs that reach a
// queue, and a stopped queue, are checked through the preview (tests/ui/preview).
namespace {

class CupsPrint : public testing::Test {
protected:
    void SetUp() override {
        const QString reason = CupsQueues::unavailableReason();
        if (!reason.isEmpty()) GTEST_SKIP() << "print-system test skipped: " << reason.toStdString();
        ASSERT_TRUE(m_lock.locked()) << "another test kept the print queues too long";
    }

    void selectQueue(QtPrinterService& service, const QString& queue) {
        const int index = static_cast<int>(service.printerNames().indexOf(queue));
        ASSERT_GE(index, 0);
        service.makeCurrent(index);
        ASSERT_EQ(service.currentPrinterName(), queue);
    }

    // Runs `command` on the queue for the test and undoes it afterwards.
    struct QueueState {
        QString queue, undo;
        ~QueueState() { CupsQueues::run(undo, {queue}); }
    };

private:
    CupsQueues::Lock m_lock;
};

TEST_F(CupsPrint, ListsTheQueuesInThePrintSystemsOrderWithTheDefaultCurrent) {
    QtPrinterService service;
    const QStringList names = service.printerNames();
    const qsizetype cheque = names.indexOf(CupsQueues::namedQueue());
    const qsizetype office = names.indexOf(CupsQueues::defaultQueue());
    ASSERT_GE(cheque, 0);
    ASSERT_GE(office, 0);
    EXPECT_LT(cheque, office);  // the print system lists its queues by name
    EXPECT_EQ(service.defaultPrinterName(), CupsQueues::defaultQueue());
    EXPECT_EQ(service.currentPrinterName(), CupsQueues::defaultQueue());
}

TEST_F(CupsPrint, AQueueRejectingJobsFailsWithItsReason) {
    if (!CupsQueues::canAdminister()) GTEST_SKIP() << "rejecting jobs needs root";
    const QString queue = CupsQueues::namedQueue();
    QtPrinterService service;
    selectQueue(service, queue);
    ASSERT_TRUE(CupsQueues::run(QStringLiteral("cupsreject"), {queue}));
    QueueState accept{queue, QStringLiteral("cupsaccept")};
    EXPECT_THROW(
        {
            try {
                service.printText(QStringLiteral("never"));
                service.endDocument();
            } catch (const PrintError& error) {
                EXPECT_NE(std::string(error.what()).find("not accepting"), std::string::npos)
                    << error.what();
                throw;
            }
        },
        PrintError);
    service.abortDocument();
}

}  // namespace
