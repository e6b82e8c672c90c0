#include "app/Startup.h"

#include <QFileInfo>
#include <QTextStream>

#include <exception>
#include <new>

#include "DatabaseInit.h"
#include "app/DataDirectory.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "print/PendingCheques.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "ui/main/MainWindow.h"

namespace {

// The numbers a fault other than a database error is reported under.
constexpr int kOutOfMemoryCode = 7;
constexpr int kInternalErrorCode = 51;

// Start-up messages also go to standard error, for a program started from a terminal.
void report(AppContext& context, const QString& text, const QString& title) {
    QTextStream(stderr) << title << ": " << text << Qt::endl;
    context.dialogs->message(text, title, Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
}

// The steps of start-up, in order. Each throws on failure or returns false when it
// has told the user why start-up ends.

bool claimDataFolder(AppContext& context, const DataLocation& location, StartupResult& result) {
    if (location.createsWhenMissing()) makeUserDataDirectory(location.directory);
    result.lock =
        std::make_unique<InstanceLock>(location.directory, location.createsWhenMissing());
    if (result.lock->state() == InstanceLock::State::HeldElsewhere) {
        report(context, alreadyRunningMessage(location.directory), AppInfo::title());
        return false;
    }
    // Without a lock file (a read-only shared folder) the database's own locking
    // still keeps two copies' writes apart.
    return true;
}

void openDatabase(AppContext& context, const DataLocation& location, StartupResult& result) {
    const QString path = databasePath(location.directory);
    // Only a missing file is created; one that exists but cannot be opened is
    // reported by open() and left as it is.
    if (location.createsWhenMissing() && !QFileInfo::exists(path))
        DatabaseInit::createDatabase(location.directory, DatabaseInit::Access::OwnerOnly);
    result.db = Database::open(path);
    context.db = result.db.get();
}

bool loadMainWindow(AppContext& context, StartupResult& result) {
    auto window = std::make_unique<MainWindow>(context);
    if (!window->load()) return false;  // the missing Settings row was reported
    result.mainWindow = std::move(window);
    return true;
}

}  // namespace

QString startupErrorTitle(int code) {
    return AppInfo::title() + QStringLiteral(" - Error (") + QString::number(code) +
           QLatin1Char(')');
}

QString alreadyRunningMessage(const QString& directory) {
    return AppInfo::title() + QStringLiteral(" is already running with the data in ") + directory +
           QStringLiteral(". Only one copy of the program can use it at a time.");
}

StartupResult startApplication(AppContext& context, const StartupPaths& paths) {
    StartupResult result;
    try {
        const DataLocation location =
            locateData(*context.machineSettings, paths.programDirectory, paths.userDataDirectory);
        if (!claimDataFolder(context, location, result)) return result;
        openDatabase(context, location, result);
        // Cheques whose job was under way when the program last stopped are asked about.
        if (loadMainWindow(context, result)) PendingCheques::settle(*result.db, *context.dialogs);
        return result;
    } catch (const DbError& error) {
        report(context, error.message(), startupErrorTitle(error.code()));
    } catch (const std::bad_alloc&) {
        report(context, QStringLiteral("Out of memory"), startupErrorTitle(kOutOfMemoryCode));
    } catch (const std::exception& error) {
        report(context, QString::fromLocal8Bit(error.what()), startupErrorTitle(kInternalErrorCode));
    } catch (...) {
        report(context, QStringLiteral("Unexpected error"), startupErrorTitle(kInternalErrorCode));
    }
    result.mainWindow.reset();
    return result;
}
