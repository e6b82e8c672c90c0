#include "app/Startup.h"

#include "app/DataDirectory.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "print/PendingCheques.h"
#include "ui/main/MainWindow.h"

QString startupErrorTitle(int code) {
    return AppInfo::title() + QStringLiteral(" - Error (") + QString::number(code) +
           QLatin1Char(')');
}

StartupResult startApplication(AppContext& context, const QString& programDirectory) {
    StartupResult result;
    try {
        const QString directory = dataDirectory(*context.machineSettings, programDirectory);
        result.db = Database::open(databasePath(directory));
        context.db = result.db.get();
        auto window = std::make_unique<MainWindow>(context);
        if (!window->load()) return result;  // the missing Settings row was reported
        PendingCheques::settle(*result.db, *context.dialogs);
        result.mainWindow = std::move(window);
    } catch (const DbError& error) {
        context.dialogs->message(error.message(), startupErrorTitle(error.code()),
                                 Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok);
        result.mainWindow.reset();
    }
    return result;
}
