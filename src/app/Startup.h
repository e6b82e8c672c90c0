#pragma once

#include <QString>

#include <memory>

struct AppContext;
class Database;
class MainWindow;

// Start-up after the splash: finds the data directory, opens the shared
// connection and loads the main window. Any failure is shown with the title
// "Quorvanta Solo - Error (<code>)" and start-up ends without a main window.
struct StartupResult {
    std::unique_ptr<Database> db;
    std::unique_ptr<MainWindow> mainWindow;  // null when start-up failed
};

StartupResult startApplication(AppContext& context, const QString& programDirectory);

// The title of the start-up error message.
QString startupErrorTitle(int code);
