#include "app/Program.h"

#include <QApplication>
#include <QTimer>

#include "app/AppIcon.h"
#include "app/DataDirectory.h"
#include "app/SplashScreen.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/MachineSettings.h"
#include "platform/Shell.h"
#include "platform/TextMeasure.h"
#include "print/QtPrinterService.h"
#include "store/Database.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/QtDialogs.h"

int runProgram(int& argc, char** argv, const ProgramOptions& options) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::title());
    QApplication::setApplicationVersion(AppInfo::version());
    // Desktops match the windows to the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(AppInfo::desktopFileName());
    QApplication::setWindowIcon(appIcon());

    QtDialogs dialogs;
    QtPrinterService printers;
    SystemClock clock;
    DesktopShell shell;
    ScreenTextMeasure textMeasure;
    SystemMachineSettings machineSettings;

    AppContext context;
    context.dialogs = options.dialogs ? options.dialogs : &dialogs;
    context.printers = &printers;
    context.clock = &clock;
    context.shell = &shell;
    context.textMeasure = &textMeasure;
    context.machineSettings = options.machineSettings ? options.machineSettings : &machineSettings;

    if (options.showSplash) {
        SplashScreen splash;
        splash.exec();
    }

    StartupResult started = startApplication(
        context, {QCoreApplication::applicationDirPath(), userDataDirectory()});
    if (!started.mainWindow) return 1;
    started.mainWindow->show();
    if (options.whenShown)
        QTimer::singleShot(0, &app, [&] { options.whenShown(context, *started.mainWindow); });
    const int code = QApplication::exec();
    started.mainWindow.reset();  // windows go before the connection they use
    return code;
}
