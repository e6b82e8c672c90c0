#include <gtest/gtest.h>

#include "app/Startup.h"
#include "store/RegisterStore.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"

// A cheque whose job was under way when the program stopped is asked about at
// the next start, before the main window is used; the answer settles it.
namespace {

TEST(StartupPending, EachPendingChequeIsAskedAboutAndSettledByTheAnswer) {
    for (const auto answer : {Dialogs::Answer::Yes, Dialogs::Answer::No}) {
        TestEnv env;
        RegisterEntry entry;
        entry.bankCode = QStringLiteral("MBB");
        entry.chequeNumber = QStringLiteral("000123");
        entry.payee = QStringLiteral("ACME Ltd");
        entry.amountText = QStringLiteral("1,234.50");
        const qint64 id = RegisterStore::addPending(env.db(), entry);
        env.dialogs.answer({answer});
        AppContext context = env.context;
        StartupResult result =
            startApplication(context, StartupPaths{env.directory(), QStringLiteral("/nonexistent/user")});
        ASSERT_TRUE(result.mainWindow);
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text,
                  QStringLiteral("Cheque 000123 to ACME Ltd for 1,234.50 was being printed when "
                                 "the program stopped. Was it printed?"));
        const auto stored = RegisterStore::find(*result.db, id);
        if (answer == Dialogs::Answer::Yes) {
            ASSERT_TRUE(stored);
            EXPECT_EQ(stored->state, RegisterEntry::State::Printed);
        } else {
            EXPECT_FALSE(stored);
        }
        result.mainWindow.reset();
    }
}

}  // namespace
