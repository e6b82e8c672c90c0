// bench_startup_probe DATA_DIR: the program's start-up on the database in
// DATA_DIR without the splash's delay; it ends as soon as the main window is
// shown, so its run time is the start-up time.
#include <QCoreApplication>
#include <QTextStream>

#include "BenchDataDirectory.h"
#include "app/Program.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        QTextStream(stderr) << "usage: bench_startup_probe DATA_DIR\n";
        return 2;
    }
    BenchDataDirectory dataDirectory(QString::fromLocal8Bit(argv[1]));
    ProgramOptions options;
    options.showSplash = false;
    options.machineSettings = &dataDirectory;
    options.whenShown = [](AppContext&, MainWindow&) { QCoreApplication::quit(); };
    return runProgram(argc, argv, options);
}
