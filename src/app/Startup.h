#pragma once

#include <QString>

#include <memory>

#include "app/InstanceLock.h"

struct AppContext;
class Database;
class MainWindow;

// Where start-up looks for the data: the program's own folder (a portable copy)
// and the user's data folder (made on first start).
struct StartupPaths {
    QString programDirectory;
    QString userDataDirectory;
};

// Start-up after the splash: finds the data directory, makes sure no other copy
// of the program uses it, creates the database on a user's first start, opens
// the shared connection and loads the main window. Any failure is shown with the
// title "Quorvanta Solo - Error (<code>)" and start-up ends without a main window.
struct StartupResult {
    std::unique_ptr<InstanceLock> lock;
    std::unique_ptr<Database> db;
    std::unique_ptr<MainWindow> mainWindow;  // null when start-up failed
};

StartupResult startApplication(AppContext& context, const StartupPaths& paths);

// The title of the start-up error message.
QString startupErrorTitle(int code);

// Shown when another copy of the program holds the data folder.
QString alreadyRunningMessage(const QString& directory);
