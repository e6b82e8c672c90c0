#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include "app/Startup.h"
#include "app/WindowTour.h"
#include "app/SplashScreen.h"
#include "store/Database.h"
#include "platform/AppContext.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/MachineSettings.h"
#include "platform/Shell.h"
#include "platform/TextMeasure.h"
#include "print/QtPrinterService.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/QtDialogs.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::title());

    QtDialogs dialogs;
    QtPrinterService printers;
    SystemClock clock;
    DesktopShell shell;
    ScreenTextMeasure textMeasure;
    SystemMachineSettings machineSettings;

    AppContext context;
    context.dialogs = &dialogs;
    context.printers = &printers;
    context.clock = &clock;
    context.shell = &shell;
    context.textMeasure = &textMeasure;
    context.machineSettings = &machineSettings;

    // For start-up measurements: no splash delay, and quit once the main window is up.
    const bool exitWhenShown = qEnvironmentVariableIsSet("QUORVANTA_EXIT_WHEN_SHOWN");
    const bool windowTour = qEnvironmentVariableIsSet("QUORVANTA_WINDOW_TOUR");
    if (!exitWhenShown && !windowTour) {
        SplashScreen splash;
        splash.exec();
    }

    StartupResult started = startApplication(context, QCoreApplication::applicationDirPath());
    if (!started.mainWindow) return 1;
    started.mainWindow->show();
    if (exitWhenShown && !windowTour) QTimer::singleShot(0, &app, &QCoreApplication::quit);
    // For memory measurements: every window opened and closed once, then the
    // peak resident size on standard output.
    WindowTourDialogs tourDialogs;
    if (windowTour) {
        context.dialogs = &tourDialogs;
        QTimer::singleShot(0, &app, [&] {
            runWindowTour(context, *started.mainWindow);
            started.mainWindow->close();
            QTextStream(stdout) << "peak_rss_kb " << peakResidentKb() << Qt::endl;
            QCoreApplication::quit();
        });
    }
    const int code = QApplication::exec();
    started.mainWindow.reset();  // windows go before the connection they use
    return code;
}
