// Recording a cheque around its print job: only what the print system took is
// recorded, and what a stop left pending is settled at the next start.
#include <gtest/gtest.h>

#include "print/ChequeRecorder.h"
#include "print/PendingCheques.h"
#include "store/ChequeNumberStore.h"
#include "store/DbError.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

using State = RegisterEntry::State;

RegisterEntry cheque(const QString& number, const QString& payee = QStringLiteral("ACME Ltd")) {
    RegisterEntry e;
    e.bankCode = QStringLiteral("MBB");
    e.bankName = QStringLiteral("Maybank");
    e.chequeNumber = number;
    e.payee = payee;
    e.amountCents = 123450;
    e.amountText = QStringLiteral("1,234.50");
    e.wordLine1 = QStringLiteral("ONE THOUSAND TWO HUNDRED");
    e.wordLine2 = QStringLiteral("THIRTY FOUR AND CENTS FIFTY ONLY");
    e.chequeDate = QStringLiteral("07/12/2026");
    return e;
}

std::vector<RegisterEntry> everyEntry(Database& db) { return RegisterStore::page(db, {}, 0, 1000); }

// A job sent through the fake: one text, then the end of the document.
std::function<PrintReceipt()> job(FakePrinterService& printer) {
    return [&printer] {
        printer.printText(QStringLiteral("page"));
        return printer.endDocument();
    };
}

TEST(ChequeRecorder, RecordsOnlyWhatThePrintSystemTook) {
    struct Case {
        const char* name;
        QString failWith;      // the fake's endDocument throws this
        bool nothingDrawn;     // the job ends without drawing
        size_t entries;
        const char* next;      // the bank's next number afterwards
    } cases[] = {
        {"taken", {}, false, 1, "000124"},
        {"refused", QStringLiteral("The print system refused the job"), false, 0, "000123"},
        {"nothing drawn", {}, true, 0, "000123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000123"));
        env.printers.failEndWith = c.failWith;
        env.printers.current = 1;
        ChequeRecorder recorder(env.db(), env.clock);
        std::vector<size_t> pendingDuringJob;
        auto send = [&]() -> PrintReceipt {
            pendingDuringJob.push_back(RegisterStore::listPending(env.db()).size());
            if (c.nothingDrawn) return {};
            return job(env.printers)();
        };
        if (c.entries) {
            const RegisterEntry done = recorder.record(cheque(QStringLiteral("000123")), send);
            EXPECT_EQ(done.state, State::Printed);
        } else {
            EXPECT_THROW(recorder.record(cheque(QStringLiteral("000123")), send), PrintError);
        }
        EXPECT_EQ(pendingDuringJob, std::vector<size_t>{1}) << "the entry is written before the job";
        const auto entries = everyEntry(env.db());
        ASSERT_EQ(entries.size(), c.entries);
        EXPECT_TRUE(RegisterStore::listPending(env.db()).empty());
        EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("MBB")), QString::fromUtf8(c.next));
        if (c.entries) {
            const RegisterEntry& e = entries.front();
            RegisterEntry expected = cheque(QStringLiteral("000123"));
            EXPECT_EQ(e.state, State::Printed);
            EXPECT_EQ(e.payee, expected.payee);
            EXPECT_EQ(e.amountCents, expected.amountCents);
            EXPECT_EQ(e.wordLine2, expected.wordLine2);
            EXPECT_EQ(e.chequeDate, expected.chequeDate);
            EXPECT_EQ(e.destination, QStringLiteral("Cheque-Printer"));
            EXPECT_EQ(e.jobId.value_or(0), env.printers.receipts.back().jobId);
            EXPECT_EQ(e.printedAt, env.clock.current.toUTC());
        }
    }
}

TEST(ChequeRecorder, AsksBeforeANumberThisBankAlreadyIssued) {
    TestEnv env;
    env.clock.current = QDateTime(QDate(2026, 12, 7), QTime(9, 15));
    ChequeRecorder recorder(env.db(), env.clock);
    recorder.record(cheque(QStringLiteral("000123")), job(env.printers));
    EXPECT_EQ(recorder.duplicateQuestion(QStringLiteral("MBB"), QStringLiteral("000123")).value_or(QString()),
              QStringLiteral("Cheque number 000123 of MBB was already printed on 7 Dec 2026 to "
                             "ACME Ltd. Print anyway?"));
    EXPECT_FALSE(recorder.duplicateQuestion(QStringLiteral("MBB"), QStringLiteral("123")));
    EXPECT_FALSE(recorder.duplicateQuestion(QStringLiteral("HSB"), QStringLiteral("000123")));
    EXPECT_FALSE(recorder.duplicateQuestion(QStringLiteral("MBB"), QString()));
}

TEST(PendingCheques, TheNextStartSettlesEachAsTheUserAnswers) {
    TestEnv env;
    ChequeNumberStore::setNext(env.db(), QStringLiteral("MBB"), QStringLiteral("000120"));
    // Two jobs cut short by a stop: their entries stayed pending.
    RegisterEntry first = cheque(QStringLiteral("000123"));
    first.printedAt = env.clock.current;
    first.destination = QStringLiteral("Office-Laser");
    const qint64 a = RegisterStore::addPending(env.db(), first);
    const qint64 b = RegisterStore::addPending(env.db(), cheque(QString(), QStringLiteral("Zoë")));
    env.reopen();

    env.dialogs.answer({Dialogs::Answer::Yes, Dialogs::Answer::No});
    EXPECT_EQ(PendingCheques::settle(env.db(), env.dialogs), 2);
    ASSERT_EQ(env.dialogs.messages.size(), 2u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Cheque 000123 to ACME Ltd for 1,234.50 was being printed when the "
                             "program stopped. Was it printed?"));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Quorvanta Solo"));
    EXPECT_EQ(env.dialogs.messages[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(env.dialogs.messages[1].text,
              QStringLiteral("Cheque to Zoë for 1,234.50 was being printed when the program "
                             "stopped. Was it printed?"));
    EXPECT_EQ(RegisterStore::find(env.db(), a)->state, State::Printed);
    EXPECT_FALSE(RegisterStore::find(env.db(), b));
    EXPECT_EQ(ChequeNumberStore::next(env.db(), QStringLiteral("MBB")), QStringLiteral("000124"));

    env.reopen();  // settled once: nothing is asked again
    env.dialogs.clear();
    EXPECT_EQ(PendingCheques::settle(env.db(), env.dialogs), 0);
    EXPECT_TRUE(env.dialogs.messages.empty());
}

}  // namespace
