// Without the program's key the file gives nothing away: the engine's own
// command-line clients cannot read it, and no stored text is in its bytes.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "FaultTools.h"
#include "store/ChequeFormatStore.h"
#include "store/CompanyStore.h"
#include "store/Database.h"
#include "store/SettingsStore.h"
#include "store/Transaction.h"
#include "faults/helper/FaultRecords.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"

namespace {

const QString kPayee = QStringLiteral("Zebediah Quarterfield-\u00d8stergaard");
const QString kBank = QStringLiteral("Hollowmere Cooperative Bank");
const QString kDateFormat = QStringLiteral("dddd, d mmmm yyyy");

// The texts that must not show, in each way a program might store them.
QList<QByteArray> secrets() {
    QList<QByteArray> forms;
    for (const QString& text : {kPayee, kBank, kDateFormat, QStringLiteral("BankCheque"),
                                QStringLiteral("AmountWord"), QStringLiteral("Quarterfield")}) {
        forms << text.toUtf8();
        forms << QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    forms << QByteArray("SQLite format 3");
    return forms;
}

void expectNoSecrets(const QByteArray& bytes, const char* what) {
    ASSERT_FALSE(bytes.isEmpty()) << what;
    for (const QByteArray& secret : secrets())
        EXPECT_FALSE(bytes.contains(secret)) << what << " shows " << secret.toStdString();
}

void store(Database& db) {
    CompanyStore::insert(db, kPayee);
    ChequeFormat f = FaultRecords::format(7);
    f.bankName = kBank;
    ChequeFormatStore::insert(db, f);
    SettingsStore::writeOptions(db, 1, 1, 1, kDateFormat);
}

struct ClientRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ClientRun runClient(const QString& program, const QString& file, const QString& input) {
    QProcess process;
    process.start(program, {QStringLiteral("-batch"), file});
    ClientRun run;
    if (!process.waitForStarted(10000)) return run;
    process.write(input.toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(30000);
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(Unreadable, NoStoredTextIsInTheFileOrItsJournal) {
    TestEnv env;
    store(env.db());
    env.reopen();
    expectNoSecrets(fileBytes(env.databasePath()), "the file");

    // While a save is under way its journal holds the pages it changes.
    Transaction transaction(env.db());
    env.db().prepare(QStringLiteral("UPDATE Company SET Name = 'Renamed'")).execute();
    env.db().prepare(QStringLiteral("UPDATE BankCheque SET BankName = 'Renamed'")).execute();
    env.db().prepare(QStringLiteral("UPDATE Settings SET DateFormat = 'x'")).execute();
    const QString journal = env.databasePath() + QStringLiteral("-journal");
    ASSERT_TRUE(QFileInfo::exists(journal));
    expectNoSecrets(fileBytes(journal), "the journal");
}

TEST(Unreadable, CommandLineClientsCannotReadItWithoutTheKey) {
    TestEnv env;
    store(env.db());
    env.reopen();
    const QString query = QStringLiteral("SELECT Name FROM Company;\n.dump\n");
    const QByteArray key = Database::defaultKey();

    const QString sqlcipher = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlcipher.isEmpty() && sqlite3.isEmpty())
        GTEST_SKIP() << "neither the sqlite3 nor the sqlcipher client is installed";

    struct Attempt {
        QString client;
        QString input;
        const char* what;
    };
    std::vector<Attempt> attempts;
    if (!sqlite3.isEmpty()) attempts.push_back({sqlite3, query, "sqlite3"});
    if (!sqlcipher.isEmpty()) {
        attempts.push_back({sqlcipher, query, "sqlcipher without a key"});
        attempts.push_back({sqlcipher, QStringLiteral("PRAGMA key = 'guess';\n") + query,
                            "sqlcipher with another key"});
    }
    for (const Attempt& attempt : attempts) {
        SCOPED_TRACE(attempt.what);
        const ClientRun run = runClient(attempt.client, env.databasePath(), attempt.input);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(QStringLiteral("not a database"))) << run.err.toStdString();
        for (const QByteArray& secret : secrets())
            EXPECT_FALSE(run.out.toUtf8().contains(secret)) << run.out.toStdString();
    }

    // The same client with the program's key reads it: the attempts above
    // failed for want of the key, not for some other reason.
    if (!sqlcipher.isEmpty()) {
        const ClientRun run =
            runClient(sqlcipher, env.databasePath(),
                      QStringLiteral("PRAGMA key = \"") + QString::fromLatin1(key) +
                          QStringLiteral("\";\nSELECT Name FROM Company;\n"));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(kPayee)) << run.out.toStdString();
    }
}

}  // namespace
