#pragma once

#include <functional>

#include "app/Startup.h"

struct AppContext;
class Dialogs;
class MachineSettings;
class MainWindow;

// What a benchmark's own program changes in a run; the shipped program runs with
// the defaults.
struct ProgramOptions {
    bool showSplash = true;
    MachineSettings* machineSettings = nullptr;  // default: the system-scope settings file
    Dialogs* dialogs = nullptr;                  // default: the program's message boxes
    // Called once, from the event loop, after the main window is shown.
    std::function<void(AppContext&, MainWindow&)> whenShown;
};

// The whole program: the splash, start-up and the main window's event loop.
// Returns the process's exit code.
int runProgram(int& argc, char** argv, const ProgramOptions& options = {});
