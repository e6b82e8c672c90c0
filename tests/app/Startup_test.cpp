// Start-up: where the data is found, owner-only first files, a second copy refused, failures numbered, pending asked.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "DatabaseInit.h"
#include "app/Startup.h"
#include "platform/AppInfo.h"
#include "store/RegisterStore.h"
#include "support/QStringPrinter.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"

namespace {

using namespace Qt::StringLiterals;
using Hold = std::shared_ptr<void>;
const QString kKey = AppInfo::settingsKeyPath(), kDirectory = AppInfo::dataDirectoryValueName();

template <auto fail> struct ThrowingSettings final : MachineSettings {  // any start-up failure outside the database
    QVariant value(const QString&, const QString&) const override { return fail(), QVariant(); }
};
template <auto fail> void throwing(TestEnv& env, const QString&, Hold& hold) {
    auto settings = std::make_shared<ThrowingSettings<fail>>();
    env.context.machineSettings = settings.get(), hold = settings;
}
// The settings file as the README shows it, in a temporary XDG_CONFIG_DIRS, naming a folder with commas.
void documentedSettingsFile(TestEnv& env, const QString& root, Hold& hold) {
    const QString data = QFileInfo(DatabaseInit::createDatabase(root + u"/Smith, Jones, and Co"_s)).path();
    QDir().mkpath(root + u"/xdg/Quorvanta"_s);
    QFile conf(root + u"/xdg/Quorvanta/Quorvanta Solo Edition.conf"_s);
    EXPECT_TRUE(conf.open(QFile::WriteOnly) && conf.write("[1.00.0001]\nDirectory=" + QFile::encodeName(data) + "\n"));
    conf.close();
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root + u"/xdg"_s));
    auto settings = std::make_shared<SystemMachineSettings>();
    qunsetenv("XDG_CONFIG_DIRS");
    env.context.machineSettings = settings.get(), hold = settings;
}

// The data is where the settings' Directory says, else beside the program, else in the user's folder, made owner-only.
// Each start opens it or shows one message (numbered; plain for a second copy) and ends, making or replacing nothing.
TEST(Startup, OpensTheRightDatabaseOrShowsOneMessageAndEnds) {
    const struct {
        const char* name;
        void (*prepare)(TestEnv& env, const QString& root, Hold& hold);
        const char *program, *user;  // under root; "@": the folder of the test's database
        int code;                    // -1: starts; 0: refused under the plain title
        QString expect;  // the database opened, or part of the message: %1 is root, %2 the test's folder
    } cases[] = {
#define PREPARE(...) []([[maybe_unused]] TestEnv& env, [[maybe_unused]] const QString& root, \
                        [[maybe_unused]] Hold& hold) { __VA_ARGS__; }
        {"the database beside the program", nullptr, "@", "/user", -1, u"%2/chequedb.mdb"_s},
        {"an empty setting", PREPARE(env.machineSettings.values[{kKey, kDirectory}] = QString()), "@", "/user", -1,
         u"%2/chequedb.mdb"_s},
        {"the documented settings file, before the program's folder", documentedSettingsFile, "@", "/user", -1,
         u"%1/Smith, Jones, and Co/chequedb.mdb"_s},
        {"the first start, with another version's setting",
         PREPARE(env.machineSettings.values[{QString(kKey).replace(u"0001"_s, u"0002"_s), kDirectory}] = root),
         "/program", "/home/.local/share/Quorvanta/Solo", -1, u"%1/home/.local/share/Quorvanta/Solo/chequedb.mdb"_s},
        {"a second copy", PREPARE(hold = std::make_shared<InstanceLock>(env.directory())), "@", "/user", 0,
         alreadyRunningMessage(u"%2"_s)},
        {"no settings row", PREPARE(env.db().write(u"DELETE FROM Settings"_s)), "@", "/user", 0,
         u"Error opening settings database. Please contact the supplier of this software."_s},
        {"a file in the way of the user's folder", PREPARE(QFile(root + u"/share"_s).open(QIODevice::WriteOnly)),
         "/program", "/share/Quorvanta/Solo", SQLITE_CANTOPEN, u"%1/share/Quorvanta/Solo"_s},
        {"a damaged database, not replaced",
         PREPARE(QFile f(root + u"/chequedb.mdb"_s); f.open(QIODevice::WriteOnly), f.write("damaged")), "/program", "",
         SQLITE_NOTADB, u"%1/chequedb.mdb"_s},
        {"no database in the settings' folder", PREPARE(env.machineSettings.values[{kKey, kDirectory}] = root),
         "@", "/user", SQLITE_CANTOPEN, u"%1/chequedb.mdb"_s},
        {"any other failure", throwing<[] { throw std::runtime_error("no disk"); }>, "@", "/user", 51, u"no disk"_s},
        {"out of memory", throwing<[] { throw std::bad_alloc(); }>, "@", "/user", 7, u"Out of memory"_s},
        {"anything else", throwing<[] { throw 42; }>, "@", "/user", 51, u"Unexpected error"_s},
#undef PREPARE
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        QTemporaryDir root;
        Hold hold;
        if (c.prepare) c.prepare(env, root.path(), hold);
        const auto at = [&](const char* p) { return *p == '@' ? env.directory() : root.path() + QLatin1String(p); };
        const QString expect = QString(c.expect).replace(u"%1"_s, root.path()).replace(u"%2"_s, env.directory());
        const QString user = at(c.user), userFile = user + u"/chequedb.mdb"_s;
        const auto userBytes = [&] { QFile f(userFile); return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray(); };
        const QByteArray bytes = userBytes();
        const StartupResult result = startApplication(env.context, {at(c.program), at(c.user)});
        if (c.code < 0) {
            ASSERT_TRUE(result.mainWindow && env.dialogs.messages.empty());
            EXPECT_EQ(result.db->path(), expect);
            const QStringList made = {userFile, user + u'/' + InstanceLock::fileName(), user, at("/home/.local")};
            for (const QString& path : c.user[1] == 'h' ? made : QStringList())  // the first start's: the user's only
                EXPECT_EQ(QFileInfo(path).permissions().toInt() & 0x7777, QFileInfo(path).isDir() ? 0x7700 : 0x6600)
                    << path.toStdString();
            continue;
        }
        ASSERT_TRUE(!result.mainWindow && env.dialogs.messages.size() == 1u);
        EXPECT_EQ(env.dialogs.messages[0].title, c.code ? startupErrorTitle(c.code) : AppInfo::title());
        EXPECT_TRUE(env.dialogs.messages[0].text.contains(expect)) << env.dialogs.messages[0].text.toStdString();
        EXPECT_EQ(userBytes(), bytes) << "made or replaced";
    }
}

// A cheque being printed when the program stopped is asked about at the next start; the answer settles it.
TEST(Startup, EachPendingChequeIsAskedAboutAndSettledByTheAnswer) {
    for (const auto answer : {Dialogs::Answer::Yes, Dialogs::Answer::No}) {
        TestEnv env;
        const qint64 id = RegisterStore::addPending(env.db(),
            {.bankCode = u"MBB"_s, .chequeNumber = u"000123"_s, .payee = u"ACME Ltd"_s, .amountText = u"1,234.50"_s});
        env.dialogs.answer({answer});
        const StartupResult result = startApplication(env.context, {env.directory(), u"/nonexistent/user"_s});
        ASSERT_TRUE(result.mainWindow && env.dialogs.messages.size() == 1u);
        EXPECT_EQ(env.dialogs.messages[0].text, u"Cheque 000123 to ACME Ltd for 1,234.50 was being printed when the "
                                                 "program stopped. Was it printed?"_s);
        const auto found = RegisterStore::find(*result.db, id);
        EXPECT_TRUE(answer == Dialogs::Answer::Yes ? found && found->state == RegisterEntry::State::Printed : !found);
    }
}

}  // namespace
