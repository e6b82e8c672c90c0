// Recording a cheque around its print job: only what the print system took is recorded.
#include <gtest/gtest.h>

#include "print/ChequeRecorder.h"
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

}  // namespace
