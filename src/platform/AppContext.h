#pragma once

#include <cstdint>

class Clock;
class Database;
class Dialogs;
class MachineSettings;
class PrinterService;
class Shell;
class TextMeasure;

// What the program shares for its whole run, handed to every window. The seams
// are owned by whoever builds the context (main() or a test fixture).
struct AppContext {
    Database* db = nullptr;  // the shared connection
    Dialogs* dialogs = nullptr;
    PrinterService* printers = nullptr;
    Clock* clock = nullptr;
    Shell* shell = nullptr;
    TextMeasure* textMeasure = nullptr;
    MachineSettings* machineSettings = nullptr;
    // Index of the printer that was current before the last selection by name.
    std::int16_t rememberedPrinterIndex = 0;
};
