// bench_window_tour DATA_DIR [GRAB_FOLDER]: the program on the database in
// DATA_DIR (a benchmark's own copy: the tour adds a format to it), without the
// splash; once the main window is up, every window is opened and closed once,
// and the peak resident size is printed as "peak_rss_kb N".
#include <QCoreApplication>
#include <QTextStream>

#include "BenchDataDirectory.h"
#include "WindowTour.h"
#include "app/Program.h"
#include "ui/main/MainWindow.h"

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        QTextStream(stderr) << "usage: bench_window_tour DATA_DIR [GRAB_FOLDER]\n";
        return 2;
    }
    BenchDataDirectory dataDirectory(QString::fromLocal8Bit(argv[1]));
    const QString grabFolder = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    WindowTourDialogs dialogs(grabFolder);
    ProgramOptions options;
    options.showSplash = false;
    options.machineSettings = &dataDirectory;
    options.dialogs = &dialogs;
    options.whenShown = [&](AppContext& context, MainWindow& main) {
        runWindowTour(context, main, grabFolder);
        main.close();
        QTextStream(stdout) << "peak_rss_kb " << peakResidentKb() << Qt::endl;
        QCoreApplication::quit();
    };
    return runProgram(argc, argv, options);
}
