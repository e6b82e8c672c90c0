#include <gtest/gtest.h>

#include <QThread>

#include "print/ChequeRenderer.h"
#include "print/FieldLabelSet.h"
#include "print/QtPrinterService.h"
#include "support/CupsQueues.h"
#include "support/PdfWords.h"

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

    static FieldLabelSet labels() {
        FieldLabelSet set;
        for (int i = 0; i < kFieldCount; ++i) {
            set[i].left = 500.5f + 600 * (i % 5);
            set[i].top = 300.25f + 450 * i;
            set[i].caption = QStringLiteral("Cups%1").arg(i);
            set[i].font = {QStringLiteral("Arial"), 10.0f + i, i == FieldAmount};
        }
        return set;
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

TEST_F(CupsPrint, AJobReachesTheCurrentQueueWithEveryFieldInPlace) {
    QtPrinterService service;
    selectQueue(service, CupsQueues::namedQueue());
    const QStringList chequeBefore = CupsQueues::jobFiles(CupsQueues::namedQueue());
    const QStringList officeBefore = CupsQueues::jobFiles(CupsQueues::defaultQueue());

    service.setOrientation(2);
    service.setPaperA4();
    const FieldLabelSet set = labels();
    ChequeRenderer::PrintChequeFields(service, 0, true, set);
    service.endDocument();
    EXPECT_GT(service.lastJobId(), 0);

    const QString job = CupsQueues::waitForNewJob(CupsQueues::namedQueue(), chequeBefore);
    ASSERT_FALSE(job.isEmpty()) << "no job arrived in " << CupsQueues::jobsFolder(CupsQueues::namedQueue()).toStdString();
    const PdfWords page = PdfWords::read(job);
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_NEAR(page.pageWidth, 841.89, 0.5);  // landscape A4
    const QMarginsF area = service.printableMargins();
    for (int i : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(testing::Message() << "field " << i);
        const auto* word = page.find(set[i].caption);
        ASSERT_NE(word, nullptr);
        EXPECT_NEAR(word->xMin, area.left() + set[i].left / 20.0, 0.25);
        EXPECT_NEAR(word->yMin, area.top() + set[i].top / 20.0, 1.0);
    }
    EXPECT_EQ(CupsQueues::jobFiles(CupsQueues::defaultQueue()), officeBefore);
}

TEST_F(CupsPrint, AStoppedQueueFailsWithItsReasonAndKeepsNothing) {
    if (!CupsQueues::canAdminister()) GTEST_SKIP() << "stopping a queue needs root";
    const QString queue = CupsQueues::namedQueue();
    QtPrinterService service;
    selectQueue(service, queue);
    const QStringList before = CupsQueues::jobFiles(queue);
    {
        ASSERT_TRUE(CupsQueues::run(QStringLiteral("cupsdisable"), {queue}));
        QueueState restart{queue, QStringLiteral("cupsenable")};
        service.setFont({QStringLiteral("Arial"), 10, false});
        try {
            service.printText(QStringLiteral("never"));
            service.endDocument();
            FAIL() << "printing to a stopped queue reported success";
        } catch (const PrintError& error) {
            EXPECT_NE(std::string(error.what()).find("stopped"), std::string::npos) << error.what();
        }
        service.abortDocument();
        EXPECT_TRUE(CupsQueues::pendingJobs(queue).isEmpty());
    }
    // Nothing was left waiting that the restarted queue would print now.
    QThread::msleep(1000);
    EXPECT_EQ(CupsQueues::jobFiles(queue), before);

    // The service prints again once the queue runs.
    const QStringList again = CupsQueues::jobFiles(queue);
    service.printText(QStringLiteral("after"));
    service.endDocument();
    EXPECT_FALSE(CupsQueues::waitForNewJob(queue, again).isEmpty());
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
