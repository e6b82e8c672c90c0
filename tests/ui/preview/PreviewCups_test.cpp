#include "PreviewFixture.h"

#include <QFontMetricsF>
#include <QThread>

#include "print/QtPrinterService.h"
#include "support/CupsQueues.h"
#include "support/PdfWords.h"
#include "support/Widgets.h"

namespace {

// The preview printing through the real print system to the test queues.
class PreviewCups : public PreviewFixture {
protected:
    void SetUp() override {
        const QString reason = CupsQueues::unavailableReason();
        if (!reason.isEmpty()) GTEST_SKIP() << "print-system test skipped: " << reason.toStdString();
        m_lock = std::make_unique<CupsQueues::Lock>();
        ASSERT_TRUE(m_lock->locked()) << "another test kept the print queues too long";
        PreviewFixture::SetUp();
        env.context.printers = &m_service;
        // What the print system has current at start: its default printer.
        env.context.rememberedPrinterIndex = 0;
    }

    ChequeFormat queueFormat(const QString& printer) {
        ChequeFormat f = testFormat();
        f.printerName = printer;
        f.orientation = QStringLiteral("P");  // a landscape page
        f.dateType = 2;
        storeFormat(f);
        return f;
    }

    void openMainForPrint() {
        openMain();
        setSetting(*main, &UserSettings::wordCase, QStringLiteral("UPPER CASE"));
        setSetting(*main, &UserSettings::clearData, 1);
        setSetting(*main, &UserSettings::saveChange, 1);
    }

    // The printable area's margins of a queue, in points.
    static QMarginsF marginsOf(const QString& queue, int orientation) {
        QtPrinterService service;
        service.makeCurrent(static_cast<int>(service.printerNames().indexOf(queue)));
        service.setOrientation(orientation);
        return service.printableMargins();
    }

    static double spaceWidth(const FontSpec& wanted) {
        QFont font(wanted.face);
        font.setPixelSize(1000);
        font.setBold(wanted.bold);
        return QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')) / 1000.0 * wanted.size;
    }

    // Every printed field of the saved job at chequeLeft/chequeTop plus its place.
    void expectFieldsInPlace(const QString& job, const ChequeFormat& f, const QString& queue) {
        const PdfWords page = PdfWords::read(job);
        ASSERT_TRUE(page.ok) << page.error.toStdString();
        EXPECT_NEAR(page.pageWidth, 841.89, 0.5);
        const QMarginsF area = marginsOf(queue, 2);
        struct Expected {
            int field;
            QString firstWord;
            bool leadingSpace;
        };
        const Expected expected[] = {
            {FieldSDateD1, QStringLiteral("0"), false}, {FieldSDateD2, QStringLiteral("5"), false},
            {FieldSDateM1, QStringLiteral("1"), false}, {FieldSDateM2, QStringLiteral("2"), false},
            {FieldSDateY1, QStringLiteral("2"), false}, {FieldSDateY2, QStringLiteral("0"), false},
            {FieldSDateY3, QStringLiteral("2"), false}, {FieldSDateY4, QStringLiteral("6"), false},
            {FieldRecipient, QStringLiteral("ACME"), false},
            {FieldAmount, QStringLiteral("1,234.50"), false},
            {FieldWord1, QStringLiteral("ONE"), true},
            {FieldWord2, QStringLiteral("HUNDRED"), true}};
        for (const Expected& e : expected) {
            SCOPED_TRACE(testing::Message() << "field " << e.field);
            const FieldGeometry& g = f.fields[static_cast<size_t>(e.field)];
            const FontSpec& font = f.fontOf(e.field);
            const double x = area.left() + static_cast<float>(g.left + f.chequeLeft) / 20.0 +
                             (e.leadingSpace ? spaceWidth(font) : 0.0);
            const double y = area.top() + static_cast<float>(g.top + f.chequeTop) / 20.0;
            const PdfWords::Word* best = nullptr;
            for (const auto& w : page.words)
                if (w.text == e.firstWord &&
                    (!best || std::abs(w.xMin - x) + std::abs(w.yMin - y) <
                                  std::abs(best->xMin - x) + std::abs(best->yMin - y)))
                    best = &w;
            ASSERT_NE(best, nullptr) << e.firstWord.toStdString();
            EXPECT_NEAR(best->xMin, x, 0.25);
            EXPECT_NEAR(best->yMin, y, 1.0);
        }
    }

    QtPrinterService m_service;
    std::unique_ptr<CupsQueues::Lock> m_lock;
};

TEST_F(PreviewCups, PrintsToTheQueueNamedByTheFormat) {
    const QString queue = CupsQueues::namedQueue();
    const ChequeFormat f = queueFormat(queue);
    openMainForPrint();
    const QStringList before = CupsQueues::jobFiles(queue);
    const QStringList otherBefore = CupsQueues::jobFiles(CupsQueues::defaultQueue());
    const int payees = payeeCount();
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "cmdPrint");
        EXPECT_FALSE(p.isVisible()) << env.dialogs.texts().join(QLatin1Char('|')).toStdString();
    }));
    const QString job = CupsQueues::waitForNewJob(queue, before);
    ASSERT_FALSE(job.isEmpty()) << "no job arrived in " << CupsQueues::jobsFolder(queue).toStdString();
    expectFieldsInPlace(job, f, queue);
    EXPECT_EQ(CupsQueues::jobFiles(CupsQueues::defaultQueue()), otherBefore);
    EXPECT_EQ(m_service.currentPrinterName(), CupsQueues::defaultQueue());  // restored
    EXPECT_EQ(payeeCount(), payees + 1);
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QString());
}

TEST_F(PreviewCups, TheDefaultPseudoNamePrintsToTheDefaultQueue) {
    const ChequeFormat f = queueFormat(QStringLiteral("[Default]"));
    openMainForPrint();
    const QString queue = CupsQueues::defaultQueue();
    const QStringList before = CupsQueues::jobFiles(queue);
    const QStringList otherBefore = CupsQueues::jobFiles(CupsQueues::namedQueue());
    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) { click(p, "cmdPrint"); }));
    const QString job = CupsQueues::waitForNewJob(queue, before);
    ASSERT_FALSE(job.isEmpty()) << "no job arrived in " << CupsQueues::jobsFolder(queue).toStdString();
    expectFieldsInPlace(job, f, queue);
    EXPECT_EQ(CupsQueues::jobFiles(CupsQueues::namedQueue()), otherBefore);
}

TEST_F(PreviewCups, AStoppedQueueShowsTheFailureAndStoresNothing) {
    if (!CupsQueues::canAdminister()) GTEST_SKIP() << "stopping a queue needs root";
    const QString queue = CupsQueues::namedQueue();
    queueFormat(queue);
    openMainForPrint();
    const QStringList before = CupsQueues::jobFiles(queue);
    const int payees = payeeCount();
    ASSERT_TRUE(CupsQueues::run(QStringLiteral("cupsdisable"), {queue}));
    struct Restart {
        QString queue;
        ~Restart() { CupsQueues::run(QStringLiteral("cupsenable"), {queue}); }
    } restart{queue};

    ASSERT_TRUE(pressPrint([&](PrintPreviewDialog& p) {
        click(p, "cmdPrint");
        EXPECT_TRUE(p.isVisible());
        click(p, "cmdBack");
    }));
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_TRUE(env.dialogs.messages[0].text.startsWith(QStringLiteral("The cheque was not printed.")));
    EXPECT_TRUE(env.dialogs.messages[0].text.contains(QStringLiteral("stopped")))
        << env.dialogs.messages[0].text.toStdString();
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(payeeCount(), payees);
    EXPECT_EQ(widget<QComboBox>(main, "cboRecipient")->currentText(), QStringLiteral("acme trading"));
    EXPECT_EQ(widget<QLineEdit>(main, "txtAmount")->text(), QStringLiteral("1,234.50"));
    EXPECT_TRUE(CupsQueues::pendingJobs(queue).isEmpty());

    CupsQueues::run(QStringLiteral("cupsenable"), {queue});
    QThread::msleep(1000);
    EXPECT_EQ(CupsQueues::jobFiles(queue), before);
}

}  // namespace
