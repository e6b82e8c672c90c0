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

#include "app/DataDirectory.h"
#include "app/Startup.h"
#include "app/SplashScreen.h"
#include "platform/AppInfo.h"
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

TEST(DataDirectory, ValueOrProgramFolder) {
    FakeMachineSettings settings;
    EXPECT_EQ(dataDirectory(settings, QStringLiteral("/opt/prog")), QStringLiteral("/opt/prog"));
    settings.values[{kKey, QStringLiteral("Directory")}] = QString();
    EXPECT_EQ(dataDirectory(settings, QStringLiteral("/opt/prog")), QStringLiteral("/opt/prog"));
    settings.values[{kKey, QStringLiteral("Directory")}] = QStringLiteral("/srv/cheques");
    EXPECT_EQ(dataDirectory(settings, QStringLiteral("/opt/prog")), QStringLiteral("/srv/cheques"));
    // A value under another version's key is not ours.
    FakeMachineSettings other;
    other.values[{QStringLiteral("Software\\Quorvanta\\Quorvanta Solo Edition\\1.00.0002"),
                  QStringLiteral("Directory")}] = QStringLiteral("/elsewhere");
    EXPECT_EQ(dataDirectory(other, QStringLiteral("/opt/prog")), QStringLiteral("/opt/prog"));
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

TEST(Startup, OpensTheDatabaseBesideTheProgram) {
    TestEnv env;
    AppContext context = env.context;
    StartupResult result = startApplication(context, env.directory());
    ASSERT_TRUE(result.mainWindow);
    EXPECT_TRUE(env.dialogs.messages.empty());
    EXPECT_EQ(widget<QComboBox>(result.mainWindow, "cboBank")->itemText(0), QStringLiteral("[NO BANK DATA]"));
}

TEST(Startup, MissingDatabaseEndsWithTheCodeInTheTitle) {
    TestEnv env;
    QTemporaryDir empty;
    env.machineSettings.values[{kKey, QStringLiteral("Directory")}] = empty.path();
    AppContext context = env.context;
    StartupResult result = startApplication(context, env.directory());
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
    StartupResult result = startApplication(context, env.directory());
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
