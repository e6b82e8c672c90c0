#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <new>
#include <stdexcept>

#include "DatabaseInit.h"
#include "app/DataDirectory.h"
#include "app/InstanceLock.h"
#include "app/Startup.h"
#include "app/SplashScreen.h"
#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"
#include "support/TestEnv.h"
#include "ui/main/MainWindow.h"
#include "support/Widgets.h"

namespace {

const QString kKey = QStringLiteral("Software\\Quorvanta\\Quorvanta Solo Edition\\1.00.0001");

TEST(AppInfo, IdentityTexts) {
    EXPECT_EQ(AppInfo::versionKey(), QStringLiteral("1.00.0001"));
    EXPECT_EQ(AppInfo::versionCaption(), QStringLiteral("Version 1.0 (Build 1)"));
    EXPECT_EQ(AppInfo::settingsKeyPath(), kKey);
}

// Where the database is looked for: the settings' Directory, else the program's
// folder when it holds a database, else the user's data folder.
TEST(DataDirectory, LocationOrder) {
    QTemporaryDir programWithDb, programEmpty;
    DatabaseInit::createDatabase(programWithDb.path());
    const QString user = QStringLiteral("/home/u/.local/share/Quorvanta/Solo");
    using Source = DataLocation::Source;
    struct Case {
        const char* name;
        QVariant setting;  // invalid: no value
        QString program;
        Source source;
        QString directory;
    };
    const Case cases[] = {
        {"setting wins over a database beside the program", QStringLiteral("/srv/cheques"),
         programWithDb.path(), Source::Settings, QStringLiteral("/srv/cheques")},
        {"setting with a comma", QStringLiteral("/srv/Smith, Jones"), programEmpty.path(),
         Source::Settings, QStringLiteral("/srv/Smith, Jones")},
        {"database beside the program", QVariant(), programWithDb.path(), Source::ProgramFolder,
         programWithDb.path()},
        {"empty setting, database beside the program", QString(), programWithDb.path(),
         Source::ProgramFolder, programWithDb.path()},
        {"nothing: the user's folder", QVariant(), programEmpty.path(), Source::UserDataFolder, user},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachineSettings settings;
        if (c.setting.isValid()) settings.values[{kKey, QStringLiteral("Directory")}] = c.setting;
        const DataLocation location = locateData(settings, c.program, user);
        EXPECT_EQ(location.source, c.source);
        EXPECT_EQ(location.directory, c.directory);
        EXPECT_EQ(location.createsWhenMissing(), c.source == Source::UserDataFolder);
    }
    // A value under another version's key is not ours.
    FakeMachineSettings other;
    other.values[{QStringLiteral("Software\\Quorvanta\\Quorvanta Solo Edition\\1.00.0002"),
                  QStringLiteral("Directory")}] = QStringLiteral("/elsewhere");
    EXPECT_EQ(locateData(other, programEmpty.path(), user).source, Source::UserDataFolder);
}

TEST(DataDirectory, GetRegValueKinds) {
    FakeMachineSettings settings;
    const QString name = QStringLiteral("V");
    EXPECT_EQ(readMachineValue(settings, kKey, name), QVariant(QString()));
    settings.values[{kKey, name}] = QString(QStringLiteral("abc") + QChar(0) + QStringLiteral("junk"));
    EXPECT_EQ(readMachineValue(settings, kKey, name), QVariant(QStringLiteral("abc")));
    settings.values[{kKey, name}] = 42;
    EXPECT_EQ(readMachineValue(settings, kKey, name), QVariant(qint32(42)));
    settings.values[{kKey, name}] = QStringList{QStringLiteral("a")};
    EXPECT_EQ(readMachineValue(settings, kKey, name), QVariant(QString()));
}

StartupPaths paths(const QString& program, const QString& user = QStringLiteral("/nonexistent/user")) {
    return {program, user};
}

QFile::Permissions modeOf(const QString& path) {
    return QFileInfo(path).permissions() &
           (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
            QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
            QFile::ExeOther);
}

TEST(Startup, OpensTheDatabaseBesideTheProgram) {
    TestEnv env;
    AppContext context = env.context;
    StartupResult result = startApplication(context, paths(env.directory()));
    ASSERT_TRUE(result.mainWindow);
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_EQ(result.db->path(), env.databasePath());
    EXPECT_EQ(widget<QComboBox>(result.mainWindow, "cboBank")->itemText(0), QStringLiteral("[NO BANK DATA]"));
}

// The settings file written as the README shows it, in a temporary XDG_CONFIG_DIRS,
// names the database start-up opens; a comma in the folder's name is part of it.
TEST(Startup, OpensTheDatabaseTheDocumentedSettingsFileNames) {
    TestEnv env;
    for (const QString& folder : {QStringLiteral("cheques"), QStringLiteral("Smith, Jones, and Co")}) {
        SCOPED_TRACE(folder.toStdString());
        QTemporaryDir root;
        const QString data = root.filePath(folder);
        DatabaseInit::createDatabase(data);
        QDir().mkpath(root.filePath(QStringLiteral("xdg/Quorvanta")));
        QFile conf(root.filePath(QStringLiteral("xdg/Quorvanta/Quorvanta Solo Edition.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(QByteArray("[1.00.0001]\nDirectory=") + QFile::encodeName(data) + "\n");
        conf.close();
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath(QStringLiteral("xdg"))));
        SystemMachineSettings settings;
        qunsetenv("XDG_CONFIG_DIRS");
        AppContext context = env.context;
        context.machineSettings = &settings;
        // A database beside the program comes after the settings file.
        StartupResult result = startApplication(context, paths(env.directory()));
        ASSERT_TRUE(result.mainWindow);
        EXPECT_EQ(result.db->path(), QDir(data).filePath(QStringLiteral("chequedb.mdb")));
    }
    EXPECT_TRUE(env.dialogs.messages.empty());
}

TEST(Startup, FirstStartMakesAnOwnerOnlyDatabaseInTheUsersFolder) {
    TestEnv env;
    QTemporaryDir program, home;
    const QString user = home.filePath(QStringLiteral(".local/share/Quorvanta/Solo"));
    const QString file = QDir(user).filePath(QStringLiteral("chequedb.mdb"));
    {
        AppContext context = env.context;
        StartupResult result = startApplication(context, paths(program.path(), user));
        ASSERT_TRUE(result.mainWindow);
        EXPECT_TRUE(env.dialogs.messages.empty());
        EXPECT_EQ(result.db->path(), file);
        EXPECT_EQ(widget<QComboBox>(result.mainWindow, "cboBank")->itemText(0), QStringLiteral("[NO BANK DATA]"));
        result.db->write(QStringLiteral("UPDATE Settings SET AlertUser = 0"));
    }
    EXPECT_EQ(modeOf(file), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(modeOf(QDir(user).filePath(InstanceLock::fileName())), QFile::ReadOwner | QFile::WriteOwner);
    for (const QString& folder : {user, home.filePath(QStringLiteral(".local"))})
        EXPECT_EQ(modeOf(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) << folder.toStdString();
    // The next start opens the same file rather than making a new one.
    AppContext context = env.context;
    StartupResult again = startApplication(context, paths(program.path(), user));
    ASSERT_TRUE(again.mainWindow);
    auto query = again.db->prepare(QStringLiteral("SELECT AlertUser FROM Settings"));
    ASSERT_TRUE(query.step());
    EXPECT_EQ(query.integer(0), 0);
}

// Failures before the main window: the message names what went wrong, the title
// carries the code, and nothing is made or replaced.
TEST(Startup, DataFolderFailuresAreReportedAndLeaveNothingBehind) {
    struct Case {
        const char* name;
        // Prepares `root` and returns the user's data folder to start with.
        std::function<QString(const QString& root)> prepare;
        int code;
        QString named;  // a path the message must name, relative to root
        QByteArray databaseAfter;  // "-" when no file may exist
    };
    const Case cases[] = {
        {"a file in the way of the folder",
         [](const QString& root) -> QString {
             QFile in(root + QStringLiteral("/share"));
             in.open(QIODevice::WriteOnly);
             return root + QStringLiteral("/share/Quorvanta/Solo");
         },
         SQLITE_CANTOPEN, QStringLiteral("/share/Quorvanta/Solo"), "-"},
        {"a damaged database is not replaced",
         [](const QString& root) -> QString {
             QDir().mkpath(root + QStringLiteral("/Solo"));
             QFile bad(root + QStringLiteral("/Solo/chequedb.mdb"));
             bad.open(QIODevice::WriteOnly);
             bad.write(QByteArray(4096, 'x'));
             return root + QStringLiteral("/Solo");
         },
         SQLITE_NOTADB, QStringLiteral("/Solo/chequedb.mdb"), QByteArray(4096, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        QTemporaryDir program, root;
        const QString user = c.prepare(root.path());
        AppContext context = env.context;
        StartupResult result = startApplication(context, paths(program.path(), user));
        EXPECT_FALSE(result.mainWindow);
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        const auto& shown = env.dialogs.messages[0];
        EXPECT_EQ(shown.title, QStringLiteral("Quorvanta Solo - Error (%1)").arg(c.code));
        EXPECT_TRUE(shown.text.contains(root.path() + c.named)) << shown.text.toStdString();
        EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
        QFile file(QDir(user).filePath(QStringLiteral("chequedb.mdb")));
        if (c.databaseAfter == "-") {
            EXPECT_FALSE(file.exists());
        } else {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), c.databaseAfter);
        }
    }
}

TEST(Startup, ASecondCopyOnTheSameDataIsRefused) {
    TestEnv env;
    {
        InstanceLock running(env.directory());  // as the first copy holds it
        ASSERT_EQ(running.state(), InstanceLock::State::Held);
        AppContext context = env.context;
        StartupResult second = startApplication(context, paths(env.directory()));
        EXPECT_FALSE(second.mainWindow);
        EXPECT_FALSE(second.db);
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text, alreadyRunningMessage(env.directory()));
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Quorvanta Solo"));
    }
    // Once the first copy has ended, the program starts, and holds the folder itself.
    AppContext context = env.context;
    StartupResult started = startApplication(context, paths(env.directory()));
    ASSERT_TRUE(started.mainWindow);
    EXPECT_EQ(InstanceLock(env.directory()).state(), InstanceLock::State::HeldElsewhere);
}

// Settings that cannot be read in an unforeseen way stand for any start-up step
// failing with something other than a database error.
class ThrowingSettings final : public MachineSettings {
public:
    explicit ThrowingSettings(std::function<void()> thrower) : m_throw(std::move(thrower)) {}
    QVariant value(const QString&, const QString&) const override {
        m_throw();
        return {};
    }

private:
    std::function<void()> m_throw;
};

TEST(Startup, OtherFailuresAreShownWithTheStartupErrorTitle) {
    struct Case {
        const char* name;
        std::function<void()> thrower;
        QString text;
        int code;
    };
    const Case cases[] = {
        {"std::exception", [] { throw std::runtime_error("settings unreadable"); },
         QStringLiteral("settings unreadable"), 51},
        {"out of memory", [] { throw std::bad_alloc(); }, QStringLiteral("Out of memory"), 7},
        {"anything else", [] { throw 42; }, QStringLiteral("Unexpected error"), 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        ThrowingSettings settings(c.thrower);
        AppContext context = env.context;
        context.machineSettings = &settings;
        StartupResult result;
        EXPECT_NO_THROW(result = startApplication(context, paths(env.directory())));
        EXPECT_FALSE(result.mainWindow);
        ASSERT_EQ(env.dialogs.messages.size(), 1u);
        EXPECT_EQ(env.dialogs.messages[0].text, c.text);
        EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Quorvanta Solo - Error (%1)").arg(c.code));
        EXPECT_EQ(env.dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    }
}

TEST(Startup, MissingDatabaseEndsWithTheCodeInTheTitle) {
    TestEnv env;
    QTemporaryDir empty;
    env.machineSettings.values[{kKey, QStringLiteral("Directory")}] = empty.path();
    AppContext context = env.context;
    StartupResult result = startApplication(context, paths(env.directory()));
    EXPECT_FALSE(result.mainWindow);
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    const auto& shown = env.dialogs.messages[0];
    EXPECT_EQ(shown.title, QStringLiteral("Quorvanta Solo - Error (%1)").arg(SQLITE_CANTOPEN));
    EXPECT_TRUE(shown.text.contains(QDir(empty.path()).filePath(QStringLiteral("chequedb.mdb"))));
    EXPECT_EQ(shown.icon, Dialogs::Icon::Exclamation);
    EXPECT_FALSE(QFileInfo::exists(QDir(empty.path()).filePath(QStringLiteral("chequedb.mdb"))));
}

TEST(Startup, MissingSettingsRowEndsTheProgram) {
    TestEnv env;
    env.db().write(QStringLiteral("DELETE FROM Settings"));
    AppContext context = env.context;
    StartupResult result = startApplication(context, paths(env.directory()));
    EXPECT_FALSE(result.mainWindow);
    ASSERT_EQ(env.dialogs.messages.size(), 1u);
    EXPECT_EQ(env.dialogs.messages[0].text,
              QStringLiteral("Error opening settings database. Please contact the supplier of this "
                             "software."));
    EXPECT_EQ(env.dialogs.messages[0].title, QStringLiteral("Quorvanta Solo"));
}

TEST(Splash, ClosesByTimerKeyOrClick) {
    {
        SplashScreen splash(50);
        QElapsedTimer timer;
        timer.start();
        splash.exec();
        EXPECT_GE(timer.elapsed(), 45);
        EXPECT_LT(timer.elapsed(), 1000);
    }
    {
        SplashScreen splash;  // the real 1250 ms interval
        QTimer::singleShot(20, &splash, [&] { QTest::keyClick(&splash, Qt::Key_Space); });
        QElapsedTimer timer;
        timer.start();
        splash.exec();
        EXPECT_LT(timer.elapsed(), 1000);
    }
    {
        SplashScreen splash;
        QTimer::singleShot(20, &splash, [&] {
            auto* frame = splash.findChild<QWidget*>(QStringLiteral("frame1"));
            ASSERT_TRUE(frame);
            QTest::mouseClick(frame, Qt::LeftButton);
        });
        QElapsedTimer timer;
        timer.start();
        splash.exec();
        EXPECT_LT(timer.elapsed(), 1000);
    }
    SplashScreen splash;
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(),
              QStringLiteral("Quorvanta Solo"));
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("Version 1.0 (Build 1)"));
}

}  // namespace
