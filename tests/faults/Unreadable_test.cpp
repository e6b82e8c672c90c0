// Without the program's key the file gives nothing away: no stored text is in
// its bytes or its journal's, and the engine's command-line clients cannot read it.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "FaultTools.h"
#include "faults/helper/FaultRecords.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

const QString kPayee = QStringLiteral("Zebediah Quarterfield-\u00d8stergaard");

// The texts that must not show, in each way a program might store them.
QList<QByteArray> secrets() {
    QList<QByteArray> forms{"SQLite format 3"};
    for (const QString& text :
         {kPayee, QStringLiteral("Hollowmere Bank"), QStringLiteral("dddd, d mmmm"),
          QStringLiteral("BankCheque"), QStringLiteral("AmountWord")})
        forms << text.toUtf8()
              << QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return forms;
}

void expectNoSecrets(const QByteArray& bytes, const char* what) {
    ASSERT_FALSE(bytes.isEmpty()) << what;
    for (const QByteArray& secret : secrets())
        EXPECT_FALSE(bytes.contains(secret)) << what << " shows " << secret.toStdString();
}

QString runClient(const QString& program, const QString& file, const QString& input,
                  int* exitCode) {
    QProcess process;
    process.start(program, {QStringLiteral("-batch"), file});
    process.waitForStarted(10000);
    process.write(input.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(30000);
    *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + "\n" +
                             process.readAllStandardError());
}

TEST(Unreadable, NoStoredTextShowsWithoutTheKey) {
    TestEnv env;
    CompanyStore::insert(env.db(), kPayee);
    ChequeFormat f = FaultRecords::format(7);
    f.bankName = QStringLiteral("Hollowmere Bank");
    ChequeFormatStore::insert(env.db(), f);
    SettingsStore::writeOptions(env.db(), 1, 1, 1, QStringLiteral("dddd, d mmmm yyyy"));
    env.reopen();
    expectNoSecrets(fileBytes(env.databasePath()), "the file");

    const QString query = QStringLiteral("SELECT Name FROM Company;\n.dump\n");
    const QString sqlcipher = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    std::vector<std::pair<QString, QString>> attempts;
    if (!sqlite3.isEmpty()) attempts.emplace_back(sqlite3, query);
    if (!sqlcipher.isEmpty()) {
        attempts.emplace_back(sqlcipher, query);
        attempts.emplace_back(sqlcipher, QStringLiteral("PRAGMA key = 'guess';\n") + query);
        // With the program's key the same client reads it: the others failed for want of the key.
        int code = -1;
        const QString out =
            runClient(sqlcipher, env.databasePath(),
                      QStringLiteral("PRAGMA key = \"%1\";\nSELECT Name FROM Company;\n")
                          .arg(QString::fromLatin1(Database::defaultKey())),
                      &code);
        EXPECT_EQ(code, 0) << out.toStdString();
        EXPECT_TRUE(out.contains(kPayee)) << out.toStdString();
    }
    if (attempts.empty())
        std::cout << "[ SKIPPED  ] neither the sqlite3 nor the sqlcipher client is installed"
                  << std::endl;
    for (const auto& [client, input] : attempts) {
        int code = 0;
        const QString out = runClient(client, env.databasePath(), input, &code);
        EXPECT_NE(code, 0) << client.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("not a database"))) << out.toStdString();
        for (const QByteArray& secret : secrets())
            EXPECT_FALSE(out.toUtf8().contains(secret)) << out.toStdString();
    }

    // While a save is under way its journal holds the pages it changes.
    Transaction transaction(env.db());
    env.db().prepare(QStringLiteral("UPDATE Company SET Name = 'Renamed'")).execute();
    env.db().prepare(QStringLiteral("UPDATE BankCheque SET BankName = 'Renamed'")).execute();
    env.db().prepare(QStringLiteral("UPDATE Settings SET DateFormat = 'x'")).execute();
    expectNoSecrets(fileBytes(env.databasePath() + QStringLiteral("-journal")), "the journal");
}

}  // namespace
